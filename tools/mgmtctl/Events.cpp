#include "Events.h"

#include "Masking.h"

namespace mgmtctl {

const char* styleName(mgmtkit::CallStyle style) {
    switch (style) {
        case mgmtkit::CallStyle::OneWay: return "one-way";
        case mgmtkit::CallStyle::OneWayWithChannel: return "one-way with callback channel";
        case mgmtkit::CallStyle::Sync: return "synchronous";
        case mgmtkit::CallStyle::SyncWithChannel: return "synchronous with callback channel";
        case mgmtkit::CallStyle::SyncWithTimeout: return "synchronous with time-out";
    }
    return "?";
}

Value shownParameter(const Parameter& parameter) {
    if (namesPassword(parameter.name())) return Value::text(kMask);
    switch (parameter.kind()) {
        case Parameter::INT: return Value::integer(parameter.intValue());
        case Parameter::BOOL: return Value::boolean(parameter.boolValue());
        case Parameter::STRING:
            if (carriesManageableData(parameter.name()))
                return Value::text(maskedDataText(parameter.stringValue()));
            return Value::text(parameter.stringValue());
    }
    return Value::none();
}

}  // namespace mgmtctl
