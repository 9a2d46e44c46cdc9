// Any operation driven by its row of the service description, with nothing
// written per operation: arguments made for the row's types, the call, the
// request the row says goes out for them, a reply scripted from the row's
// reply values, and what the caller holds once the proxy has read it. The
// conformance test, the fault sweep, the security and concurrency checks, the
// bus test and the reply fuzzer all drive the proxies this way. Needs no test
// framework, so the fuzzer can use it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ActionEventRequestProxy.h"
#include "Framework.h"
#include "LocalMgmtProxy.h"
#include "LocationDeliveryRequestProxy.h"
#include "description/ServiceDescription.h"
#include "testing/OperationCall.h"

namespace testing_support {

using mgmtdesc::Operation;
using mgmtkit::ArgumentValue;
using ArgumentValues = std::vector<ArgumentValue>;
using Result = std::optional<ArgumentValue>;  // nothing for operations that return nothing

// An observer the framework can reach: an Executable, handed over as an agent.
// The agent interface comes first, so the Executable part sits at an offset
// and only a real cross-cast finds it.
struct Agent : MgmtAgentIfc, Executable {
    void init(Context&) override {}
    void shutdown() override {}
};

// One of each proxy, as the factories make them, and an agent to hand them.
struct Proxies {
    Proxies() = default;  // unbound
    explicit Proxies(ProxyRequest& channel) { bind(channel); }
    void bind(ProxyRequest& channel);

    LocalMgmtProxy local;
    ActionEventRequestProxy actions;
    LocationDeliveryRequestProxy location;
    Agent agent;
};

// A value for each argument of the row: texts named after their argument
// (passwords secret), enumerations a named value, lists and objects with
// content, flags true then false, observers `agent`.
ArgumentValues sampleArguments(const Operation& row, Agent& agent);
// Every password sampleArguments hands out, those inside ManageableData included.
const std::vector<std::string>& secrets();

// Calls the operation with `arguments`: through its interface, or the two
// members of the proxy class alone directly.
Result call(const Operation& row, Proxies& proxies, ArgumentValues& arguments);

// The request the row says goes out for these arguments.
Method expectedRequest(const Operation& row, const ArgumentValues& arguments);

// A reply carrying every value the row reads, each under its name, kind and
// direction: numbers 42, flags true, "SUCCESS" for a status, object texts
// that parse, other texts "reply:<name>". WrongKind gives the read `at` a
// value of another kind; Malformed gives it an object text that does not parse.
enum class ReplyFault { None, Empty, WrongKind, Malformed };
Method scriptedReply(const Operation& row, ReplyFault fault = ReplyFault::None, std::size_t at = 0);
// Whether the read refills an object (a list, ManageableData, MemoryInfo) from its text.
bool refillsObject(const Operation& row, std::size_t read);
// The CorvexException text the read `at` of a faulty reply raises.
std::string readFailure(const Operation& row, ReplyFault fault, std::size_t at);

// The text of the `Failure` that `work` throws; anything else passes on.
template <class Failure = CorvexException, class Work>
std::string textThrownBy(Work&& work) {
    try {
        work();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "<nothing thrown>";
}

// What the caller holds: the result and its arguments.
struct Outcome {
    Result result;
    ArgumentValues arguments;
};
// Before any reply: the row's starting value.
Outcome startingOutcome(const Operation& row, ArgumentValues arguments);
// The step the proxy takes on arriving at a read (emptying the argument
// first), and the read of the scripted value.
void arriveAt(const Operation& row, std::size_t read, Outcome& outcome);
void applyRead(const Operation& row, std::size_t read, Outcome& outcome);
// Once every value of the scripted reply has been read.
Outcome afterReply(const Operation& row, ArgumentValues arguments);

// Readable, comparable text: numbers, flags as true/false, texts quoted,
// lists and objects in their serialised form.
std::string show(const ArgumentValue& value);
std::string show(const Result& result);
std::string show(const ArgumentValues& values);

}  // namespace testing_support
