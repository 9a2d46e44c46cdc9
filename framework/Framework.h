/// \file
/// The telephone platform as the proxies, their clients and our tests compile
/// against it. The platform's libraries are closed and live on the telephone
/// only; this is the stand-in's one header, split into the same five libraries
/// (framework/CMakeLists.txt), and each part below names the one that provides it:
///
/// | Library | What it provides |
/// |---|---|
/// | \ref lib_ProxyRequest "libProxyRequest.so" | the remote-call framework: objects and services, CorvexException, remote-call records, the request channel and the framework context |
/// | \ref lib_LoggingHandler "libLoggingHandler.so" | logging |
/// | \ref lib_Protocols "libProtocols.so" | the data objects requests carry: ManageableData, SNMPTrapData, Serializer, ClientUtils |
/// | \ref lib_MemoryInfo "libMemoryInfo.so" | MemoryInfo |
/// | \ref lib_GPALAdmin "libGPALAdmin.so" | device administration: GPALAdmin |
///
/// The CMake target `mgmt_framework` links all five. What only the stand-in
/// has, for tests and tools on a development machine, says "Stand-in only":
/// code meant for a telephone must not rely on it.
#pragma once

#include <functional>
#include <list>
#include <map>
#include <string>
#include <vector>

/// \defgroup lib_ProxyRequest libProxyRequest.so: the remote-call framework
/// The objects the framework runs, the one exception it throws, remote-call
/// records, the request channel and the framework context.
/// @{

// ---------------------------------------------------------------------------
// Objects and services

/// What the framework hands an Executable when it starts it. The proxies take
/// nothing from it.
class Context {
public:
    /// An empty context.
    Context();
};

/// An object the framework runs: started with init(), stopped with
/// shutdown(), and told of its timers.
class Executable {
public:
    /// Destroyed through this base by whoever owns the object: the framework
    /// owns a proxy from its factory on.
    virtual ~Executable();
    /// Starts the object in the context given.
    virtual void init(Context&) = 0;
    /// Stops the object; no call reaches it afterwards.
    virtual void shutdown() = 0;
    /// One of the object's timers went off; the int names it. Ignored unless
    /// overridden.
    virtual void timerEvent(int) {}
};

class ProxyRequest;

/// The client side of a service: the framework creates it through a factory and
/// binds it to a request channel, through which every call then goes.
class Proxy : public Executable {
public:
    /// Nothing to start: a proxy is ready once bound by initProxy().
    void init(Context&) override {}
    /// Nothing to stop: a proxy holds no thread and no timer.
    void shutdown() override {}
    /// Binds the proxy to the channel its calls go through, which it keeps but
    /// does not own.
    virtual void initProxy(ProxyRequest&) = 0;
};

/// Something the framework runs on a thread of its own.
class Threadable {
public:
    /// Destroyed through this base by its owner.
    virtual ~Threadable();
    /// The thread's body; returning ends the thread.
    virtual void run() = 0;
};

/// A service implementation. Where one lives in the client's process,
/// FrameworkContext::findRealService() finds it, and LocalMgmtProxy's data
/// operations call it directly instead of through the channel.
class Service : public Executable, public Threadable {};

/// The schema dictionary of the service's manageable data. No virtual
/// destructor: implementations are never deleted through it.
class DxlDictionary {
public:
    /// The name of the schema that describes the data at `nodeId`.
    virtual std::string findSchemaName(const std::string& nodeId) = 0;
    /// The schema `schemaName` as text.
    virtual std::string exportSchema(const std::string& schemaName) = 0;
};

/// A management agent: an observer the service calls back on the agent's own
/// channel. The agent is also the Executable that owns that channel, which is
/// how the proxies find the channel (FrameworkContext::findChannel()).
class MgmtAgentIfc {
public:
    /// Destroyed through this base by its owner.
    virtual ~MgmtAgentIfc();
};

class Method;

/// What an observer implements to hear from a service it observes: the service
/// calls back on the observer's channel, and the framework hands each call to
/// notify() of the Executable that owns the channel.
class NotificationSink {
public:
    /// Destroyed through this base by its owner.
    virtual ~NotificationSink();
    /// One call from the service: its name says what happened ("dataChanged"),
    /// its parameters the details.
    virtual void notify(const Method& notification) = 0;
};

