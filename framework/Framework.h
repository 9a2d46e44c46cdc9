// Stand-in for the device's remote-call framework, logging library and data
// objects. The proxies compile against exactly these declarations; the real
// libraries are closed and live on the device only. Each section names the
// platform library that provides it, as the stand-in is split the same way
// (framework/CMakeLists.txt).
#pragma once

#include <functional>
#include <list>
#include <map>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------
// Objects and services (libProxyRequest.so, as far as the logging section)

class Context {
public:
    Context();
};

class Executable {
public:
    virtual ~Executable();
    virtual void init(Context&) = 0;
    virtual void shutdown() = 0;
    virtual void timerEvent(int) {}
};

class ProxyRequest;

class Proxy : public Executable {
public:
    void init(Context&) override {}
    void shutdown() override {}
    virtual void initProxy(ProxyRequest&) = 0;
};

class Threadable {
public:
    virtual ~Threadable();
    virtual void run() = 0;
};

class Service : public Executable, public Threadable {};

// No virtual destructor: implementations are never deleted through it.
class DxlDictionary {
public:
    virtual std::string findSchemaName(const std::string& nodeId) = 0;
    virtual std::string exportSchema(const std::string& schemaName) = 0;
};

// An observer the service calls back on its own channel.
class MgmtAgentIfc {
public:
    virtual ~MgmtAgentIfc();
};

class Method;

// What an observer implements to hear from a service it observes: the service
// calls back on the observer's channel, and the framework hands each call to
// notify() of the Executable that owns the channel.
class NotificationSink {
public:
    virtual ~NotificationSink();
    virtual void notify(const Method& notification) = 0;
};

// ---------------------------------------------------------------------------
// Exceptions

class CorvexException {
public:
    explicit CorvexException(const std::string& text);
    virtual ~CorvexException();
    virtual const char* what() const;

private:
    std::string text_;
};

// ---------------------------------------------------------------------------
// Remote-call records

class Parameter {
public:
    enum directions { IN = 0, OUT = 1, INOUT = 2 };
    enum kinds { INT = 0, STRING = 1, BOOL = 2 };

    Parameter(const char* name, kinds kind, directions direction);

    const std::string& name() const { return name_; }
    kinds kind() const { return kind_; }
    directions direction() const { return direction_; }

    // Each throws CorvexException when kind() is another kind.
    int intValue() const;
    const std::string& stringValue() const;
    bool boolValue() const;

private:
    friend class Method;

    std::string name_;
    std::string text_;  // STRING value
    int number_ = 0;    // INT value, or BOOL as 0/1
    kinds kind_;
    directions direction_;
};

class Method {
public:
    enum methodTypes { REQUEST = 0, REPLY = 1 };

    Method();  // an empty reply
    Method(const char* name, methodTypes type);

    const std::string& name() const { return name_; }
    methodTypes type() const { return type_; }
    const std::vector<Parameter>& parameters() const { return parameters_; }

    void addIntParameter(const char* name, const int& value, const Parameter::directions& direction);
    void addStringParameter(const char* name, const std::string& value,
                            const Parameter::directions& direction);
    void addBoolParameter(const char* name, const bool& value, const Parameter::directions& direction);

    // First parameter with that name and direction. Absent: false, value kept.
    // Another kind: throws CorvexException, value kept.
    bool getIntParameter(const char* name, int& value, Parameter::directions direction);
    bool getStringParameter(const char* name, std::string& value, Parameter::directions direction);
    bool getBoolParameter(const char* name, bool& value, Parameter::directions direction);

private:
    const Parameter* find(const char* name, Parameter::directions direction) const;

    std::string name_;
    methodTypes type_;
    std::vector<Parameter> parameters_;
};

// ---------------------------------------------------------------------------
// The request channel and the framework context

class FrameworkContext {
public:
    virtual ~FrameworkContext();
    virtual std::string findChannel(Executable* object);
    virtual Service* findRealService(const std::string& serviceName, const std::string& instance);
};

// A channel with no transport behind it: every call throws CorvexException.
// Transports and test doubles override the calls.
class ProxyRequest {
public:
    explicit ProxyRequest(std::string serviceName = "LocalMgmtService");
    virtual ~ProxyRequest();

    virtual bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel);
    virtual bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel,
                                 int timeout);
    virtual bool asynchronousCall(Method& request);
    virtual bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel);
    virtual bool setProxyOption(const int& option);
    virtual const std::string& getServiceName();

    FrameworkContext* frameworkContext = nullptr;

private:
    std::string serviceName_;
};

// ---------------------------------------------------------------------------
// Logging (libLoggingHandler.so)

bool loggingOnAppVel(const char* component, int level);
void logAppVel(const char* component, const char* file, int level, int line, const char* format, ...)
    __attribute__((format(printf, 5, 6)));

struct LogRecord {
    std::string component, file;
    int level, line;
    std::string format;   // the format exactly as passed
    std::string message;  // the format applied to its arguments
};
using LogSink = std::function<void(const LogRecord&)>;

void setLogSink(LogSink sink);                     // an empty sink restores the default
LogSink currentLogSink();                          // the sink records go to now, to put back later
void setLogLevelEnabled(int level, bool enabled);  // what loggingOnAppVel answers, any component

// ---------------------------------------------------------------------------
// Data objects (libProtocols.so, MemoryInfo: libMemoryInfo.so) and device
// administration (libGPALAdmin.so)

// Key/value content shared by the framework's records; keys are kept sorted so
// that equal objects serialise to equal texts.
using KeyValues = std::map<std::string, std::string>;

class ManageableData {
public:
    enum serializationType { KEY_VALUE_TEXT = 0 };

    virtual ~ManageableData();
    std::string serialize(serializationType type);
    // Refills the object; malformed text throws CorvexException and leaves the
    // object as it was.
    virtual bool deserialize(std::string& text);
    void clearAll();
    void setValue(const std::string& key, const std::string& value);
    std::string getValue(const std::string& key) const;  // "" when absent

    const KeyValues& values() const { return values_; }
    bool operator==(const ManageableData& other) const { return values_ == other.values_; }

private:
    KeyValues values_;
};

// The user data space figures ("total", "used", "free", ... as the service names them).
// A library of its own on the platform: libMemoryInfo.so.
class MemoryInfo {
public:
    virtual ~MemoryInfo();
    // Fills the record; malformed text throws CorvexException and leaves it as it was.
    virtual bool deserialize(std::string& text);
    std::string serialize() const;
    void setValue(const std::string& key, const std::string& value);
    std::string getValue(const std::string& key) const;  // "" when absent

    const KeyValues& values() const { return values_; }
    bool operator==(const MemoryInfo& other) const { return values_ == other.values_; }

private:
    KeyValues values_;
};

// One specific trap: its variable bindings by name.
class SNMPTrapData {
public:
    virtual ~SNMPTrapData();
    virtual std::string serialize();
    void setValue(const std::string& key, const std::string& value);

private:
    KeyValues values_;
};

class Serializer {
public:
    static void serialize(std::string& out, const std::list<std::string>& in);  // replaces out
    // Replaces out; malformed text throws CorvexException and leaves out as it was.
    static void deserialize(const std::string& in, std::list<std::string>& out);
};

class ClientUtils {
public:
    // A copy of a serialised ManageableData text in which the value of every key
    // whose name contains "password" (any letter case) is hidden.
    static std::string hideValuesForKnownPasswords(const char* text, int length);
};

// libGPALAdmin.so
class GPALAdmin {
public:
    static int rebootDevice();                                    // calls the handler
    static void setRebootHandler(std::function<void()> handler);  // empty: the default
};
