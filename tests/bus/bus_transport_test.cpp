// What the transport itself must get right, whatever the service does:
// reply values under their own names, one-way calls that never wait, the
// callback channel of a one-way call, a delay taken back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "LocalMgmtProxy.h"
#include "ProxyRig.h"
#include "ScriptedService.h"
#include "ServedPhone.h"
#include "bus/BusChannel.h"
#include "bus/BusContext.h"

using namespace testing_support;
using bustest::ServedPhone;
using ::testing::HasSubstr;

namespace {

// The value a reply gives `read`, telling each apart.
void fill(Method& reply, const mgmtdesc::Read& read, int index) {
    switch (read.kind) {
        case Parameter::INT: reply.addIntParameter(read.name, 40 + index, read.direction); break;
        case Parameter::STRING: reply.addStringParameter(read.name, std::string("text of ") + read.name, read.direction); break;
        case Parameter::BOOL: reply.addBoolParameter(read.name, true, read.direction); break;
    }
}

const Operation& rowSending(const std::string& remote) { return *mgmtdesc::operationsSending(remote).front(); }

// Out-arguments have fixed slots: a value left out still takes one. Every
// synchronous remote method with more than one reply value, answered with
// its last value only: that one arrives, under its own name, and nothing else.
TEST(BusTransport, EveryValueArrivesUnderItsOwnNameWhenEarlierOnesAreLeftOut) {
    const auto lastOnly = [](const Operation& row) {
        return row.synchronous() && row.reply.size() > 1 && &rowSending(row.remote) == &row;
    };
    const auto service = bustest::serveScripted("mgmt.Test.LastOnly", [&lastOnly](mgmtkit::RecordingChannel& service) {
        for (const Operation& row : mgmtdesc::operations())
            if (lastOnly(row)) fill(service.answer(row.remote).method(), row.reply.back(), static_cast<int>(row.reply.size()));
    });
    mgmtbus::BusChannel channel(std::string(), "mgmt.Test.LastOnly");
    Agent agent;
    int checked = 0;
    for (const Operation& row : mgmtdesc::operations()) {
        if (!lastOnly(row)) continue;
        SCOPED_TRACE(row.remote);
        Method request = expectedRequest(row, sampleArguments(row, agent)), reply, expected;
        std::string noChannel;
        channel.synchronousCall(request, reply, noChannel);
        fill(expected, row.reply.back(), static_cast<int>(row.reply.size()));
        EXPECT_EQ(wireParams(reply), wireParams(expected));
        ++checked;
    }
    EXPECT_GT(checked, 5);
}

// Nothing comes back from a one-way call, so nothing is waited for: not the
// service's failure, not its slowness; yet it carries the agent's callback
// channel (pattern B), which the service's state names. A delay that Restore
// took back holds up nothing. A minute is only how long the test waits before
// it calls a call hung.
TEST(BusTransport, OneWayCallsNeverWaitAndRestoreTakesBackADelay) {
    ServedPhone served;
    mgmtbus::BusChannel channel;
    channel.setDefaultTimeout(60000);  // a guard: the delay would outlast it
    LocalMgmtProxy phone;
    phone.initProxy(channel);
    served.control("Delay", "retrievePhoneBusyStatus", 600000u);
    served.control("Restore", "retrievePhoneBusyStatus");
    EXPECT_EQ(phone.retrievePhoneBusyStatus(), 0u);

    served.control("Fail", "setPhoneBusyStatus", "disk full");
    EXPECT_NO_THROW(phone.setPhoneBusyStatus(1));
    Agent agent;
    phone.registerManagementIdentity("desk-app", &agent);
    EXPECT_EQ(phone.retrievePhoneBusyStatus(), 0u) << "the failing call changed nothing";  // served after both
    EXPECT_THAT(served.state(), HasSubstr("\"desk-app\":{\"channel\":\"" + channel.context().findChannel(&agent)));

    channel.setDefaultTimeout(600000);  // a call that waited would outlast the guard
    served.control("Delay", "setPhoneBusyStatus", 600000u);
    auto sent = std::async(std::launch::async, [&phone] { phone.setPhoneBusyStatus(2); });
    const bool returned = sent.wait_for(std::chrono::minutes(1)) == std::future_status::ready;
    EXPECT_TRUE(returned) << "a one-way call waited for a slow service";
    served.kill();  // it sleeps over the call
    if (returned) {
        EXPECT_NO_THROW(sent.get());
    }
}

}  // namespace
