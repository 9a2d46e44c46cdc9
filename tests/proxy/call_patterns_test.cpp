// The six ways an operation becomes a remote call, exercised on the shared
// mechanism itself: what is sent, what is caught, what is logged, what the
// caller gets back.
#include <gtest/gtest.h>

#include <stdexcept>

#define MGMT_LOG_FILE "./src/PatternRig"
#include "LogCapture.h"
#include "TestChannel.h"
#include "call/ProxyLog.h"
#include "call/RemoteCall.h"

using mgmt::RemoteCall;
using mgmt::rebootInstead;
using namespace testing_support;

namespace {

enum Sample { SAMPLE_THREE = 3 };

struct PatternTest : ::testing::Test {
    TestChannel channel;
    int reboots = 0;
    void SetUp() override { GPALAdmin::setRebootHandler([this] { ++reboots; }); }
    void TearDown() override { GPALAdmin::setRebootHandler(nullptr); }
};

// One synchronous operation per guarded pattern, written the way the proxies write them.
int lineOfTimeoutRecord = 0, lineOfErrorRecord = 0, lineOfRebootRecord = 0;

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

bool patternF(ProxyRequest* channel) {
    bool result = false;
    lineOfRebootRecord = __LINE__ + 3;
    RemoteCall(channel, "opF")
        .inout("reason", std::string("why"))
        .onFailure(rebootInstead(result, MGMT_ERROR_RECORD("opF: %s\n")))
        .send(60000)
        .out("result", result);
    return result;
}

}  // namespace

TEST_F(PatternTest, OneWayCallsSendTheRequestAsBuiltAndPassFailuresOn) {
    LogCapture log({2, 3, 4, 5, 6});
    RemoteCall(&channel, "oneWay").in("i", 7).in("b", true).in("s", std::string("t")).post();
    std::string callback = "chan-1";
    RemoteCall(&channel, "withChannel").inout("e", SAMPLE_THREE).post(callback);

    ASSERT_EQ(channel.calls.size(), 2u);
    EXPECT_EQ(channel.calls[0].style, CallStyle::OneWay);
    EXPECT_EQ(channel.calls[0].request.name(), "oneWay");
    EXPECT_EQ(channel.calls[0].request.type(), Method::REQUEST);
    EXPECT_EQ(paramsOf(channel.calls[0].request),
              (std::vector<Param>{intParam("i", 7), boolParam("b", true), stringParam("s", "t")}));
    EXPECT_EQ(channel.calls[1].style, CallStyle::OneWayWithChannel);
    EXPECT_EQ(channel.calls[1].callbackChannel, "chan-1");
    EXPECT_EQ(paramsOf(channel.calls[1].request), (std::vector<Param>{intParam("e", 3, Parameter::INOUT)}));

    channel.failWith("link down");
    EXPECT_THROW(RemoteCall(&channel, "oneWay").post(), CorvexException);
    EXPECT_THROW(RemoteCall(&channel, "withChannel").post(callback), CorvexException);
    EXPECT_TRUE(log.records().empty());
}

TEST_F(PatternTest, UnguardedSynchronousCallReadsTheReplyAndPassesFailuresOn) {
    LogCapture log({2, 3, 4, 5, 6});
    channel.replyInt("count", 5).replyString("text", "hello").replyBool("flag", true, Parameter::INOUT);
    int count = 0;
    std::string text;
    bool flag = false;
    RemoteCall(&channel, "c").send().out("count", count).out("text", text).inout("flag", flag);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(text, "hello");
    EXPECT_TRUE(flag);
    EXPECT_EQ(channel.only().style, CallStyle::Sync);
    EXPECT_EQ(channel.only().callbackChannel, "");

    // A value read with the wrong direction is simply absent.
    int untouched = 42;
    RemoteCall(&channel, "c").send().inout("count", untouched);
    EXPECT_EQ(untouched, 42);

    // A read of the wrong kind fails like the call itself: nothing is caught.
    EXPECT_THROW(RemoteCall(&channel, "c").send().out("text", count), CorvexException);
    channel.failWith("gone");
    EXPECT_THROW(RemoteCall(&channel, "c").send(), CorvexException);
    EXPECT_TRUE(log.records().empty());
}

TEST_F(PatternTest, TimeoutRecordIsWrittenOnlyWhenLevelThreeIsOn) {
    for (bool levelThree : {true, false}) {
        SCOPED_TRACE(levelThree);
        TestChannel failing;
        failing.failWith("timed out");
        LogCapture log = levelThree ? LogCapture{3} : LogCapture{2, 4, 5};
        bool partial = false;
        EXPECT_FALSE(patternD(&failing, partial));
        auto records = log.records();
        if (!levelThree) {
            EXPECT_TRUE(records.empty());
            continue;
        }
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].level, 3);
        EXPECT_EQ(records[0].component, "LocalMgmtProxy");
        EXPECT_EQ(records[0].file, "./src/PatternRig");
        EXPECT_EQ(records[0].line, lineOfTimeoutRecord);
        EXPECT_EQ(records[0].message, "opD: proxyReq->synchronousCall timeout.\n");
    }
}

