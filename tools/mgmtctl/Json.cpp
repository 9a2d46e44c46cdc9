#include "Json.h"

namespace mgmtctl {

namespace {

constexpr char kHex[] = "0123456789abcdef";

bool continuation(std::string_view text, std::size_t at) {
    return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xc0) == 0x80;
}

bool inRange(std::string_view text, std::size_t at, unsigned char low, unsigned char high) {
    if (at >= text.size()) return false;
    const auto byte = static_cast<unsigned char>(text[at]);
    return byte >= low && byte <= high;
}

// Length of the well-formed UTF-8 sequence starting at `at` (lead byte >= 0x80),
// or 0 when there is none: overlong forms, surrogates and values above
// U+10FFFF are not well-formed.
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead >= 0xc2 && lead <= 0xdf) return continuation(text, at + 1) ? 2 : 0;
    if (lead >= 0xe0 && lead <= 0xef) {
        const unsigned char low = lead == 0xe0 ? 0xa0 : 0x80;
        const unsigned char high = lead == 0xed ? 0x9f : 0xbf;
        return inRange(text, at + 1, low, high) && continuation(text, at + 2) ? 3 : 0;
    }
    if (lead >= 0xf0 && lead <= 0xf4) {
        const unsigned char low = lead == 0xf0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xf4 ? 0x8f : 0xbf;
        return inRange(text, at + 1, low, high) && continuation(text, at + 2) && continuation(text, at + 3)
                   ? 4
                   : 0;
    }
    return 0;
}

void appendUnicodeEscape(std::string& out, unsigned char byte) {
    const char escape[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0x0f]};
    out.append(escape, sizeof escape);
}

}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            const std::size_t length = utf8Length(text, at);
            if (length == 0) {
                appendUnicodeEscape(out, byte);
                ++at;
            } else {
                out.append(text.substr(at, length));
                at += length;
            }
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7f)
                    appendUnicodeEscape(out, byte);
                else
                    out += c;
        }
        ++at;
    }
    out += '"';
}

std::string jsonString(std::string_view text) {
    std::string out;
    appendJsonString(out, text);
    return out;
}

void JsonObject::key(const char* name) {
    if (body_.size() > 1) body_ += ',';
    appendJsonString(body_, name);
    body_ += ':';
}

JsonObject& JsonObject::text(const char* name, std::string_view value) {
    key(name);
    appendJsonString(body_, value);
    return *this;
}

JsonObject& JsonObject::number(const char* name, long long value) {
    key(name);
    body_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::flag(const char* name, bool value) {
    key(name);
    body_ += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::raw(const char* name, std::string_view json) {
    key(name);
    body_ += json;
    return *this;
}

}  // namespace mgmtctl