// ---------------------------------------------------------------------------
// Exceptions

/// The framework's one exception: a call that failed or timed out, a value read
/// as the wrong kind, a data object's text that does not parse. It is not a
/// std::exception; the proxies catch it, and only it, by reference.
class CorvexException {
public:
    /// An exception that says `text`.
    explicit CorvexException(const std::string& text);
    /// Nothing to release beyond the text.
    virtual ~CorvexException();
    /// The text given to the constructor, valid as long as the exception is.
    virtual const char* what() const;

private:
    std::string text_;
};

// ---------------------------------------------------------------------------
// Remote-call records

/// One value of a remote-call record: a name, a kind and a direction.
class Parameter {
public:
    /// Which way the value travels.
    enum directions {
        IN = 0,    ///< from the caller to the service
        OUT = 1,   ///< from the service back to the caller
        INOUT = 2  ///< sent, and sent back under the same name
    };
    /// What the value is.
    enum kinds {
        INT = 0,     ///< an int
        STRING = 1,  ///< a std::string; data objects and lists travel serialised as one
        BOOL = 2     ///< a bool
    };

    /// A parameter without a value yet; Method's add calls make them. A null
    /// `name` is taken as "".
    Parameter(const char* name, kinds kind, directions direction);

    /// Its name; a record may hold the same name more than once.
    const std::string& name() const { return name_; }
    /// Its kind, which says which of the value calls answers.
    kinds kind() const { return kind_; }
    /// Which way it travels.
    directions direction() const { return direction_; }

    /// The INT value; throws CorvexException when kind() is another kind.
    int intValue() const;
    /// The STRING value; throws CorvexException when kind() is another kind.
    const std::string& stringValue() const;
    /// The BOOL value; throws CorvexException when kind() is another kind.
    bool boolValue() const;

private:
    friend class Method;

    std::string name_;
    std::string text_;  // STRING value
    int number_ = 0;    // INT value, or BOOL as 0/1
    kinds kind_;
    directions direction_;
};

/// One remote call, or its reply: the remote method's name and typed, named,
/// directed parameters in the order they were added.
class Method {
public:
    /// Request or reply.
    enum methodTypes {
        REQUEST = 0,  ///< a request: what the proxies send
        REPLY = 1     ///< a reply: what the channel fills in
    };

    /// An empty reply, for a synchronous call to fill in; its name() is "".
    Method();
    /// A record named after the remote method `name` (null is taken as "").
    Method(const char* name, methodTypes type);

    /// The remote method's name.
    const std::string& name() const { return name_; }
    /// Request or reply.
    methodTypes type() const { return type_; }
    /// Every parameter, in the order added.
    const std::vector<Parameter>& parameters() const { return parameters_; }

    /// Appends an INT parameter holding a copy of `value`; a name may come
    /// more than once.
    void addIntParameter(const char* name, const int& value, const Parameter::directions& direction);
    /// Appends a STRING parameter holding a copy of `value`.
    void addStringParameter(const char* name, const std::string& value,
                            const Parameter::directions& direction);
    /// Appends a BOOL parameter holding a copy of `value`.
    void addBoolParameter(const char* name, const bool& value, const Parameter::directions& direction);

    /// Reads the first parameter with that name (case-sensitive) and that
    /// direction into `value` and returns true. None: returns false, `value`
    /// kept. Another kind: throws CorvexException, `value` kept. Reading never
    /// changes the record.
    bool getIntParameter(const char* name, int& value, Parameter::directions direction);
    /// As getIntParameter(), for a STRING parameter.
    bool getStringParameter(const char* name, std::string& value, Parameter::directions direction);
    /// As getIntParameter(), for a BOOL parameter.
    bool getBoolParameter(const char* name, bool& value, Parameter::directions direction);

private:
    const Parameter* find(const char* name, Parameter::directions direction) const;

    std::string name_;
    methodTypes type_;
    std::vector<Parameter> parameters_;
};

// ---------------------------------------------------------------------------
// The request channel and the framework context

