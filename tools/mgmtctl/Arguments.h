// An operation's arguments as the tool takes them: from command-line text to
// values of the description's argument types, and back to what the tool shows.
#pragma once

#include <list>
#include <string>
#include <string_view>
#include <vector>

#include "Agents.h"
#include "Records.h"
#include "description/ServiceDescription.h"
#include "testing/OperationCall.h"

namespace mgmtctl {

using mgmtkit::ArgumentValue;

// Decimal, or hexadecimal with 0x; an optional sign for the signed forms.
bool tryParseInt(std::string_view text, int& value);
// true/false, yes/no, on/off, 1/0, in any letter case. Throws ArgumentError.
bool parseBool(std::string_view text);
// "a,b,c"; the empty text is the empty list; "\," and "\\" escape.
std::list<std::string> parseList(std::string_view text);
// "key=value;key=value"; the empty text has no entries; "\;", "\=" and "\\"
// escape; a key given twice keeps its last value. Throws ArgumentError.
KeyValues parseKeyValues(std::string_view text);

// The name an enumerator is shown by: the service's, else the header's.
const char* shownName(const mgmtdesc::Enumerator& enumerator);
// An enumeration's value from any of its names or a number up to the largest
// value it holds. Throws ArgumentError listing the names.
int parseEnumerator(const mgmtdesc::Enumeration& enumeration, std::string_view text);

// Trailing arguments the operation writes back may be left out.
bool mayBeLeftOut(const mgmtdesc::Operation& operation, std::size_t argument);

// The operation's argument values from their texts, left-out ones empty.
// Throws ArgumentError naming the argument that does not fit.
std::vector<ArgumentValue> parseArguments(const mgmtdesc::Operation& operation,
                                          const std::vector<std::string>& texts, Agents& agents);

// How a value is shown: objects as their entries, agents by name.
Record shownValue(const ArgumentValue& value);
// How an argument is shown: enumerators by name, passwords masked.
Record shownArgument(const mgmtdesc::Argument& argument, const ArgumentValue& value);

}  // namespace mgmtctl
