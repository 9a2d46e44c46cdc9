#include "ArgumentTypes.h"

#include <iterator>

#include "ArgumentParsing.h"
#include "Enumerations.h"
#include "Masking.h"
#include "Suggestions.h"

namespace mgmtctl {

namespace {

struct TypeInfo {
    ArgType type;
    const char* name;
    const Enumeration* (*enumeration)();
};

template <const Enumeration& (*table)()>
const Enumeration* enumeration() {
    return &table();
}

const Enumeration* noEnumeration() { return nullptr; }

// One row per type, in the order of ArgType.
constexpr TypeInfo kTypes[] = {
    {ArgType::Int, "int", noEnumeration},
    {ArgType::Unsigned, "unsigned", noEnumeration},
    {ArgType::Bool, "bool", noEnumeration},
    {ArgType::Text, "string", noEnumeration},
    {ArgType::FileType, "eFiletype", enumeration<fileTypes>},
    {ArgType::UserType, "eUsertype", enumeration<userTypes>},
    {ArgType::TrapDest, "TrapDest", enumeration<trapDestinations>},
    {ArgType::EnvVar, "envVar", enumeration<environmentVariables>},
    {ArgType::UserDataGroup, "eResetSpecificUserDataGroup", enumeration<userDataGroups>},
    {ArgType::Protocol, "eDownloadProtocol", enumeration<downloadProtocols>},
    {ArgType::Certificate, "eCertificateType", enumeration<certificateTypes>},
    {ArgType::AccessLevel, "eAccessLevel", enumeration<accessLevels>},
    {ArgType::Editable, "eEditableStatus", enumeration<editableStatuses>},
    {ArgType::EventType, "EventType", enumeration<eventTypes>},
    {ArgType::List, "list", noEnumeration},
    {ArgType::Data, "ManageableData", noEnumeration},
    {ArgType::TrapData, "SNMPTrapData", noEnumeration},
    {ArgType::Agent, "MgmtAgentIfc*", noEnumeration},
    {ArgType::Observer, "Executable*", noEnumeration},
};

constexpr bool inArgTypeOrder() {
    for (std::size_t i = 0; i < std::size(kTypes); ++i)
        if (kTypes[i].type != static_cast<ArgType>(i)) return false;
    return std::size(kTypes) == static_cast<std::size_t>(ArgType::Observer) + 1;
}
static_assert(inArgTypeOrder(), "one row per ArgType, in its order");

const TypeInfo& info(ArgType type) { return kTypes[static_cast<std::size_t>(type)]; }

ManageableData manageableData(const KeyValues& entries) {
    ManageableData data;
    for (const auto& [key, value] : entries) data.setValue(key, value);
    return data;
}

SNMPTrapData trapData(const KeyValues& entries) {
    SNMPTrapData data;
    for (const auto& [key, value] : entries) data.setValue(key, value);
    return data;
}

}  // namespace

const char* typeName(ArgType type) { return info(type).name; }

const Enumeration* enumerationOf(ArgType type) { return info(type).enumeration(); }

std::vector<ArgType> enumerationTypes() {
    std::vector<ArgType> types;
    for (const TypeInfo& row : kTypes)
        if (row.enumeration() != nullptr) types.push_back(row.type);
    return types;
}

Argument parseArgument(ArgType type, std::string_view text, Agents& agents) {
    if (const Enumeration* table = enumerationOf(type)) return {table->parse(text)};
    switch (type) {
        case ArgType::Int: return {parseInt(text)};
        case ArgType::Unsigned: return {parseUnsigned(text)};
        case ArgType::Bool: return {parseBool(text)};
        case ArgType::Text: return {std::string(text)};
        case ArgType::List: return {parseList(text)};
        case ArgType::Data: return {manageableData(parseKeyValues(text))};
        case ArgType::TrapData: return {trapData(parseKeyValues(text))};
        case ArgType::Agent:
        case ArgType::Observer: return {agents.get(text)};
        default: break;
    }
    throw ArgumentError("no parser for this argument type");
}

Argument emptyArgument(ArgType type) {
    switch (type) {
        case ArgType::Text: return {std::string()};
        case ArgType::List: return {std::list<std::string>()};
        case ArgType::Data: return {ManageableData()};
        default: break;
    }
    throw ArgumentError(withArticle(typeName(type)) + " argument cannot be left out");
}

Value shownArgument(const ArgShape& shape, const Argument& argument) {
    if (namesPassword(shape.name)) return Value::text(kMask);
    if (const Enumeration* table = enumerationOf(shape.type)) {
        const int number = std::get<int>(argument.value);
        for (const Enumerator& e : table->enumerators())
            if (e.value == number) return Value::text(e.name);
        return Value::integer(number);
    }
    return std::visit(
        [](const auto& value) -> Value {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, bool>)
                return Value::boolean(value);
            else if constexpr (std::is_same_v<T, int> || std::is_same_v<T, unsigned int>)
                return Value::integer(value);
            else if constexpr (std::is_same_v<T, std::string>)
                return Value::text(value);
            else if constexpr (std::is_same_v<T, std::list<std::string>>)
                return Value::list(value);
            else if constexpr (std::is_same_v<T, ManageableData>)
                return Value::data(maskedEntries(value));
            else if constexpr (std::is_same_v<T, SNMPTrapData>) {
                SNMPTrapData copy(value);
                return Value::text(copy.serialize());
            } else
                return value == nullptr ? Value::none() : Value::text(value->name());
        },
        argument.value);
}

}  // namespace mgmtctl
