// Every operation of the three proxies as one row: how to call it with fixed
// arguments, its failure pattern, what it returns when the service says
// nothing, the reply values it reads in order and where each one lands, and
// the record it writes when the call fails, and the request it sends. The
// request checks, the fault sweep, the security checks, the concurrency test
// and the reply fuzzer all walk this one table, and the kit's wire reference
// is generated from it, so an operation added to an interface is added here
// once.
#pragma once

#include <functional>
#include <iosfwd>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "ActionEventRequestProxy.h"
#include "Framework.h"
#include "LocalMgmtProxy.h"
#include "LocationDeliveryRequestProxy.h"

namespace reliability {

enum class Pattern { A, B, C, D, E, F };
const char* nameOf(Pattern pattern);

// What an operation returned, as text ("true", "-1", the string itself);
// nothing for operations that return nothing.
using Result = std::optional<std::string>;

// The caller's variables that operations write through references.
enum class Target {
    Result,       // the operation's own result
    Acknowledge,  // a status word that must be "SUCCESS" before anything else is read
    Identifier,
    DisplayName,
    Filename,
    Value,        // getEnvironmentVariable's output string
    Files,        // the caller's file list, a serialised list on the wire
    Data,         // the caller's ManageableData, its key/value text on the wire
    Info,         // the caller's MemoryInfo, its key/value text on the wire
};

// One value read from the reply, in the order the operation reads it.
struct Read {
    const char* name;
    Parameter::kinds kind;
    Parameter::directions direction;
    Target target;
    bool emptiesTargetFirst = false;  // the object is cleared before this read
};

// The record written when the remote call fails inside the guarded region.
struct FailureRecord {
    const char* format = nullptr;  // nullptr: the failure is not reported
    int level = 0;
    bool onStandardOutput = false;  // printed instead of logged
};

// The variables a caller hands to operations by reference, with known
// contents, so that what an operation did to them can be compared.
struct CallerArgs {
    CallerArgs();
    std::string identifier, displayName, filename, value;
    std::list<std::string> files;
    ManageableData data;
    MemoryInfo info;
    bool operator==(const CallerArgs& other) const;
};
std::ostream& operator<<(std::ostream& out, const CallerArgs& args);

// An observer the service would call back: the framework knows it as an
// Executable, the interfaces take it as a MgmtAgentIfc.
// The agent interface comes first, so only a real cross-cast finds the
// Executable part.
class Agent : public MgmtAgentIfc, public Executable {
public:
    void init(Context&) override {}
    void shutdown() override {}
};

// One of each proxy on one channel.
struct Proxies {
    explicit Proxies(ProxyRequest& channel);
    LocalMgmtProxy local;
    ActionEventRequestProxy actions;
    LocationDeliveryRequestProxy location;
    Agent agent;
    // What the observer operations are handed: the request test swaps in
    // agents the framework cannot name.
    MgmtAgentIfc* handedAgent = &agent;
    Executable* handedObserver = &agent;
};

// What sets an operation apart from the plain shape of its pattern.
enum Trait : unsigned {
    kPlain = 0,
    kTrueOnceAllRead = 1u << 0,  // the result becomes true only after the last read
    kLocalService = 1u << 1,     // asks the framework context for an in-process service first
    kObserver = 1u << 2,         // asks the framework context for the agent's channel first
};

// How a request goes out: style "one-way", "one-way with channel", "sync" or
// "sync with timeout", the time-out in ms, the callback channel.
struct Wire {
    const char* style;
    int timeout;
    const char* callbackChannel;
};

// What an operation puts on the wire when the framework knows the agent's
// channel as "agent-chan".
struct Request {
    const char* remote = nullptr;
    std::vector<std::string> params;  // "<kind>:<name>=<value>" in order, kind i, s or b, in capitals when INOUT
    Wire wire = {};
    std::vector<std::string> timeline = {"send"};  // "<level> <message>" records and where the send fell
};

struct Operation {
    const char* name;  // unique: the name mgmtctl lists, overloads told apart
    Pattern pattern;
    std::function<Result(Proxies&, CallerArgs&)> call;
    Request request;
    Result starting;  // returned when the reply carries nothing (one-way: the constant)
    std::vector<Read> reads = {};
    FailureRecord failure = {};
    unsigned traits = kPlain;
    // "LocalMgmtIfc", "ActionEventRequestIfc", "LocationDeliveryRequestIfc",
    // or "LocalMgmtProxy" for members of the proxy class only.
    const char* interfaceName = nullptr;

    bool has(Trait trait) const { return (traits & trait) != 0; }
    bool synchronous() const { return pattern != Pattern::A && pattern != Pattern::B; }
    // Whether the framework context is asked anything before the request is built.
    bool asksContext() const { return has(kLocalService) || has(kObserver); }
    const Read* dataRead() const;  // the read that refills an object, if any
};

const std::vector<Operation>& operations();

// Every password handed to an operation by the table, including the values of
// password keys in CallerArgs::data.
const std::vector<std::string>& secrets();

// What the tests and the fuzzer script into replies.
int scriptedInt();
std::string scriptedString(const Read& read);
std::string validText(Target target);      // a text that refills the target's object
std::string malformedText(Target target);  // a text the target's object rejects
bool isObject(Target target);

// The caller's variables after `read` delivered its scripted value.
void applyScripted(const Read& read, CallerArgs& args, Result& result);

std::string show(bool value);
std::string show(int value);
std::string show(unsigned value);
std::string show(const std::string& value);

}  // namespace reliability
