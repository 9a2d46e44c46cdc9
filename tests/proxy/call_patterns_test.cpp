// The shared call mechanism on rigs of its own: what the guarded patterns
// record (level, line, file, message, level switches) and what is never
// caught. Every real operation under every fault is the fault sweep's
// (tests/reliability).
#include <gtest/gtest.h>

#include <tuple>

#define MGMT_LOG_FILE "./src/PatternRig"
#include "testing/LogCapture.h"
#include "TestChannel.h"
#include "call/ProxyLog.h"
#include "call/RemoteCall.h"

using mgmt::RemoteCall;
using mgmt::rebootInstead;
using namespace testing_support;
using mgmtkit::LogCapture;

namespace {

struct PatternTest : ::testing::Test {
    TestChannel channel;
};

// One synchronous operation per guarded pattern, written the way the proxies write them.
int lineOfTimeoutRecord = 0, lineOfErrorRecord = 0;

bool patternD(ProxyRequest* channel, bool& partial) {
    bool result = false;
    lineOfTimeoutRecord = __LINE__ + 3;
    RemoteCall(channel, "opD")
        .in("n", 1)
        .onFailure(MGMT_TIMEOUT_RECORD("opD: proxyReq->synchronousCall timeout.\n"))
        .send()
        .out("result", result)
        .out("partial", partial);
    return result;
}

int patternE(ProxyRequest* channel, std::string& partial) {
    int result = -1;
    lineOfErrorRecord = __LINE__ + 3;
    RemoteCall(channel, "opE")
        .in("s", std::string("x"))
        .onFailure(MGMT_ERROR_RECORD("opE: %s\n"))
        .send()
        .out("result", result)
        .out("partial", partial);
    return result;
}

}  // namespace

TEST_F(PatternTest, GuardedFailuresAreRecordedAtTheStatementThatSentThem) {
    channel.failWith("no route %s%n to host");
    bool partial = false;
    std::string text = "kept";
    for (bool levelThree : {true, false}) {
        SCOPED_TRACE(levelThree);
        LogCapture log = levelThree ? LogCapture{3} : LogCapture{LogCapture::allLevelsOff};  // level 2 is written regardless
        EXPECT_FALSE(patternD(&channel, partial));
        EXPECT_EQ(patternE(&channel, text), -1);
        EXPECT_EQ(text, "kept");
        using Shown = std::tuple<int, int, std::string, std::string>;  // level, line, format, message
        std::vector<Shown> records;
        for (const LogRecord& r : log.records()) {
            EXPECT_EQ(r.component, "LocalMgmtProxy");
            EXPECT_EQ(r.file, "./src/PatternRig");
            records.emplace_back(r.level, r.line, r.format, r.message);
        }
        const std::string timeout = "opD: proxyReq->synchronousCall timeout.\n";
        std::vector<Shown> expected{{2, lineOfErrorRecord, "opE: %s\n", "opE: no route %s%n to host\n"}};
        if (levelThree) expected.insert(expected.begin(), Shown{3, lineOfTimeoutRecord, timeout, timeout});
        EXPECT_EQ(records, expected);
    }
}

// Another exception type at the call is the fault sweep's, for every row.
TEST_F(PatternTest, FailuresWhileBuildingAreNeverCaught) {
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
