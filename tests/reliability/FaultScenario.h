// One operation under one fault: the reply or failure scripted into a fresh
// channel, the run on fresh proxies, and what the operation's pattern says
// must come of it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "RowDriver.h"
#include "TestChannel.h"

namespace reliability {

using testing_support::Operation;

enum class Fault {
    None,                // a full, well-formed reply; one-way calls simply go out
    EmptyReply,          // the service answers with nothing
    CallThrows,          // CorvexException at the call
    CallThrowsOther,     // std::runtime_error at the call
    ReadFails,           // the `read`-th value the operation reads has the wrong kind
    DataMalformed,       // the object text in the reply does not parse
    ContextThrows,       // CorvexException from the framework context, before anything is sent
    ContextThrowsOther,  // std::runtime_error from the framework context
    Unbound,             // called before initProxy; then, once bound, a full reply
};

struct Scenario {
    Fault fault = Fault::None;
    std::size_t read = 0;  // ReadFails, DataMalformed: index into the row's reply values
    std::string text;      // the thrown exception's text
};

// Every fault that applies to the operation, None first.
std::vector<Scenario> scenariosFor(const Operation& row, const std::string& text);
std::string describe(const Operation& row, const Scenario& scenario);

enum class Escape { Nothing, Corvex, Runtime, Other };
const char* nameOf(Escape escape);

struct Observed {
    Escape escaped = Escape::Nothing;
    std::string escapedText;
    testing_support::Outcome outcome;
    std::vector<testing_support::SentRequest> sent;
    int reboots = 0;
    std::string unboundError;  // Unbound: what the call before initProxy threw
};

// Runs the scenario on new proxies bound to a new channel, with the row's
// sample arguments; the framework context knows the proxies' agent under
// `agentChannel`. Log records and standard output are left to the caller to
// capture.
Observed run(const Operation& row, const Scenario& scenario, const std::string& agentChannel = "agent-channel");

struct ExpectedRecord {
    std::string format;
    int level;
    std::string message;
};

struct Expected {
    Escape escaped = Escape::Nothing;
    testing_support::Outcome outcome;  // its result is meaningful only when nothing escapes
    std::size_t calls = 1;
    int reboots = 0;
    std::optional<ExpectedRecord> record;  // the failure record in the log
    std::string standardOutput;
};

// What the operation's pattern allows, given whether level 3 is switched on.
Expected expect(const Operation& row, const Scenario& scenario, bool levelThreeOn);

// Counts reboots on the calling thread while it lives; puts the default back after.
class RebootCounter {
public:
    RebootCounter();
    ~RebootCounter();
    RebootCounter(const RebootCounter&) = delete;
    RebootCounter& operator=(const RebootCounter&) = delete;
};

}  // namespace reliability
