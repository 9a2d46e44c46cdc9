// The shared call mechanism on a rig of its own: what is never caught. What
// the guarded patterns record, for every real operation under every fault, is
// the fault sweep's (tests/reliability); that a record names the line of its
// statement, mgmtctl_test.py's.
#include <gtest/gtest.h>

#define MGMT_LOG_FILE "./src/PatternRig"
#include "testing/LogCapture.h"
#include "TestChannel.h"
#include "call/ProxyLog.h"
#include "call/RemoteCall.h"

using mgmt::RemoteCall;
using mgmt::rebootInstead;
using namespace testing_support;
using mgmtkit::LogCapture;

// Another exception type at the call is the fault sweep's, for every row.
TEST(CallPatterns, FailuresWhileBuildingAreNeverCaught) {
    TestChannel channel;
    LogCapture log({0, 1, 2, 3, 4, 5, 6});
    auto failingValue = []() -> std::string { throw CorvexException("cannot serialise"); };
    bool result = false;
    int reports = 0;  // by the reboot fallback, which reboots right after
    const auto report = [&reports](const CorvexException&) { ++reports; };
    EXPECT_THROW(RemoteCall(&channel, "e").in("data", failingValue()).onFailure(MGMT_ERROR_RECORD("e: %s\n")).send(),
                 CorvexException);
    EXPECT_THROW(RemoteCall(&channel, "f").in("data", failingValue()).onFailure(rebootInstead(result, report)).send(1),
                 CorvexException);
    EXPECT_TRUE(channel.requests().empty());
    EXPECT_TRUE(log.records().empty());
    EXPECT_EQ(reports, 0);
    EXPECT_FALSE(result);
}
