// What the transport itself must get right, whatever the service does:
// reply values under their own names, one-way calls that never wait, the
// callback channel of a one-way call, a delay taken back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "LocalMgmtProxy.h"
#include "ScriptedService.h"
#include "ServedPhone.h"
#include "bus/BusChannel.h"
#include "bus/BusContext.h"
#include "description/ServiceDescription.h"

using bustest::ServedPhone;
using ::testing::HasSubstr;

namespace {

struct Agent : MgmtAgentIfc, Executable {
    void init(Context&) override {}
    void shutdown() override {}
};

// "name kind direction value" of each parameter, for comparing.
std::vector<std::string> shown(const Method& method) {
    std::vector<std::string> lines;
    for (const Parameter& p : method.parameters()) {
        std::string value = p.kind() == Parameter::INT      ? std::to_string(p.intValue())
                            : p.kind() == Parameter::STRING ? p.stringValue()
                                                            : (p.boolValue() ? "true" : "false");
        lines.push_back(std::string(p.name()) + " " + mgmtdesc::nameOf(p.kind()) + " " +
                        mgmtdesc::nameOf(p.direction()) + " " + value);
    }
    return lines;
}

// The value a reply gives `read`, telling each apart.
void fill(Method& reply, const mgmtdesc::Read& read, int index) {
    switch (read.kind) {
        case Parameter::INT: reply.addIntParameter(read.name, 40 + index, read.direction); break;
        case Parameter::STRING: reply.addStringParameter(read.name, std::string("text of ") + read.name, read.direction); break;
        case Parameter::BOOL: reply.addBoolParameter(read.name, true, read.direction); break;
    }
}

const mgmtdesc::Operation& rowSending(const std::string& remote) {
    return *mgmtdesc::operationsSending(remote).front();
}

// Out-arguments have fixed slots: a value left out still takes one. Every
// synchronous remote method with more than one reply value, answered with
// its last value only: that one arrives, under its own name, and nothing else.
TEST(BusTransport, EveryValueArrivesUnderItsOwnNameWhenEarlierOnesAreLeftOut) {
    bustest::ScriptedService service("mgmt.Test.LastOnly", [](const Method& request, Method& reply) {
        const mgmtdesc::Operation& row = rowSending(request.name());
        fill(reply, row.reply.back(), static_cast<int>(row.reply.size()));
    });
    mgmtbus::BusChannel channel(std::string(), "mgmt.Test.LastOnly");
    int checked = 0;
    for (const mgmtdesc::Operation& row : mgmtdesc::operations()) {
        if (!row.synchronous() || row.reply.size() < 2 || rowSending(row.remote).name != std::string(row.name))
            continue;
        SCOPED_TRACE(row.remote);
        Method request(row.remote, Method::REQUEST), reply, expected;
        for (const mgmtdesc::Sent& sent : row.request) {
            if (sent.kind == Parameter::INT) request.addIntParameter(sent.name, 1, sent.direction);
            if (sent.kind == Parameter::STRING) request.addStringParameter(sent.name, "x", sent.direction);
            if (sent.kind == Parameter::BOOL) request.addBoolParameter(sent.name, false, sent.direction);
        }
        std::string noChannel;
        channel.synchronousCall(request, reply, noChannel);
        fill(expected, row.reply.back(), static_cast<int>(row.reply.size()));
        EXPECT_EQ(shown(reply), shown(expected));
        ++checked;
    }
    EXPECT_GT(checked, 5);
}

// Nothing comes back from a one-way call, so nothing is waited for: not the
// service's failure, not its slowness. A minute is only how long the test
// waits before it calls the call hung.
TEST(BusTransport, OneWayCallReturnsWhetherTheServiceFailsOrHangs) {
    ServedPhone served;
    mgmtbus::BusChannel channel;
    channel.setDefaultTimeout(600000);  // a call that waited would outlast the guard
    LocalMgmtProxy phone;
    phone.initProxy(channel);

    served.fail("setPhoneBusyStatus", "disk full");
    EXPECT_NO_THROW(phone.setPhoneBusyStatus(1));
    served.restore("setPhoneBusyStatus");
    EXPECT_EQ(phone.retrievePhoneBusyStatus(), 0u) << "the failing call changed nothing";

    served.delay("setPhoneBusyStatus", 600000);
    auto sent = std::async(std::launch::async, [&phone] { phone.setPhoneBusyStatus(2); });
    const bool returned = sent.wait_for(std::chrono::minutes(1)) == std::future_status::ready;
    EXPECT_TRUE(returned) << "a one-way call waited for a slow service";
    served.kill();  // it sleeps over the call
    if (returned) {
        EXPECT_NO_THROW(sent.get());
    }
}

// Pattern B sends the agent's callback channel with a one-way call; the
// service must get it (its state names the channel).
TEST(BusTransport, OneWayCallCarriesItsCallbackChannel) {
    ServedPhone served;
    mgmtbus::BusChannel channel;
    LocalMgmtProxy phone;
    phone.initProxy(channel);
    Agent agent, bulkAgent;
    phone.registerManagementIdentity("desk-app", &agent);
    phone.registerManagementIdentity("bulk-app", &bulkAgent, true);
    phone.retrievePhoneBusyStatus();  // answered after the one-way calls before it on this connection
    const std::string state = served.state();
    EXPECT_THAT(state, HasSubstr("desk-app"));
    EXPECT_THAT(state, HasSubstr(channel.context().findChannel(&agent)));
    EXPECT_THAT(state, HasSubstr(channel.context().findChannel(&bulkAgent)));
}

TEST(BusTransport, RestoreTakesBackADelay) {
    ServedPhone served;
    mgmtbus::BusChannel channel;
    channel.setDefaultTimeout(60000);  // a guard: the delay would outlast it
    served.delay("retrievePhoneBusyStatus", 600000);
    served.restore("retrievePhoneBusyStatus");
    Method request("retrievePhoneBusyStatus", Method::REQUEST), reply;
    std::string noChannel;
    EXPECT_NO_THROW(channel.synchronousCall(request, reply, noChannel));
    served.kill();  // should the delay have stayed, the service sleeps over the call
}

}  // namespace
