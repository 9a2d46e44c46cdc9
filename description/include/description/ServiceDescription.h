/// \file
/// The remote operations of the three management services, described once.
///
/// One row per operation and overload: the interface and member it belongs
/// to, the name tools list it by, its arguments and result, the remote method
/// it sends with every request and reply value in order, its call style and
/// time-out, its failure pattern and the records it writes. The enumerations
/// the interfaces declare, with the names the service knows them by, and the
/// words that name kinds, directions, call styles and patterns are here too.
/// The \ref operations "operation reference" is written from it.
///
/// This is data only: it knows the interfaces' types but not the proxies, and
/// it needs no test framework. The proxies in src/ are written on their own;
/// the conformance test holds them to these rows. The simulated telephone
/// checks requests against it, the bus service exports its methods from it,
/// and mgmtctl lists, describes and completes from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Framework.h"

/// The service description: operations(), enumerations() and the words for them.
namespace mgmtdesc {

// --- the words -------------------------------------------------------------

/// "int", "string", "bool".
const char* nameOf(Parameter::kinds kind);
/// "in", "out", "inout".
const char* nameOf(Parameter::directions direction);
/// The kind with that word, if any.
std::optional<Parameter::kinds> kindNamed(std::string_view name);
/// The direction with that word, if any.
std::optional<Parameter::directions> directionNamed(std::string_view name);

/// Which channel operation carries the request.
enum class CallStyle {
    OneWay,             ///< asynchronousCall: no reply
    OneWayWithChannel,  ///< asynchronousCallWithChannel, with the observer's callback channel
    Sync,               ///< synchronousCall with an empty callback channel
    SyncWithChannel,    ///< synchronousCall with the observer's callback channel
    SyncWithTimeout     ///< synchronousCall with the operation's time-out
};
/// "one-way", "one-way with callback channel", "synchronous", "synchronous
/// with callback channel", "synchronous with time-out".
const char* nameOf(CallStyle style);
/// The call style with that name, if any.
std::optional<CallStyle> styleNamed(std::string_view name);
/// True for the styles that expect no reply.
bool isOneWay(CallStyle style);
/// True for the styles that send an observer's callback channel with the request.
bool carriesCallbackChannel(CallStyle style);

/// What happens when the channel throws CorvexException.
enum class Pattern {
    A,  ///< one-way: the exception reaches the caller
    B,  ///< one-way with callback channel: the exception reaches the caller
    C,  ///< synchronous: the exception reaches the caller
    D,  ///< synchronous: a level-3 time-out record when level 3 is on; the result keeps its value
    E,  ///< synchronous: a level-2 record with the exception's text; the result keeps its value
    F   ///< synchronous with time-out: reported, then the telephone reboots itself; returns true
};
/// "A" .. "F".
const char* nameOf(Pattern pattern);

/// Whose member an operation is.
enum class Interface {
    LocalMgmt,                ///< LocalMgmtIfc, with the two operations it inherits
    LocalMgmtProxy,           ///< the proxy class LocalMgmtProxy alone
    ActionEventRequest,       ///< ActionEventRequestIfc
    LocationDeliveryRequest   ///< LocationDeliveryRequestIfc
};
/// "LocalMgmtIfc", "LocalMgmtProxy" (members of the proxy class only),
/// "ActionEventRequestIfc", "LocationDeliveryRequestIfc".
const char* nameOf(Interface interface);

// --- arguments and enumerations ----------------------------------------------

/// The types the operations take, as the interfaces declare them.
enum class ArgType {
    Int,            ///< int
    Unsigned,       ///< unsigned int
    Bool,           ///< bool
    Text,           ///< std::string
    FileType,       ///< LocalMgmtIfc::eFiletype
    UserType,       ///< LocalMgmtIfc::eUsertype
    TrapDest,       ///< LocalMgmtIfc::TrapDest
    EnvVar,         ///< envVar
    UserDataGroup,  ///< LocalMgmtIfc::eResetSpecificUserDataGroup
    Protocol,       ///< LocalMgmtIfc::eDownloadProtocol
    Certificate,    ///< LocalMgmtIfc::eCertificateType
    AccessLevel,    ///< LocalMgmtIfc::eAccessLevel
    Editable,       ///< LocalMgmtIfc::eEditableStatus
    EventType,      ///< ActionEventRequestIfc::EventType
    List,           ///< `std::list<std::string>`
    Data,           ///< ManageableData
    TrapData,       ///< SNMPTrapData
    Info,           ///< MemoryInfo
    Agent,          ///< MgmtAgentIfc*
    Observer,       ///< Executable*
};
/// The interface's spelling: "int", "unsigned int", "bool", "string",
/// "eFiletype", ..., "list", "ManageableData", "SNMPTrapData", "MemoryInfo",
/// "MgmtAgentIfc*", "Executable*".
const char* nameOf(ArgType type);

/// One value of an enumeration.
struct Enumerator {
    const char* identifier;  ///< as declared ("FILETYPE_RINGER"); null for a value the header leaves unnamed
    int value;               ///< its number
    const char* wireName = nullptr;  ///< the service's name for it ("ringer"), where it has one
};

/// One enumeration of the interfaces, with the service's names for its values.
struct Enumeration {
    ArgType type;                         ///< the argument type it is
    const char* noun;                     ///< what a value is called in text: "file type"
    std::vector<Enumerator> enumerators;  ///< in declaration order
    /// What a value without a name of its own travels as, for the
    /// enumerations the service knows by name; null for the others.
    const char* fallbackWireName = nullptr;

