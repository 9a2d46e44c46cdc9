#include "testing/EventLog.h"

#include "Listing.h"

namespace mgmtkit {

void EventLog::describe(std::ostream& out) const {
    out << "traps: " << traps_.size() << '\n';
    for (std::size_t i = 0; i < traps_.size(); ++i) {
        const Trap& trap = traps_[i];
        out << "trap." << i + 1 << ": dest=" << trap.dest;
        if (trap.specific)
            out << " specific data=" << oneLine(trap.data) << '\n';
        else
            out << " generic trapNo=" << trap.trapNo << '\n';
    }
    out << "notifications: " << listing(notifications_) << '\n'
        << "actionEvents: " << actionEvents_.size() << '\n';
    for (std::size_t i = 0; i < actionEvents_.size(); ++i) {
        const ActionEvent& event = actionEvents_[i];
        out << "actionEvent." << i + 1 << ": type=" << event.type;
        if (event.withData) out << " data=" << oneLine(event.data);
        out << '\n';
    }
    out << "locationRequests: " << locationRequests_ << '\n';
}

}  // namespace mgmtkit
