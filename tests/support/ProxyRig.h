// A LocalMgmtProxy bound to a scripted channel whose framework context knows
// one agent's callback channel, and requests and log records in the short
// forms the proxy tests compare. Header only: only the proxy tests, which link
// the proxies, include it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "LocalMgmtProxy.h"
#include "RowDriver.h"
#include "TestChannel.h"
#include "testing/LogCapture.h"
#include "testing/Exchange.h"

namespace testing_support {

using mgmtkit::LogCapture;

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

// Each parameter of a request in the call record's notation: "i:name=1",
// kind i, s or b, in capitals when INOUT.
inline std::vector<std::string> wireParams(const Method& request) {
    std::vector<std::string> params;
    for (const Parameter& parameter : request.parameters()) params.push_back(mgmtkit::wireText(parameter));
    return params;
}

// "<level> <message>" for each record, in order.
inline std::vector<std::string> levelsAndMessages(const LogCapture& log) {
    std::vector<std::string> out;
    for (const LogRecord& record : log.records()) out.push_back(std::to_string(record.level) + " " + record.message);
    return out;
}

}  // namespace testing_support