    /// The service's name for `value`: its own, else the fallback.
    const char* wireNameOf(int value) const;
    /// The enumerator with that identifier or wire name, or null.
    const Enumerator* find(std::string_view name) const;
    /// The enumerator with that value, or null.
    const Enumerator* find(int value) const;
    /// The largest value the type holds: the named values rounded up to all
    /// ones (the proxies forward unnamed values too).
    int largestValue() const;
};

/// Every enumeration the interfaces declare, in ArgType order.
const std::vector<Enumeration>& enumerations();
/// The enumeration behind an argument type, or null.
const Enumeration* enumerationOf(ArgType type);

/// How the operation uses the caller's argument.
enum class Use {
    In,     ///< read only
    InOut,  ///< read, and written back through the reference
    Out,    ///< written only; what it held is not sent
};

/// One argument of an operation.
struct Argument {
    const char* name;  ///< the interface's parameter name
    ArgType type;      ///< its type
    Use use = Use::In;  ///< whether the operation writes it
};

// --- the wire --------------------------------------------------------------

/// One value of a request.
struct Sent {
    const char* name;                 ///< the parameter's name on the wire
    Parameter::kinds kind;            ///< int, string or bool
    Parameter::directions direction;  ///< in or inout
    /// The argument whose value travels here, converted to the kind (an
    /// enumeration to its number or its wire name, a list or an object to its
    /// text); null for a value the operation always sends empty.
    const char* from;
};

/// What a reply value is read for.
enum class Role {
    Result,    ///< the operation's result
    Argument,  ///< the caller's argument `into`
    Status,    ///< must be exactly "SUCCESS" before anything after it is read
};

/// One value read from a reply, in the order the proxy reads it.
struct Read {
    const char* name;                 ///< the parameter's name on the wire
    Parameter::kinds kind;            ///< int, string or bool
    Parameter::directions direction;  ///< out, or inout for a value sent inout
    Role role = Role::Result;         ///< what it is read for
    const char* into = nullptr;       ///< Role::Argument: the argument written
    /// The argument is emptied before the read, so a reply without the value
    /// leaves it empty rather than as it was.
    bool emptiesFirst = false;
};

/// A log record, or the line printed on standard output instead (level 0).
struct Record {
    const char* format = nullptr;  ///< the printf format; null: none
    int level = 0;                 ///< the log level
};

/// One operation: a member of an interface or of the proxy class, and the
/// remote call it makes.
struct Operation {
    Interface interface;              ///< whose member it is
    const char* member;               ///< the C++ member, shared by overloads
    const char* name;                 ///< unique; how tools and tests name it
    std::vector<Argument> arguments;  ///< in declaration order
    const char* result;    ///< nameOf(ArgType) spelling, or "void"
    const char* starting;  ///< the result when nothing replaces it (one-way: the constant returned); null for void

    const char* remote;         ///< the remote method
    CallStyle style;            ///< how the request travels
    int timeout;                ///< ms; 0 unless the style has one
    std::vector<Sent> request;  ///< in sending order
    std::vector<Read> reply;    ///< in reading order

    Pattern pattern;  ///< what a CorvexException from the channel does
    Record trace;     ///< the entry trace, written before anything is sent
    Record failure;   ///< written when CorvexException leaves the guarded region
    /// The result turns true only once the last value has been read.
    bool trueOnceRead = false;
    /// An in-process implementation of the service, when the framework knows
    /// one, answers instead of the channel.
    bool localShortcut = false;

    /// True when the call waits for a reply.
    bool synchronous() const { return !isOneWay(style); }
    /// The argument with that name, or null.
    const Argument* argument(std::string_view name) const;
};

/// LocalMgmtIfc in interface order (the two operations it inherits from
/// DxlDictionary first), the members of LocalMgmtProxy alone, then
/// ActionEventRequestIfc and LocationDeliveryRequestIfc.
const std::vector<Operation>& operations();
/// The operation with that unique name, or null.
const Operation* findOperation(std::string_view name);
/// Every operation that sends that remote method.
std::vector<const Operation*> operationsSending(std::string_view remote);
/// The remote method `name` stands for: itself when an operation sends it,
/// else the one that the operation of that name sends ("observeManageableData"
/// stands for "observeData"); null for neither. No operation's name is
/// another operation's remote method, so either reading is the same.
const char* remoteMethodNamed(std::string_view name);

/// What the proxy does when the call fails, in a sentence, for uploadUserFile
/// `the level-2 record "uploadUserFile: %s\n" with the exception's text, whatever the level; ...`.
std::string failureBehaviour(const Operation& operation);

}  // namespace mgmtdesc
