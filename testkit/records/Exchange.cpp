#include "testing/Exchange.h"

#include <ctime>
#include <sstream>

#include <nlohmann/json.hpp>

#include "testing/Masking.h"

namespace mgmtkit {

namespace {

using Json = nlohmann::ordered_json;

std::string parameterList(const Method& method) {
    std::string text;
    for (const Parameter& parameter : method.parameters()) text += " " + wireText(parameter);
    return text;
}

// Line breaks shown as "\n" and "\r", so that a failure stays on its line.
std::string oneLine(const std::string& text) {
    std::string shown;
    for (char c : text) shown += c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    return shown;
}

Json parametersOf(const Method& method) {
    Json parameters = Json::array();
    const Method shown = masked(method);
    for (const Parameter& parameter : shown.parameters()) {
        const Json value = parameter.kind() == Parameter::INT    ? Json(parameter.intValue())
                           : parameter.kind() == Parameter::BOOL ? Json(parameter.boolValue())
                                                                 : Json(parameter.stringValue());
        parameters.push_back({{"name", parameter.name()},
                              {"kind", mgmtdesc::nameOf(parameter.kind())},
                              {"direction", mgmtdesc::nameOf(parameter.direction())},
                              {"value", value}});
    }
    return parameters;
}

std::string utcText(Clock::Time time) {
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::microseconds>(time.time_since_epoch());
    const std::time_t seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count();
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[40];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    std::snprintf(text + length, sizeof text - length, ".%06lldZ",
                  static_cast<long long>(sinceEpoch.count() % 1000000));
    return text;
}

Json jsonOf(const Exchange& exchange) {
    Json object = {{"kind", exchange.kind == Exchange::Request ? "request" : "notification"},
                   {"method", exchange.message.name()},
                   {"style", mgmtdesc::nameOf(exchange.style)},
                   {"timeout", exchange.timeout},
                   {"callbackChannel", exchange.callbackChannel},
                   {"caller", exchange.caller},
                   {"time", utcText(exchange.time)},
                   {"parameters", parametersOf(exchange.message)},
                   {"outcome", exchange.failure ? "failed" : exchange.reply ? "answered" : "sent"}};
    if (exchange.reply) object["reply"] = parametersOf(*exchange.reply);
    if (exchange.failure) object["failure"] = *exchange.failure;
    return object;
}

// Bytes that are not UTF-8 become U+FFFD rather than stopping the record.
std::string dumped(const Json& json) { return json.dump(-1, ' ', false, Json::error_handler_t::replace); }

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

std::string callsText(const std::vector<Exchange>& calls) {
    std::ostringstream out;
    for (const Exchange& exchange : calls) {
        const std::string channel = exchange.callbackChannel.empty() ? "" : " @" + exchange.callbackChannel;
        if (exchange.kind == Exchange::Notification) {
            out << "=> " << exchange.message.name() << channel << parameterList(exchange.message) << '\n';
        } else {
            out << "-> " << exchange.message.name() << " (" << mgmtdesc::nameOf(exchange.style);
            if (exchange.style == mgmtdesc::CallStyle::SyncWithTimeout) out << ' ' << exchange.timeout;
            out << ')' << channel << parameterList(exchange.message) << '\n';
            if (exchange.reply) out << "<-" << parameterList(*exchange.reply) << '\n';
        }
        if (exchange.failure) out << "<- failed: " << oneLine(*exchange.failure) << '\n';
    }
    return out.str();
}

std::string toJson(const Exchange& exchange) { return dumped(jsonOf(exchange)); }

std::string callsJson(const std::vector<Exchange>& calls, std::size_t dropped) {
    Json list = Json::array();
    for (const Exchange& exchange : calls) list.push_back(jsonOf(exchange));
    return dumped(Json{{"calls", list}, {"dropped", dropped}});
}

}  // namespace mgmtkit
