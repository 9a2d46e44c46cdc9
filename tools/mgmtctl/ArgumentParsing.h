// Command-line text to the values the interfaces take. Every failure is an
// ArgumentError whose text says what was expected.
#pragma once

#include <list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "Framework.h"

namespace mgmtctl {

class ArgumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Decimal, or hexadecimal with 0x; an optional sign for the signed forms.
bool tryParseInt(std::string_view text, int& value);
int parseInt(std::string_view text);
unsigned int parseUnsigned(std::string_view text);

// true/false, yes/no, on/off, 1/0, in any letter case.
bool parseBool(std::string_view text);

// "a,b,c"; the empty text is the empty list; "\," and "\\" escape.
std::list<std::string> parseList(std::string_view text);

// "key=value;key=value"; the empty text has no entries; "\;", "\=" and "\\"
// escape; a key given twice keeps its last value.
KeyValues parseKeyValues(std::string_view text);

}  // namespace mgmtctl
