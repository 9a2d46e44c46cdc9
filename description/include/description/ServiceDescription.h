// The remote operations of the three management services, described once.
//
// One row per operation and overload: the interface and member it belongs
// to, the name tools list it by, its arguments and result, the remote method
// it sends with every request and reply value in order, its call style and
// time-out, its failure pattern and the records it writes. The enumerations
// the interfaces declare, with the names the service knows them by, and the
// words that name kinds, directions, call styles and patterns are here too.
//
// This is data only: it knows the interfaces' types but not the proxies, and
// it needs no test framework. The proxies in src/ are written on their own;
// the conformance test holds them to these rows. The simulated telephone
// checks requests against it, the bus service exports its methods from it,
// and mgmtctl lists, describes and completes from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Framework.h"

namespace mgmtdesc {

// --- the words -------------------------------------------------------------

// "int", "string", "bool".
const char* nameOf(Parameter::kinds kind);
// "in", "out", "inout".
const char* nameOf(Parameter::directions direction);
std::optional<Parameter::kinds> kindNamed(std::string_view name);
std::optional<Parameter::directions> directionNamed(std::string_view name);

// Which channel operation carries the request.
enum class CallStyle { OneWay, OneWayWithChannel, Sync, SyncWithChannel, SyncWithTimeout };
// "one-way", "one-way with callback channel", "synchronous", "synchronous
// with callback channel", "synchronous with time-out".
const char* nameOf(CallStyle style);
std::optional<CallStyle> styleNamed(std::string_view name);
bool isOneWay(CallStyle style);
bool carriesCallbackChannel(CallStyle style);

// What happens when the channel throws CorvexException.
enum class Pattern { A, B, C, D, E, F };
// "A" .. "F".
const char* nameOf(Pattern pattern);

enum class Interface { LocalMgmt, LocalMgmtProxy, ActionEventRequest, LocationDeliveryRequest };
// "LocalMgmtIfc", "LocalMgmtProxy" (members of the proxy class only),
// "ActionEventRequestIfc", "LocationDeliveryRequestIfc".
const char* nameOf(Interface interface);

// --- arguments and enumerations ----------------------------------------------

// The types the operations take, as the interfaces declare them.
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
    Info,
    Agent,
    Observer,
};
// The interface's spelling: "int", "unsigned int", "bool", "string",
// "eFiletype", ..., "list", "ManageableData", "SNMPTrapData", "MemoryInfo",
// "MgmtAgentIfc*", "Executable*".
const char* nameOf(ArgType type);

struct Enumerator {
    const char* identifier;  // as declared ("FILETYPE_RINGER"); null for a value the header leaves unnamed
    int value;
    const char* wireName = nullptr;  // the service's name for it ("ringer"), where it has one
};

struct Enumeration {
    ArgType type;
    const char* noun;  // "file type"
    std::vector<Enumerator> enumerators;
    // What a value without a name of its own travels as, for the
    // enumerations the service knows by name; null for the others.
    const char* fallbackWireName = nullptr;

    // The service's name for `value`: its own, else the fallback.
    const char* wireNameOf(int value) const;
    // The enumerator with that identifier or wire name, or with that value.
    const Enumerator* find(std::string_view name) const;
    const Enumerator* find(int value) const;
    // The largest value the type holds: the named values rounded up to all
    // ones (the proxies forward unnamed values too).
    int largestValue() const;
};

// Every enumeration the interfaces declare, in ArgType order.
const std::vector<Enumeration>& enumerations();
// The enumeration behind an argument type, or null.
const Enumeration* enumerationOf(ArgType type);

// How the operation uses the caller's argument.
enum class Use {
    In,     // read only
    InOut,  // read, and written back through the reference
    Out,    // written only; what it held is not sent
};

struct Argument {
    const char* name;  // the interface's parameter name
    ArgType type;
    Use use = Use::In;
};

// --- the wire --------------------------------------------------------------

// One value of a request.
struct Sent {
    const char* name;
    Parameter::kinds kind;
    Parameter::directions direction;
    // The argument whose value travels here, converted to the kind (an
    // enumeration to its number or its wire name, a list or an object to its
    // text); null for a value the operation always sends empty.
    const char* from;
};

// What a reply value is read for.
enum class Role {
    Result,    // the operation's result
    Argument,  // the caller's argument `into`
    Status,    // must be exactly "SUCCESS" before anything after it is read
};

// One value read from a reply, in the order the proxy reads it.
struct Read {
    const char* name;
    Parameter::kinds kind;
    Parameter::directions direction;
    Role role = Role::Result;
    const char* into = nullptr;  // Role::Argument: the argument written
    // The argument is emptied before the read, so a reply without the value
    // leaves it empty rather than as it was.
    bool emptiesFirst = false;
};

// A log record, or the line printed on standard output instead (level 0).
struct Record {
    const char* format = nullptr;  // null: none
    int level = 0;
};

struct Operation {
    Interface interface;
    const char* member;  // the C++ member, shared by overloads
    const char* name;    // unique; how tools and tests name it
    std::vector<Argument> arguments;
    const char* result;    // nameOf(ArgType) spelling, or "void"
    const char* starting;  // the result when nothing replaces it (one-way: the constant returned); null for void

    const char* remote;
    CallStyle style;
    int timeout;  // ms; 0 unless the style has one
    std::vector<Sent> request;
    std::vector<Read> reply;

    Pattern pattern;
    Record trace;    // the entry trace, written before anything is sent
    Record failure;  // written when CorvexException leaves the guarded region
    // The result turns true only once the last value has been read.
    bool trueOnceRead = false;
    // An in-process implementation of the service, when the framework knows
    // one, answers instead of the channel.
    bool localShortcut = false;

    bool synchronous() const { return !isOneWay(style); }
    const Argument* argument(std::string_view name) const;
};

// LocalMgmtIfc in interface order (the two operations it inherits from
// DxlDictionary first), the members of LocalMgmtProxy alone, then
// ActionEventRequestIfc and LocationDeliveryRequestIfc.
const std::vector<Operation>& operations();
const Operation* findOperation(std::string_view name);
// Every operation that sends that remote method.
std::vector<const Operation*> operationsSending(std::string_view remote);

// What the proxy does when the call fails, in a sentence: "the level-2
// record "uploadUserFile: %s\n" with the exception's text, whatever the
// level; the result keeps its value".
std::string failureBehaviour(const Operation& operation);

}  // namespace mgmtdesc
