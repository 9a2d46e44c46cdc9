#include "ArgumentParsing.h"

#include <cctype>
#include <charconv>
#include <limits>

namespace mgmtctl {

namespace {

// Parses the whole of `text` as a number in the range of `Number`.
template <class Number>
bool parseWhole(std::string_view text, Number& value) {
    bool negative = false;
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    if (digits.empty() || digits.front() == '-' || digits.front() == '+') return false;
    unsigned long long magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (error != std::errc() || end != digits.data() + digits.size()) return false;
    if (negative) {
        if (!std::numeric_limits<Number>::is_signed) return false;
        const auto limit = static_cast<unsigned long long>(std::numeric_limits<Number>::max()) + 1;
        if (magnitude > limit) return false;
        value = static_cast<Number>(-static_cast<long long>(magnitude));
        return true;
    }
    if (magnitude > static_cast<unsigned long long>(std::numeric_limits<Number>::max())) return false;
    value = static_cast<Number>(magnitude);
    return true;
}

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Reads one field of `text` from `at` up to the first unescaped character of
// `delimiters`; returns where it stopped.
std::size_t readField(std::string_view text, std::size_t at, std::string_view delimiters,
                      std::string& field) {
    field.clear();
    while (at < text.size()) {
        const char c = text[at];
        if (c == '\\' && at + 1 < text.size()) {
            field += text[at + 1];
            at += 2;
            continue;
        }
        if (delimiters.find(c) != std::string_view::npos) return at;
        field += c;
        ++at;
    }
    return at;
}

}  // namespace

bool tryParseInt(std::string_view text, int& value) { return parseWhole(text, value); }

int parseInt(std::string_view text) {
    int value = 0;
    if (!parseWhole(text, value)) throw ArgumentError("'" + std::string(text) + "' is not an int");
    return value;
}

unsigned int parseUnsigned(std::string_view text) {
    unsigned int value = 0;
    if (!parseWhole(text, value)) throw ArgumentError("'" + std::string(text) + "' is not an unsigned int");
    return value;
}

bool parseBool(std::string_view text) {
    const std::string word = lowerCase(text);
    if (word == "true" || word == "yes" || word == "on" || word == "1") return true;
    if (word == "false" || word == "no" || word == "off" || word == "0") return false;
    throw ArgumentError("'" + std::string(text) + "' is not a bool; use true or false");
}

std::list<std::string> parseList(std::string_view text) {
    std::list<std::string> items;
    if (text.empty()) return items;
    std::string item;
    std::size_t at = 0;
    for (;;) {
        at = readField(text, at, ",", item);
        items.push_back(item);
        if (at == text.size()) return items;
        ++at;  // past the ','
    }
}

KeyValues parseKeyValues(std::string_view text) {
    KeyValues entries;
    std::string key;
    std::string value;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t equals = readField(text, at, ";=", key);
        if (equals == text.size() || text[equals] != '=') {
            if (key.empty() && equals < text.size()) {  // an empty entry, as in "a=1;;b=2"
                at = equals + 1;
                continue;
            }
            throw ArgumentError("'" + std::string(text) + "': entry '" + key +
                                "' has no '=' (write key=value;key=value)");
        }
        at = readField(text, equals + 1, ";", value);
        entries[key] = value;
        if (at < text.size()) ++at;  // past the ';'
    }
    return entries;
}

}  // namespace mgmtctl
