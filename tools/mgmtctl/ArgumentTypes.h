// The kinds of argument the operations take, how each is written on the
// command line, and the parsed values handed to the operations.
#pragma once

#include <list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Agents.h"
#include "Framework.h"
#include "Value.h"

namespace mgmtctl {

class Enumeration;

enum class ArgType {
    Int,
    Unsigned,
    Bool,
    Text,
    FileType,
    UserType,
    TrapDest,
    EnvVar,
    UserDataGroup,
    Protocol,
    Certificate,
    AccessLevel,
    Editable,
    EventType,
    List,
    Data,
    TrapData,
    Agent,
    Observer,
};

struct ArgShape {
    const char* name;
    ArgType type;
    // Trailing arguments the operation writes back may be left out; they
    // then start empty.
    bool optional = false;
};

// One argument, parsed. Enumerations are kept as their int value.
struct Argument {
    std::variant<int, unsigned int, bool, std::string, std::list<std::string>, ManageableData, SNMPTrapData,
                 ToolAgent*>
        value;
};

// The interface's spelling of the type, for usage lines ("eFiletype", "bool").
const char* typeName(ArgType type);
// The enumeration behind an enumeration type, or null.
const Enumeration* enumerationOf(ArgType type);
// The types that are enumerations, in ArgType order.
std::vector<ArgType> enumerationTypes();

// Throws ArgumentError when `text` is not a value of that type.
Argument parseArgument(ArgType type, std::string_view text, Agents& agents);
Argument emptyArgument(ArgType type);

// How an argument is shown in a call's header: enumerators by name, password
// values masked.
Value shownArgument(const ArgShape& shape, const Argument& argument);

}  // namespace mgmtctl
