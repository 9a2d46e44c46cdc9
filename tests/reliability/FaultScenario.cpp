#include "FaultScenario.h"

#include <stdexcept>

using mgmtdesc::Pattern;
using namespace testing_support;

namespace reliability {

namespace {

// Reboots are counted per thread, so proxies driven on several threads at
// once each see their own.
thread_local int rebootsOnThisThread = 0;

ReplyFault replyFaultOf(Fault fault) {
    switch (fault) {
        case Fault::EmptyReply: return ReplyFault::Empty;
        case Fault::ReadFails: return ReplyFault::WrongKind;
        case Fault::DataMalformed: return ReplyFault::Malformed;
        default: return ReplyFault::None;
    }
}

// Whether the framework context is asked anything before the request is built.
bool asksContext(const Operation& row) {
    return row.localShortcut || mgmtdesc::carriesCallbackChannel(row.style);
}

const char* nameOf(Fault fault) {
    static const char* const names[] = {"no fault",
                                        "empty reply",
                                        "CorvexException at the call",
                                        "std::runtime_error at the call",
                                        "read of the wrong kind",
                                        "malformed object text",
                                        "CorvexException from the framework context",
                                        "std::runtime_error from the framework context",
                                        "called before initProxy"};  // in Fault's order
    return names[static_cast<int>(fault)];
}

// The format with its one "%s" replaced by `text`, as printf would write it.
std::string withText(const std::string& format, const std::string& text) {
    std::string message = format;
    const std::size_t at = message.find("%s");
    if (at != std::string::npos) message.replace(at, 2, text);
    return message;
}

}  // namespace

std::vector<Scenario> scenariosFor(const Operation& row, const std::string& text) {
    std::vector<Scenario> scenarios = {{Fault::None, 0, text},
                                       {Fault::Unbound, 0, text},
                                       {Fault::CallThrows, 0, text},
                                       {Fault::CallThrowsOther, 0, text}};
    if (row.synchronous()) {
        scenarios.push_back({Fault::EmptyReply, 0, text});
        for (std::size_t i = 0; i < row.reply.size(); ++i) {
            scenarios.push_back({Fault::ReadFails, i, text});
            if (refillsObject(row, i)) scenarios.push_back({Fault::DataMalformed, i, text});
        }
    }
    if (asksContext(row)) {
        scenarios.push_back({Fault::ContextThrows, 0, text});
        scenarios.push_back({Fault::ContextThrowsOther, 0, text});
    }
    return scenarios;
}

std::string describe(const Operation& row, const Scenario& scenario) {
    std::string text = std::string(row.name) + " (pattern " + mgmtdesc::nameOf(row.pattern) + "): " +
                       nameOf(scenario.fault);
    if (scenario.fault == Fault::ReadFails || scenario.fault == Fault::DataMalformed)
        text += " at read " + std::to_string(scenario.read) + " \"" + row.reply.at(scenario.read).name + "\"";
    return text;
}

const char* nameOf(Escape escape) {
    static const char* const names[] = {"nothing", "CorvexException", "std::runtime_error", "another exception"};
    return names[static_cast<int>(escape)];
}

Observed run(const Operation& row, const Scenario& scenario, const std::string& agentChannel) {
    TestChannel channel;
    TestContext context;
    channel.frameworkContext = &context;
    Proxies proxies;
    context.channelOf = [&](Executable* object) { return object == &proxies.agent ? agentChannel : std::string(); };
    channel.reply = scriptedReply(row, replyFaultOf(scenario.fault), scenario.read);

    const std::string text = scenario.text;
    switch (scenario.fault) {
        case Fault::CallThrows: channel.failWith(text); break;
        case Fault::CallThrowsOther: channel.onCall = [text] { throw std::runtime_error(text); }; break;
        case Fault::ContextThrows: context.onAsk = [text] { throw CorvexException(text); }; break;
        case Fault::ContextThrowsOther: context.onAsk = [text] { throw std::runtime_error(text); }; break;
        default: break;
    }

    Observed observed;
    observed.outcome.arguments = sampleArguments(row, proxies.agent);
    if (scenario.fault == Fault::Unbound)  // on the caller's own arguments: it may change none of them
        observed.unboundError = textThrownBy<std::logic_error>([&] { call(row, proxies, observed.outcome.arguments); });
    proxies.bind(channel);
    const int rebootsBefore = rebootsOnThisThread;
    try {
        observed.outcome.result = call(row, proxies, observed.outcome.arguments);
    } catch (const CorvexException& failure) {
        observed.escaped = Escape::Corvex;
        observed.escapedText = failure.what();
    } catch (const std::runtime_error& failure) {
        observed.escaped = Escape::Runtime;
        observed.escapedText = failure.what();
    } catch (...) {
        observed.escaped = Escape::Other;
    }
    observed.reboots = rebootsOnThisThread - rebootsBefore;
    observed.sent = channel.requests();
    return observed;
}

Expected expect(const Operation& row, const Scenario& scenario, bool levelThreeOn) {
    Agent agent;
    const ArgumentValues given = sampleArguments(row, agent);
    Expected expected;
    expected.outcome = startingOutcome(row, given);

    // A CorvexException inside the guarded region: caught and reported by
    // patterns D, E and F, passed on by the unguarded ones.
    auto failInsideGuard = [&](const std::string& text) {
        if (row.pattern != Pattern::D && row.pattern != Pattern::E && row.pattern != Pattern::F) {
            expected.escaped = Escape::Corvex;
            return;
        }
        if (row.pattern == Pattern::F) {
            expected.outcome.result = true;
            expected.reboots = 1;
        }
        const mgmtdesc::Record& failure = row.failure;
        if (failure.format == nullptr) return;
        const std::string message = withText(failure.format, text);
        if (failure.level == 0)
            expected.standardOutput = message;
        else if (failure.level != 3 || levelThreeOn)
            expected.record = ExpectedRecord{failure.format, failure.level, message};
    };

    switch (scenario.fault) {
        case Fault::None:
        case Fault::Unbound:  // the call before binding changed nothing
            expected.outcome = afterReply(row, given);
            break;
        case Fault::EmptyReply:
            // Nothing to read: only what an operation does on its way changes.
            for (std::size_t i = 0; i < row.reply.size(); ++i) arriveAt(row, i, expected.outcome);
            break;
        case Fault::CallThrows: failInsideGuard(scenario.text); break;
        case Fault::CallThrowsOther: expected.escaped = Escape::Runtime; break;
        case Fault::ReadFails:
        case Fault::DataMalformed:
            for (std::size_t i = 0; i < scenario.read; ++i) {
                arriveAt(row, i, expected.outcome);
                applyRead(row, i, expected.outcome);
            }
            arriveAt(row, scenario.read, expected.outcome);
            failInsideGuard(readFailure(row, replyFaultOf(scenario.fault), scenario.read));
            break;
        case Fault::ContextThrows:
            expected.escaped = Escape::Corvex;
            expected.calls = 0;
            break;
        case Fault::ContextThrowsOther:
            expected.escaped = Escape::Runtime;
            expected.calls = 0;
            break;
    }
    return expected;
}

RebootCounter::RebootCounter() {
    GPALAdmin::setRebootHandler([] { ++rebootsOnThisThread; });
}

RebootCounter::~RebootCounter() { GPALAdmin::setRebootHandler(nullptr); }

}  // namespace reliability
