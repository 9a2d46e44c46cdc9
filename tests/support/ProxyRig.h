// A LocalMgmtProxy bound to a scripted channel whose framework context knows
// one agent's callback channel, and requests and log records in the short
// forms the proxy tests compare. Header only: only the proxy tests, which link
// the proxies, include it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "LocalMgmtProxy.h"
#include "LogCapture.h"
#include "TestChannel.h"

namespace testing_support {

// An observer the framework can reach: an Executable, handed over as an agent.
// The agent interface comes first, so the Executable part sits at an offset
// and only a real cross-cast finds it.
struct Agent : MgmtAgentIfc, Executable {
    void init(Context&) override {}
    void shutdown() override {}
};

struct ProxyRig {
    TestChannel channel;
    TestContext context;
    LocalMgmtProxy proxy;
    Agent agent;  // the framework knows it as "agent-chan"

    explicit ProxyRig(std::string serviceName = "LocalMgmtService") : channel(std::move(serviceName)) {
        context.channelOf = [this](Executable* object) {
            return object == &agent ? std::string("agent-chan") : std::string();
        };
        channel.frameworkContext = &context;
        proxy.initProxy(channel);
    }
    ProxyRig(const ProxyRig&) = delete;
    ProxyRig& operator=(const ProxyRig&) = delete;
};

// Each parameter of a request as "<kind>:<name>=<value>": kind i, s or b, in
// capitals when INOUT, after "out-" when OUT.
inline std::vector<std::string> wireParams(const Method& request) {
    std::vector<std::string> params;
    for (const Param& p : paramsOf(request)) {
        const char kind = "isb"[p.kind];
        const std::string shown = p.direction == Parameter::INOUT ? std::string(1, char(kind - 'a' + 'A'))
                                  : p.direction == Parameter::OUT ? std::string("out-") + kind
                                                                  : std::string(1, kind);
        params.push_back(shown + ":" + p.name + "=" + p.value);
    }
    return params;
}

// "<level> <message>" for each record, in order.
inline std::vector<std::string> levelsAndMessages(const LogCapture& log) {
    std::vector<std::string> out;
    for (const LogRecord& record : log.records()) out.push_back(std::to_string(record.level) + " " + record.message);
    return out;
}

}  // namespace testing_support
