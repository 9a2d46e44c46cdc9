#include "KeyValueText.h"

namespace framework_internal {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

bool needsHexEscape(unsigned char c) { return c < 0x20 || c == 0x7f; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

[[noreturn]] void fail(const char* what, const char* problem, std::size_t offset) {
    throw CorvexException(std::string(what) + ": " + problem + " at offset " + std::to_string(offset));
}

constexpr TextEscaping kKeyValueEscaping(";=");
constexpr const char* kKeyValueWhat = "malformed key/value text";

}  // namespace

void TextEscaping::append(std::string& out, std::string_view raw) const {
    for (char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || isSpecial(c)) {
            out += '\\';
            out += c;
        } else if (needsHexEscape(byte)) {
            const char escape[] = {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0x0f]};
            out.append(escape, sizeof escape);
        } else {
            out += c;
        }
    }
}

std::size_t TextEscaping::readField(std::string_view text, std::size_t pos, std::string& field,
                                    const char* what) const {
    field.clear();
    while (pos < text.size()) {
        const char c = text[pos];
        if (c != '\\') {
            if (isSpecial(c)) return pos;
            field += c;
            ++pos;
            continue;
        }
        if (pos + 1 >= text.size()) fail(what, "dangling backslash", pos);
        const char next = text[pos + 1];
        if (next == '\\' || isSpecial(next)) {
            field += next;
            pos += 2;
        } else if (next == 'x') {
            const int high = pos + 2 < text.size() ? hexValue(text[pos + 2]) : -1;
            const int low = pos + 3 < text.size() ? hexValue(text[pos + 3]) : -1;
            if (high < 0 || low < 0) fail(what, "bad hex escape", pos);
            field += static_cast<char>(high * 16 + low);
            pos += 4;
        } else {
            fail(what, "unknown escape", pos);
        }
    }
    return pos;
}

std::string KeyValueText::serialize(const KeyValues& values) {
    std::string text;
    bool first = true;
    for (const auto& [key, value] : values) {
        if (!first) text += ';';
        first = false;
        kKeyValueEscaping.append(text, key);
        text += '=';
        kKeyValueEscaping.append(text, value);
    }
    return text;
}

KeyValues KeyValueText::parse(std::string_view text) {
    KeyValues values;
    if (text.empty()) return values;
    std::string key;
    std::string value;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t equals = kKeyValueEscaping.readField(text, pos, key, kKeyValueWhat);
        if (equals == text.size() || text[equals] != '=') fail(kKeyValueWhat, "entry without '='", pos);
        const std::size_t end = kKeyValueEscaping.readField(text, equals + 1, value, kKeyValueWhat);
        if (end < text.size() && text[end] == '=') fail(kKeyValueWhat, "second '=' in an entry", end);
        values[key] = value;  // a key given twice keeps its last value
        if (end == text.size()) return values;
        pos = end + 1;  // past the ';'
    }
}

void KeyValueText::refill(KeyValues& values, std::string_view text) {
    KeyValues parsed = parse(text);
    values.swap(parsed);
}

std::string KeyValueText::value(const KeyValues& values, const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
}

}  // namespace framework_internal