TEST_F(PatternTest, ErrorRecordCarriesTheExceptionTextWhateverTheLevels) {
    LogCapture log;  // every level off
    channel.failWith("no route %s%n to host");
    std::string partial = "kept";
    EXPECT_EQ(patternE(&channel, partial), -1);
    EXPECT_EQ(partial, "kept");
    auto records = log.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].level, 2);
    EXPECT_EQ(records[0].line, lineOfErrorRecord);
    EXPECT_EQ(records[0].format, "opE: %s\n");
    EXPECT_EQ(records[0].message, "opE: no route %s%n to host\n");
}

TEST_F(PatternTest, AFailingReadKeepsWhatEarlierReadsStoredAndSkipsTheRest) {
    // "partial" has the wrong kind, so the second read throws.
    LogCapture log({3});
    channel.replyBool("result", true).replyInt("partial", 1).replyString("partialText", "x");
    bool partial = false;
    EXPECT_TRUE(patternD(&channel, partial));
    EXPECT_EQ(log.formats(), std::vector<std::string>{"opD: proxyReq->synchronousCall timeout.\n"});

    TestChannel second;
    second.replyInt("result", 9).replyInt("partial", 2);
    std::string text = "before";
    LogCapture errors;
    EXPECT_EQ(patternE(&second, text), 9);
    EXPECT_EQ(text, "before");
    EXPECT_EQ(errors.records().size(), 1u);
}

TEST_F(PatternTest, AMissingReplyValueLeavesTheStartingValue) {
    LogCapture log({2, 3});
    bool partial = false;
    std::string text = "kept";
    EXPECT_FALSE(patternD(&channel, partial));
    EXPECT_EQ(patternE(&channel, text), -1);
    EXPECT_FALSE(patternF(&channel));
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(log.records().empty());
    EXPECT_EQ(reboots, 0);
}

TEST_F(PatternTest, RebootFallbackReportsRebootsAndCountsAsDone) {
    LogCapture log;
    channel.failWith("service restarting");
    EXPECT_TRUE(patternF(&channel));
    EXPECT_EQ(reboots, 1);
    EXPECT_EQ(channel.only().style, CallStyle::SyncWithTimeout);
    EXPECT_EQ(channel.only().timeout, 60000);
    auto records = log.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].line, lineOfRebootRecord);
    EXPECT_EQ(records[0].message, "opF: service restarting\n");

    // A service that answers "result" false is believed: no reboot.
    TestChannel answering;
    answering.replyBool("result", false);
    EXPECT_FALSE(patternF(&answering));
    EXPECT_EQ(reboots, 1);
}

TEST_F(PatternTest, OtherExceptionsPassThroughEveryGuardedPatternUnlogged) {
    LogCapture log({2, 3, 4, 5, 6});
    channel.onCall = [] { throw std::runtime_error("not a framework failure"); };
    bool partial = false;
    std::string text;
    EXPECT_THROW(patternD(&channel, partial), std::runtime_error);
    EXPECT_THROW(patternE(&channel, text), std::runtime_error);
    EXPECT_THROW(patternF(&channel), std::runtime_error);
    EXPECT_EQ(reboots, 0);
    EXPECT_TRUE(log.records().empty());
}

TEST_F(PatternTest, FailuresWhileBuildingTheRequestAreNeverCaught) {
    LogCapture log({2, 3});
    auto failingValue = []() -> std::string { throw CorvexException("cannot serialise"); };
    bool result = false;
    EXPECT_THROW(RemoteCall(&channel, "e")
                     .in("data", failingValue())
                     .onFailure(MGMT_ERROR_RECORD("e: %s\n"))
                     .send()
                     .out("result", result),
                 CorvexException);
    EXPECT_THROW(RemoteCall(&channel, "f")
                     .in("data", failingValue())
                     .onFailure(rebootInstead(result, MGMT_ERROR_RECORD("f: %s\n")))
                     .send(60000),
                 CorvexException);
    EXPECT_TRUE(channel.calls.empty());
    EXPECT_TRUE(log.records().empty());
    EXPECT_EQ(reboots, 0);
    EXPECT_FALSE(result);
}

TEST_F(PatternTest, CallbackChannelAndTimeoutReachTheChannel) {
    std::string callback = "observer-7";
    RemoteCall(&channel, "a").send(callback);
    RemoteCall(&channel, "b").send(600000);
    ASSERT_EQ(channel.calls.size(), 2u);
    EXPECT_EQ(channel.calls[0].style, CallStyle::Sync);
    EXPECT_EQ(channel.calls[0].callbackChannel, "observer-7");
    EXPECT_EQ(channel.calls[1].style, CallStyle::SyncWithTimeout);
    EXPECT_EQ(channel.calls[1].timeout, 600000);
}

TEST_F(PatternTest, UnboundChannelIsAClearErrorNotACrash) {
    bool partial = false;
    EXPECT_THROW(patternD(nullptr, partial), std::logic_error);
    EXPECT_THROW(RemoteCall(nullptr, "x").post(), std::logic_error);
}
