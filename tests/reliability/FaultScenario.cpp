#include "FaultScenario.h"

#include <stdexcept>

using testing_support::TestChannel;
using testing_support::TestContext;

namespace reliability {

namespace {

// Reboots are counted per thread, so proxies driven on several threads at
// once each see their own.
thread_local int rebootsOnThisThread = 0;

// A framework context that can fail whenever it is asked anything.
class FaultyContext : public TestContext {
public:
    std::function<void()> onAsk;

    std::string findChannel(Executable* object) override {
        if (onAsk) onAsk();
        return TestContext::findChannel(object);
    }
    Service* findRealService(const std::string& serviceName, const std::string& instance) override {
        if (onAsk) onAsk();
        return TestContext::findRealService(serviceName, instance);
    }
};

void addScripted(Method& reply, const Read& read) {
    switch (read.kind) {
        case Parameter::INT: reply.addIntParameter(read.name, scriptedInt(), read.direction); break;
        case Parameter::BOOL: reply.addBoolParameter(read.name, true, read.direction); break;
        case Parameter::STRING: reply.addStringParameter(read.name, scriptedString(read), read.direction); break;
    }
}

void addWrongKind(Method& reply, const Read& read) {
    if (read.kind == Parameter::STRING)
        reply.addIntParameter(read.name, 13, read.direction);
    else
        reply.addStringParameter(read.name, "not a number", read.direction);
}

Method replyFor(const Operation& operation, const Scenario& scenario) {
    Method reply;
    if (scenario.fault == Fault::EmptyReply) return reply;
    for (std::size_t i = 0; i < operation.reads.size(); ++i) {
        const Read& read = operation.reads[i];
        if (scenario.fault == Fault::ReadFails && i == scenario.read)
            addWrongKind(reply, read);
        else if (scenario.fault == Fault::DataMalformed && i == scenario.read)
            reply.addStringParameter(read.name, malformedText(read.target), read.direction);
        else
            addScripted(reply, read);
    }
    return reply;
}

template <class Work>
std::string textThrownBy(Work&& work) {
    try {
        work();
    } catch (const CorvexException& failure) {
        return failure.what();
    }
    return "<nothing thrown>";
}

// The text of the CorvexException the failing read or refill raises.
std::string failureText(const Operation& operation, const Scenario& scenario) {
    const Read& read = operation.reads.at(scenario.read);
    if (scenario.fault == Fault::DataMalformed) {
        std::string text = malformedText(read.target);
        return textThrownBy([&] {
            CallerArgs scratch;
            if (read.target == Target::Files) Serializer::deserialize(text, scratch.files);
            if (read.target == Target::Data) scratch.data.deserialize(text);
            if (read.target == Target::Info) scratch.info.deserialize(text);
        });
    }
    Method reply = replyFor(operation, scenario);
    return textThrownBy([&] {
        int number = 0;
        bool flag = false;
        std::string text;
        switch (read.kind) {
            case Parameter::INT: reply.getIntParameter(read.name, number, read.direction); break;
            case Parameter::BOOL: reply.getBoolParameter(read.name, flag, read.direction); break;
            case Parameter::STRING: reply.getStringParameter(read.name, text, read.direction); break;
        }
    });
}

// The call on the proxies as their factories make them, before initProxy:
// what it threw, or what it did instead. Bound to `channel` afterwards.
std::string callUnbound(const Operation& operation, Proxies& proxies, ProxyRequest& channel, CallerArgs& args) {
    proxies.local = LocalMgmtProxy();
    proxies.actions = ActionEventRequestProxy();
    proxies.location = LocationDeliveryRequestProxy();
    std::string thrown = "<nothing thrown>";
    try {
        operation.call(proxies, args);
    } catch (const std::logic_error& error) {
        thrown = error.what();
    } catch (...) {
        thrown = "<another exception>";
    }
    proxies.local.initProxy(channel);
    proxies.actions.initProxy(channel);
    proxies.location.initProxy(channel);
    return thrown;
}

// The step that an operation takes on arriving at a read, before reading.
void arriveAt(const Read& read, CallerArgs& args) {
    if (read.emptiesTargetFirst && read.target == Target::Data) args.data.clearAll();
}

const char* nameOf(Fault fault) {
    switch (fault) {
        case Fault::None: return "no fault";
        case Fault::EmptyReply: return "empty reply";
        case Fault::CallThrows: return "CorvexException at the call";
        case Fault::CallThrowsOther: return "std::runtime_error at the call";
        case Fault::ReadFails: return "read of the wrong kind";
        case Fault::DataMalformed: return "malformed object text";
        case Fault::ContextThrows: return "CorvexException from the framework context";
        case Fault::ContextThrowsOther: return "std::runtime_error from the framework context";
        case Fault::Unbound: return "called before initProxy";
    }
    return "?";
}

}  // namespace

std::vector<Scenario> scenariosFor(const Operation& operation, const std::string& text) {
    std::vector<Scenario> scenarios = {{Fault::None, 0, text},
                                       {Fault::Unbound, 0, text},
                                       {Fault::CallThrows, 0, text},
                                       {Fault::CallThrowsOther, 0, text}};
    if (operation.synchronous()) {
        scenarios.push_back({Fault::EmptyReply, 0, text});
        for (std::size_t i = 0; i < operation.reads.size(); ++i) {
            scenarios.push_back({Fault::ReadFails, i, text});
            if (isObject(operation.reads[i].target)) scenarios.push_back({Fault::DataMalformed, i, text});
        }
    }
    if (operation.asksContext()) {
        scenarios.push_back({Fault::ContextThrows, 0, text});
        scenarios.push_back({Fault::ContextThrowsOther, 0, text});
    }
    return scenarios;
}

std::string describe(const Operation& operation, const Scenario& scenario) {
    std::string text = std::string(operation.name) + " (pattern " + nameOf(operation.pattern) + "): " +
                       nameOf(scenario.fault);
    if (scenario.fault == Fault::ReadFails || scenario.fault == Fault::DataMalformed)
        text += std::string(" at read ") + std::to_string(scenario.read) + " \"" +
                operation.reads.at(scenario.read).name + "\"";
    return text;
}

const char* nameOf(Escape escape) {
    switch (escape) {
        case Escape::Nothing: return "nothing";
        case Escape::Corvex: return "CorvexException";
        case Escape::Runtime: return "std::runtime_error";
        case Escape::Other: return "another exception";
    }
    return "?";
}

Observed run(const Operation& operation, const Scenario& scenario, const std::string& agentChannel) {
    TestChannel channel;
    FaultyContext context;
    channel.frameworkContext = &context;
    Proxies proxies(channel);
    context.channelOf = [&](Executable* object) {
        return object == static_cast<Executable*>(&proxies.agent) ? agentChannel : std::string();
    };
    channel.reply = replyFor(operation, scenario);

    const std::string text = scenario.text;
    switch (scenario.fault) {
        case Fault::CallThrows: channel.failWith(text); break;
        case Fault::CallThrowsOther: channel.onCall = [text] { throw std::runtime_error(text); }; break;
        case Fault::ContextThrows: context.onAsk = [text] { throw CorvexException(text); }; break;
        case Fault::ContextThrowsOther: context.onAsk = [text] { throw std::runtime_error(text); }; break;
        default: break;
    }

    Observed observed;
    const int rebootsBefore = rebootsOnThisThread;
    if (scenario.fault == Fault::Unbound)
        observed.unboundError = callUnbound(operation, proxies, channel, observed.args);
    try {
        observed.result = operation.call(proxies, observed.args);
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
    observed.sent = channel.calls;
    return observed;
}

Expected expect(const Operation& operation, const Scenario& scenario, bool levelThreeOn) {
    Expected expected;
    expected.result = operation.starting;

    // A CorvexException inside the guarded region: caught and reported by
    // patterns D, E and F, passed on by the unguarded ones.
    auto failInsideGuard = [&](const std::string& text) {
        const bool guarded = operation.pattern == Pattern::D || operation.pattern == Pattern::E ||
                             operation.pattern == Pattern::F;
        if (!guarded) {
            expected.escaped = Escape::Corvex;
            return;
        }
        if (operation.pattern == Pattern::F) {
            expected.result = show(true);
            expected.reboots = 1;
        }
        const FailureRecord& failure = operation.failure;
        if (failure.format == nullptr) return;
        const std::string message = withText(failure.format, text);
        if (failure.onStandardOutput)
            expected.standardOutput = message;
        else if (failure.level != 3 || levelThreeOn)
            expected.record = ExpectedRecord{failure.format, failure.level, message};
    };

    switch (scenario.fault) {
        case Fault::None:
        case Fault::Unbound:  // the call before binding changed nothing
            for (const Read& read : operation.reads) {
                arriveAt(read, expected.args);
                applyScripted(read, expected.args, expected.result);
            }
            if (operation.has(kTrueOnceAllRead)) expected.result = show(true);
            break;
        case Fault::EmptyReply:
            // Nothing to read: only what an operation does on its way changes.
            for (const Read& read : operation.reads) arriveAt(read, expected.args);
            break;
        case Fault::CallThrows: failInsideGuard(scenario.text); break;
        case Fault::CallThrowsOther: expected.escaped = Escape::Runtime; break;
        case Fault::ReadFails:
        case Fault::DataMalformed:
            for (std::size_t i = 0; i < scenario.read; ++i) {
                arriveAt(operation.reads[i], expected.args);
                applyScripted(operation.reads[i], expected.args, expected.result);
            }
            arriveAt(operation.reads.at(scenario.read), expected.args);
            failInsideGuard(failureText(operation, scenario));
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

std::string withText(const std::string& format, const std::string& text) {
    std::string message = format;
    const std::size_t at = message.find("%s");
    if (at != std::string::npos) message.replace(at, 2, text);
    return message;
}

RebootCounter::RebootCounter() {
    GPALAdmin::setRebootHandler([] { ++rebootsOnThisThread; });
}

RebootCounter::~RebootCounter() { GPALAdmin::setRebootHandler(nullptr); }

}  // namespace reliability
