#include "Arguments.h"

#include <cctype>
#include <charconv>
#include <limits>
#include <list>

#include "BadInput.h"
#include "testing/Masking.h"

namespace mgmtctl {

namespace {

using mgmtdesc::ArgType;

// Parses the whole of `text` as a number in the range of `Number`.
template <class Number>
bool parseWhole(std::string_view text, Number& value) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    if (hex) text.remove_prefix(2);
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, hex ? 16 : 10);
    if (text.empty() || text.front() == '-' || error != std::errc() || end != text.data() + text.size()) return false;
    if (negative) number = std::numeric_limits<Number>::is_signed ? -number : -1;
    if (number < std::numeric_limits<Number>::min() || number > std::numeric_limits<Number>::max()) return false;
    value = static_cast<Number>(number);
    return true;
}

template <class Number>
Number parseNumber(std::string_view text, const char* what) {
    Number value = 0;
    if (!parseWhole(text, value)) throw ArgumentError("'" + std::string(text) + "' is not an " + what);
    return value;
}

// Reads one field of `text` from `at` up to the first unescaped character of
// `delimiters`; returns where it stopped.
std::size_t readField(std::string_view text, std::size_t at, std::string_view delimiters, std::string& field) {
    field.clear();
    for (; at < text.size(); ++at) {
        if (text[at] == '\\' && at + 1 < text.size())
            field += text[++at];
        else if (delimiters.find(text[at]) != std::string_view::npos)
            return at;
        else
            field += text[at];
    }
    return at;
}

bool parseBool(std::string_view text) {
    std::string word(text);
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (word == "true" || word == "yes" || word == "on" || word == "1") return true;
    if (word == "false" || word == "no" || word == "off" || word == "0") return false;
    throw ArgumentError("'" + std::string(text) + "' is not a bool; use true or false");
}

std::list<std::string> parseList(std::string_view text) {
    std::list<std::string> items;
    std::string item;
    for (std::size_t at = 0; !text.empty(); ++at) {  // past each ','
        at = readField(text, at, ",", item);
        items.push_back(item);
        if (at == text.size()) break;
    }
    return items;
}

// An object's entries; an empty entry, as in "a=1;;b=2", is no entry.
template <class Object>
Object filled(std::string_view text) {
    Object object;
    std::string key, value;
    for (std::size_t at = 0; at < text.size(); ++at) {  // past each ';'
        const std::size_t equals = readField(text, at, ";=", key);
        if (key.empty() && equals < text.size() && text[equals] == ';') {
            at = equals;
            continue;
        }
        if (equals == text.size() || text[equals] != '=')
            throw ArgumentError("'" + std::string(text) + "': entry '" + key +
                                "' has no '=' (write key=value;key=value)");
        at = readField(text, equals + 1, ";", value);
        object.setValue(key, value);
    }
    return object;
}

int parseEnumerator(const mgmtdesc::Enumeration& enumeration, std::string_view text) {
    if (const mgmtdesc::Enumerator* named = enumeration.find(text)) return named->value;
    int number = 0;
    if (parseWhole(text, number) && number >= 0 && number <= enumeration.largestValue()) return number;
    std::string names;
    for (const mgmtdesc::Enumerator& e : enumeration.enumerators)
        names += (names.empty() ? "" : ", ") + std::string(shownName(e));
    throw ArgumentError("'" + std::string(text) + "' is not " + withArticle(enumeration.noun) + "; use one of " +
                        names + " or a number from 0 to " + std::to_string(enumeration.largestValue()));
}

ArgumentValue parseValue(ArgType type, std::string_view text, Agents& agents) {
    if (const mgmtdesc::Enumeration* enumeration = mgmtdesc::enumerationOf(type))
        return parseEnumerator(*enumeration, text);
    switch (type) {
        case ArgType::Int: return parseNumber<int>(text, "int");
        case ArgType::Unsigned: return parseNumber<unsigned int>(text, "unsigned int");
        case ArgType::Bool: return parseBool(text);
        case ArgType::List: return parseList(text);
        case ArgType::Data: return filled<ManageableData>(text);
        case ArgType::TrapData: return filled<SNMPTrapData>(text);
        case ArgType::Info: return filled<MemoryInfo>(text);
        case ArgType::Agent:
        case ArgType::Observer: {
            ToolAgent* agent = agents.get(text);
            return agent != nullptr ? mgmtkit::AgentHandle::of(agent) : mgmtkit::AgentHandle();
        }
        default: return std::string(text);
    }
}

}  // namespace

const char* shownName(const mgmtdesc::Enumerator& enumerator) {
    return enumerator.wireName != nullptr ? enumerator.wireName : enumerator.identifier;
}

bool mayBeLeftOut(const mgmtdesc::Operation& operation, std::size_t argument) {
    for (std::size_t i = argument; i < operation.arguments.size(); ++i)
        if (operation.arguments[i].use == mgmtdesc::Use::In) return false;
    return argument < operation.arguments.size();
}

std::vector<ArgumentValue> parseArguments(const mgmtdesc::Operation& operation, const std::vector<std::string>& texts,
                                          Agents& agents) {
    const std::size_t most = operation.arguments.size();
    std::size_t least = 0;
    while (least < most && !mayBeLeftOut(operation, least)) ++least;
    if (texts.size() < least || texts.size() > most)
        throw ArgumentError(
            std::string(operation.name) + " takes " +
            (least == most ? std::to_string(most) : std::to_string(least) + " to " + std::to_string(most)) +
            " arguments, not " + std::to_string(texts.size()));
    std::vector<ArgumentValue> values;
    for (std::size_t i = 0; i < most; ++i) {
        const mgmtdesc::Argument& argument = operation.arguments[i];
        try {
            values.push_back(i < texts.size() ? parseValue(argument.type, texts[i], agents)
                                              : mgmtkit::emptyValue(argument.type));
        } catch (const ArgumentError& error) {
            throw ArgumentError(std::string(argument.name) + ": " + error.what());
        }
    }
    return values;
}

Record shownArgument(const mgmtdesc::Argument& argument, const ArgumentValue& value) {
    if (mgmtkit::namesPassword(argument.name)) return mgmtkit::kMask;
    if (const mgmtdesc::Enumeration* enumeration = mgmtdesc::enumerationOf(argument.type)) {
        const int number = std::get<int>(value);
        const mgmtdesc::Enumerator* named = enumeration->find(number);
        return named != nullptr ? Record(shownName(*named)) : Record(number);
    }
    return shownValue(value);
}

Record shownValue(const ArgumentValue& value) {
    return std::visit(
        [](const auto& v) -> Record {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, ManageableData>) {
                return mgmtkit::maskedEntries(v);
            } else if constexpr (std::is_same_v<T, SNMPTrapData>) {
                return SNMPTrapData(v).serialize();
            } else if constexpr (std::is_same_v<T, MemoryInfo>) {
                return v.values();
            } else if constexpr (std::is_same_v<T, mgmtkit::AgentHandle>) {
                const auto* agent = dynamic_cast<const ToolAgent*>(v.executable);
                return agent != nullptr ? Record(agent->name()) : Record();
            } else {
                return v;
            }
        },
        value);
}

}  // namespace mgmtctl
