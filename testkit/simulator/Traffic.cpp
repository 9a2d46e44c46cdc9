#include <sstream>

#include "Listing.h"
#include "testing/Traffic.h"

namespace mgmtkit {

namespace {

std::string parameterList(const Method& method) {
    std::string text;
    for (const Parameter& parameter : method.parameters()) text += " " + wireText(parameter);
    return text;
}

}  // namespace

std::string wireText(const Parameter& parameter) {
    std::string text;
    if (parameter.direction() == Parameter::OUT) text += '>';
    const char kind = "isb"[parameter.kind()];
    text += parameter.direction() == Parameter::INOUT ? static_cast<char>(kind - 'a' + 'A') : kind;
    text += ':' + parameter.name() + '=';
    switch (parameter.kind()) {
        case Parameter::INT: return text + std::to_string(parameter.intValue());
        case Parameter::BOOL: return text + (parameter.boolValue() ? "1" : "0");
        case Parameter::STRING: return text + parameter.stringValue();
    }
    return text;
}

std::string trafficText(const std::vector<TrafficEntry>& traffic) {
    std::ostringstream out;
    for (const TrafficEntry& entry : traffic) {
        const std::string channel = entry.callbackChannel.empty() ? "" : " @" + entry.callbackChannel;
        if (entry.kind == TrafficEntry::Notification) {
            out << "=> " << entry.message.name() << channel << parameterList(entry.message) << '\n';
        } else {
            out << "-> " << entry.message.name() << " (" << mgmtdesc::nameOf(entry.style);
            if (entry.style == mgmtdesc::CallStyle::SyncWithTimeout) out << ' ' << entry.timeout;
            out << ')' << channel << parameterList(entry.message) << '\n';
            if (entry.reply) out << "<-" << parameterList(*entry.reply) << '\n';
        }
        if (entry.failure) out << "<- failed: " << oneLine(*entry.failure) << '\n';
    }
    return out.str();
}

}  // namespace mgmtkit
