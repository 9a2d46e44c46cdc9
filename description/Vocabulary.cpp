// The words for kinds, directions, call styles, patterns, interfaces and
// argument types: one text form each, read back where a text comes in.
#include <iterator>

#include "description/ServiceDescription.h"

namespace mgmtdesc {

namespace {

template <class Enum, std::size_t N>
const char* lookUp(const char* const (&names)[N], Enum value) {
    const auto index = static_cast<std::size_t>(value);
    return index < N ? names[index] : "?";
}

template <class Enum, std::size_t N>
std::optional<Enum> named(const char* const (&names)[N], std::string_view name) {
    for (std::size_t i = 0; i < N; ++i)
        if (name == names[i]) return static_cast<Enum>(i);
    return std::nullopt;
}

// In the order of the enumerations they name.
const char* const kKinds[] = {"int", "string", "bool"};
const char* const kDirections[] = {"in", "out", "inout"};
const char* const kStyles[] = {"one-way", "one-way with callback channel", "synchronous",
                               "synchronous with callback channel", "synchronous with time-out"};
const char* const kPatterns[] = {"A", "B", "C", "D", "E", "F"};
const char* const kInterfaces[] = {"LocalMgmtIfc", "LocalMgmtProxy", "ActionEventRequestIfc",
                                   "LocationDeliveryRequestIfc"};
const char* const kArgTypes[] = {
    "int",          "unsigned int",      "bool",          "string",         "eFiletype",
    "eUsertype",    "TrapDest",          "envVar",        "eResetSpecificUserDataGroup",
    "eDownloadProtocol", "eCertificateType", "eAccessLevel", "eEditableStatus", "EventType",
    "list",         "ManageableData",    "SNMPTrapData",  "MemoryInfo",     "MgmtAgentIfc*",
    "Executable*",
};
static_assert(std::size(kKinds) == Parameter::BOOL + 1 && std::size(kDirections) == Parameter::INOUT + 1);
static_assert(std::size(kStyles) == static_cast<std::size_t>(CallStyle::SyncWithTimeout) + 1);
static_assert(std::size(kArgTypes) == static_cast<std::size_t>(ArgType::Observer) + 1);

}  // namespace

const char* nameOf(Parameter::kinds kind) { return lookUp(kKinds, kind); }
const char* nameOf(Parameter::directions direction) { return lookUp(kDirections, direction); }
const char* nameOf(CallStyle style) { return lookUp(kStyles, style); }
const char* nameOf(Pattern pattern) { return lookUp(kPatterns, pattern); }
const char* nameOf(Interface interface) { return lookUp(kInterfaces, interface); }
const char* nameOf(ArgType type) { return lookUp(kArgTypes, type); }

std::optional<Parameter::kinds> kindNamed(std::string_view name) { return named<Parameter::kinds>(kKinds, name); }
std::optional<Parameter::directions> directionNamed(std::string_view name) {
    return named<Parameter::directions>(kDirections, name);
}
std::optional<CallStyle> styleNamed(std::string_view name) { return named<CallStyle>(kStyles, name); }

bool isOneWay(CallStyle style) { return style == CallStyle::OneWay || style == CallStyle::OneWayWithChannel; }

bool carriesCallbackChannel(CallStyle style) {
    return style == CallStyle::OneWayWithChannel || style == CallStyle::SyncWithChannel;
}

std::string failureBehaviour(const Operation& operation) {
    const std::string record = operation.failure.format != nullptr ? operation.failure.format : "";
    std::string quoted = "\"";
    for (const char c : record) quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
    quoted += '"';
    switch (operation.pattern) {
        case Pattern::A:
        case Pattern::B:
        case Pattern::C: return "no record; the CorvexException reaches the caller";
        case Pattern::D: return "the level-3 record " + quoted + " when level 3 is on; the result keeps its value";
        case Pattern::E:
            return "the level-2 record " + quoted +
                   " with the exception's text, whatever the level; the result keeps its value";
        case Pattern::F:
            return (operation.failure.level == 0 ? "prints " + quoted : "the level-2 record " + quoted) +
                   " with the exception's text, then reboots the telephone itself and returns true";
    }
    return "?";
}

}  // namespace mgmtdesc
