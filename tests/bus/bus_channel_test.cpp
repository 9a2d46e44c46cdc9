// The proxies over the bus channel against the served telephone on a private
// bus (the test runs under dbus-run-session): a failing or late service must
// look to every operation exactly as it does in process.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "RowDriver.h"
#include "ServedPhone.h"
#include "Watcher.h"
#include "bus/BusChannel.h"
#include "bus/BusContext.h"
#include "testing/LogCapture.h"
#include "testing/SimulatedPhone.h"

using namespace testing_support;
using bustest::ServedPhone;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

// What a failing call left behind, as far as the caller can tell.
struct Aftermath {
    std::string escaped;  // the text of the CorvexException that reached the caller
    std::string result;
    std::vector<std::string> records;  // level, format and message of each failure record
    std::string printed;
    int reboots = 0;
};

Aftermath callOn(ProxyRequest& channel, const Operation& row) {
    Aftermath aftermath;
    GPALAdmin::setRebootHandler([&aftermath] { ++aftermath.reboots; });
    mgmtkit::LogCapture log({0, 1, 2, 3});
    Proxies proxies(channel);
    ArgumentValues arguments = sampleArguments(row, proxies.agent);
    testing::internal::CaptureStdout();
    try {
        aftermath.result = show(call(row, proxies, arguments));
    } catch (const CorvexException& error) {
        aftermath.escaped = error.what();
    }
    aftermath.printed = testing::internal::GetCapturedStdout();
    GPALAdmin::setRebootHandler({});
    for (const LogRecord& record : log.records())
        aftermath.records.push_back(std::to_string(record.level) + " " + record.format + " " + record.message);
    return aftermath;
}

void expectSame(const Aftermath& bus, const Aftermath& local) {
    EXPECT_EQ(bus.escaped, local.escaped);
    EXPECT_EQ(bus.result, local.result);
    EXPECT_EQ(bus.records, local.records);
    EXPECT_EQ(bus.printed, local.printed);
    EXPECT_EQ(bus.reboots, local.reboots);
}

TEST(BusChannel, EveryFailurePatternAsInProcess) {
    ServedPhone served;
    mgmtbus::BusChannel channel;
    for (const Operation& row : mgmtdesc::operations()) {
        if (!row.synchronous()) continue;  // one-way failures never come back, on any channel
        SCOPED_TRACE(row.name);
        const std::string remote = row.remote;
        const std::string text = "disk full while serving " + remote;
        served.fail(remote, text);
        mgmtkit::SimulatedPhone phone;
        mgmtkit::SimulatedContext context;
        phone.frameworkContext = &context;
        phone.fail(remote, text);
        expectSame(callOn(channel, row), callOn(phone, row));
        served.restore(remote);
    }
}

// The bus drops a one-way call to a name nobody owns; the channel knows the
// name has no owner and tells the operation's pattern, as a failing call in
// process would be told.
TEST(BusChannel, OneWayCallsMeetAnAbsentServiceAsInProcess) {
    mgmtbus::BusChannel channel(std::string(), "mgmt.NobodyHere");
    for (const Operation& row : mgmtdesc::operations()) {
        if (row.synchronous()) continue;
        SCOPED_TRACE(row.name);
        mgmtkit::SimulatedPhone phone;
        mgmtkit::SimulatedContext context;
        phone.frameworkContext = &context;
        phone.fail(row.remote, "service mgmt.NobodyHere is not on the bus");
        expectSame(callOn(channel, row), callOn(phone, row));
    }
}

TEST(BusChannel, LateAnswerEndsAtTheCallsTimeOutAndEachPatternCopes) {
    ServedPhone served;
    mgmtbus::BusChannel channel;
    served.delay("retrievePhoneBusyStatus", 5000);
    Method request("retrievePhoneBusyStatus", Method::REQUEST), reply;
    std::string noChannel;
    const auto start = Clock::now();
    try {
        channel.synchronousCall(request, reply, noChannel, 1000);
        ADD_FAILURE() << "a late answer was waited for";
    } catch (const CorvexException& error) {
        EXPECT_STREQ(error.what(), "no answer from service mgmt.LocalMgmtService within 1000 ms");
    }
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(1000));
    EXPECT_LT(waited, milliseconds(5000)) << "gave up at its own time-out, not at the answer";

    // Operations that wait as long as the channel does: each meets the
    // channel's time-out as it meets any other failure in process.
    channel.setDefaultTimeout(300);
    for (const char* name : {"retrievePhoneBusyStatus", "deleteFile", "uploadUserFile"}) {
        const Operation& row = *mgmtdesc::findOperation(name);
        SCOPED_TRACE(name);
        const std::string remote = row.remote;
        served.delay(remote, 1500);
        mgmtkit::SimulatedPhone phone;
        phone.fail(remote, "no answer from service mgmt.LocalMgmtService within 300 ms");
        expectSame(callOn(channel, row), callOn(phone, row));
        served.delay(remote, 0);
    }
}

TEST(BusChannel, ObserverHearsOfAChangeMadeByAnotherProcess) {
    ServedPhone served;
    mgmtbus::BusChannel channel;
    Proxies proxies(channel);
    bustest::Watcher watcher;
    ASSERT_TRUE(proxies.local.observeManageableData("audio", &watcher));
    ASSERT_EQ(std::system(MGMTCTL_PATH " --bus call setData audio.ringVolume=9 >/dev/null"), 0);
    EXPECT_EQ(watcher.awaitValues("audio.ringVolume", 1), std::vector<std::string>{"9"});
    channel.context().forget(&watcher);
}

}  // namespace
