// An operation's arguments as the tool takes them: from command-line text to
// values of the description's argument types, and back to what the tool shows.
#pragma once

#include <string>
#include <vector>

#include "Agents.h"
#include "Records.h"
#include "description/ServiceDescription.h"
#include "testing/OperationCall.h"

namespace mgmtctl {

using mgmtkit::ArgumentValue;

// The name an enumerator is shown by: the service's, else the header's.
const char* shownName(const mgmtdesc::Enumerator& enumerator);

// Trailing arguments the operation writes back may be left out.
bool mayBeLeftOut(const mgmtdesc::Operation& operation, std::size_t argument);

// The operation's argument values from their texts, left-out ones empty.
// Throws ArgumentError naming the argument that does not fit. Numbers are
// decimal, or hexadecimal with 0x; bools true/false, yes/no, on/off, 1/0 in
// any letter case; lists "a,b,c" with "\," and "\\" escaped; objects
// "key=value;key=value" with "\;", "\=" and "\\" escaped, a key given twice
// keeping its last value; enumerations any of their names, or a number up to
// the largest value the type holds.
std::vector<ArgumentValue> parseArguments(const mgmtdesc::Operation& operation, const std::vector<std::string>& texts,
                                          Agents& agents);

// How a value is shown: objects as their entries, agents by name.
Record shownValue(const ArgumentValue& value);
// How an argument is shown: enumerators by name, passwords masked.
Record shownArgument(const mgmtdesc::Argument& argument, const ArgumentValue& value);

}  // namespace mgmtctl
