// Framework-internal: the one text codec behind ManageableData, MemoryInfo,
// SNMPTrapData, ClientUtils and Serializer. Not part of the public contract:
// compiled into each stand-in library that uses it, and exported by none.
//
// Escaping (shared by every text form, each with its own special characters):
//   '\'                  -> "\\"
//   a special character  -> '\' followed by that character
//   a byte < 0x20, 0x7f  -> "\xHH" (two lower-case hex digits)
//   anything else, bytes >= 0x80 included, passes unchanged.
//
// Key/value text: entries "key=value" joined by ';', keys in sorted order, with
// ';' and '=' special. The empty object is the empty text; an empty key with an
// empty value is "=". Parsing throws CorvexException on malformed text; a key
// given twice keeps its last value.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "Framework.h"

namespace framework_internal {

class TextEscaping {
public:
    // `specials`: the characters that delimit fields in this text form. They
    // must be printable ASCII other than '\' and 'x'.
    constexpr explicit TextEscaping(std::string_view specials) : specials_(specials) {}

    // Appends `raw` to `out`, escaped.
    void append(std::string& out, std::string_view raw) const;

    // Decodes `text` from `pos` up to the first unescaped special character or
    // the end, into `field` (replaced). Returns the position where it stopped:
    // that special character's, or text.size(). Throws CorvexException on a
    // dangling backslash, an unknown escape or a bad hex digit; `what` names
    // the text form in the message. The message never quotes the text.
    std::size_t readField(std::string_view text, std::size_t pos, std::string& field,
                          const char* what) const;

    bool isSpecial(char c) const { return specials_.find(c) != std::string_view::npos; }

private:
    std::string_view specials_;
};

struct KeyValueText {
    static std::string serialize(const KeyValues& values);
    // The values the text holds; throws CorvexException on malformed text.
    static KeyValues parse(std::string_view text);
    // Parses first, so malformed text leaves `values` as it was.
    static void refill(KeyValues& values, std::string_view text);
    static std::string value(const KeyValues& values, const std::string& key);  // "" when absent
};

}  // namespace framework_internal