/// What the framework knows of the client's process: the channels of its
/// objects and the services that live in it. The defaults know nothing;
/// transports and the test kit override them.
class FrameworkContext {
public:
    /// Destroyed through this base by its owner.
    virtual ~FrameworkContext();
    /// The channel on which the service reaches `object`, an observer; "" when
    /// it has none (the default).
    virtual std::string findChannel(Executable* object);
    /// The implementation of `serviceName` when it lives in this process, for
    /// the proxies to call directly; nullptr when it does not (the default).
    /// The proxies pass "" as `instance`.
    virtual Service* findRealService(const std::string& serviceName, const std::string& instance);
};

/// The request channel a proxy is bound to. This one has no transport behind
/// it: every call throws CorvexException. Transports and test doubles override
/// the calls. The proxies learn of a failure only through CorvexException and
/// never look at the calls' results.
class ProxyRequest {
public:
    /// A channel to the service `serviceName`.
    explicit ProxyRequest(std::string serviceName = "LocalMgmtService");
    /// Destroyed through this base by its owner; the proxies bound to it do not
    /// own it.
    virtual ~ProxyRequest();

    /// Sends `request` and returns once `reply` (empty when passed) is filled
    /// in. `callbackChannel` is the channel of the observer the call
    /// registers, "" for none. Every failure is thrown as CorvexException.
    virtual bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel);
    /// As the call without `timeout`, giving up with CorvexException after
    /// `timeout` milliseconds (the proxies pass 60000 or 600000).
    virtual bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel,
                                 int timeout);
    /// Hands `request` over and returns; no reply comes back.
    virtual bool asynchronousCall(Method& request);
    /// As asynchronousCall(), for a call that registers the observer on
    /// `callbackChannel`.
    virtual bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel);
    /// Sets a channel option; LocalMgmtProxy sets 4 when bound. Its meaning is
    /// the channel's: this one accepts any option and returns true.
    virtual bool setProxyOption(const int& option);
    /// The service the channel serves, as given to the constructor.
    virtual const std::string& getServiceName();

    /// The framework context the proxies ask for observers' channels and for
    /// services in this process; null when there is none.
    FrameworkContext* frameworkContext = nullptr;

private:
    std::string serviceName_;
};

/// @}

// ---------------------------------------------------------------------------
// Logging

/// \defgroup lib_LoggingHandler libLoggingHandler.so: logging
/// Log records by component and level. The proxies ask loggingOnAppVel()
/// before every record that is not an error.
/// @{

/// Whether records of `level` are wanted from `component`. In the stand-in
/// levels 0 to 3 are on to begin with, whatever the component.
bool loggingOnAppVel(const char* component, int level);
/// Writes one record: `format` with its arguments, printf-style (the compiler
/// checks them), from `line` of `file`. It writes whatever it is given;
/// asking loggingOnAppVel() first is the caller's business.
void logAppVel(const char* component, const char* file, int level, int line, const char* format, ...)
    __attribute__((format(printf, 5, 6)));

/// One record as a log sink receives it. Stand-in only.
struct LogRecord {
    /// The component, as the writer passed it.
    std::string component, file;  ///< the source file path, as the writer passed it
    /// The record's level.
    int level, line;  ///< the line of the statement that wrote it
    std::string format;   ///< the format exactly as passed
    std::string message;  ///< the format applied to its arguments
};
/// Where records go. Records reach it one at a time; it must not write records
/// or change the sink itself. Stand-in only.
using LogSink = std::function<void(const LogRecord&)>;

/// Sends every record to `sink`; an empty sink restores the default, one line
/// per record on standard error. Stand-in only.
void setLogSink(LogSink sink);
/// The sink records go to now, to put back later. Stand-in only.
LogSink currentLogSink();
/// Switches `level` on or off for every component: what loggingOnAppVel()
/// answers. Stand-in only.
void setLogLevelEnabled(int level, bool enabled);

/// @}

// ---------------------------------------------------------------------------
// Data objects (libProtocols.so, MemoryInfo: libMemoryInfo.so) and device
// administration (libGPALAdmin.so)

/// \defgroup lib_Protocols libProtocols.so: data objects
/// The data objects requests carry, each serialised to one string value, and
/// password masking for their text.
/// @{

/// Key/value content of the data objects; keys are kept sorted, so that equal
/// objects serialise to equal texts.
using KeyValues = std::map<std::string, std::string>;

/// Manageable data: values by key, as LocalMgmtIfc::setData() sends them and
/// LocalMgmtIfc::getData() reads them back.
class ManageableData {
public:
    /// Text forms of the object.
    enum serializationType {
        KEY_VALUE_TEXT = 0  ///< the one form there is, and the one the proxies use
    };

    /// Destroyed through this base by its owner.
    virtual ~ManageableData();
    /// The object as one string; deserialize() gives back an equal object, for
    /// any keys and values.
    std::string serialize(serializationType type);
    /// Refills the object from `text`; malformed text throws CorvexException
    /// and leaves the object as it was.
    virtual bool deserialize(std::string& text);
    /// Empties the object.
    void clearAll();
    /// Sets `key` to `value`, replacing what it held.
    void setValue(const std::string& key, const std::string& value);
    /// The value of `key`; "" when absent.
    std::string getValue(const std::string& key) const;

    /// Every value by key.
    const KeyValues& values() const { return values_; }
    /// Equal when they hold the same values under the same keys.
    bool operator==(const ManageableData& other) const { return values_ == other.values_; }

private:
    KeyValues values_;
};

/// @}

/// \defgroup lib_MemoryInfo libMemoryInfo.so: memory information
/// A data object too, but the platform publishes it as a library of its own.
/// @{

/// The user data space figures by name ("total", "used", "free", ... as the
/// service names them), which LocalMgmtIfc::getUserDataSpaceInfo() fills in.
class MemoryInfo {
public:
    /// Destroyed through this base by its owner.
    virtual ~MemoryInfo();
    /// Fills the record from `text`; malformed text throws CorvexException and
    /// leaves it as it was.
    virtual bool deserialize(std::string& text);
    /// The record as one string, in the text deserialize() reads.
    std::string serialize() const;
    /// Sets the figure `key` to `value`.
    void setValue(const std::string& key, const std::string& value);
    /// The figure `key`; "" when absent.
    std::string getValue(const std::string& key) const;

    /// Every figure by name.
    const KeyValues& values() const { return values_; }
    /// Equal when they hold the same figures.
    bool operator==(const MemoryInfo& other) const { return values_ == other.values_; }

private:
    KeyValues values_;
};

/// @}

/// \addtogroup lib_Protocols
/// @{

/// One specific trap, as LocalMgmtIfc::raiseSpecificTrap() sends it: its
/// variable bindings by name.
class SNMPTrapData {
public:
    /// Destroyed through this base by its owner.
    virtual ~SNMPTrapData();
    /// The trap as one string.
    virtual std::string serialize();
    /// Binds the variable `key` to `value`.
    void setValue(const std::string& key, const std::string& value);

private:
    KeyValues values_;
};

/// A list of strings as one string, for lists a request or reply carries.
class Serializer {
public:
    /// Replaces `out` with `in` as one string. Any list comes back unchanged
    /// through deserialize(), whatever its elements hold; only the empty list
    /// gives the text "empty".
    static void serialize(std::string& out, const std::list<std::string>& in);
    /// Replaces `out` with the list `in` holds; malformed text throws
    /// CorvexException and leaves `out` as it was.
    static void deserialize(const std::string& in, std::list<std::string>& out);
};

/// What clients need to show data objects without giving passwords away.
class ClientUtils {
public:
    /// A copy of the serialised ManageableData text at `text` (`length`
    /// bytes) in which the value of every key whose name contains "password",
    /// in any letter case, is hidden. Text that does not parse is hidden whole.
    static std::string hideValuesForKnownPasswords(const char* text, int length);
};

/// @}

/// \defgroup lib_GPALAdmin libGPALAdmin.so: device administration
/// @{

/// Device administration: what the proxies fall back on when a reboot or a
/// factory reset cannot reach the service.
class GPALAdmin {
public:
    /// Reboots the device, and returns 0. The stand-in cannot restart this
    /// machine: it calls the reboot handler, whose default writes one line
    /// saying that a reboot was requested.
    static int rebootDevice();
    /// Makes `handler` what rebootDevice() calls; an empty one restores the
    /// default. Stand-in only.
    static void setRebootHandler(std::function<void()> handler);
};

/// @}
