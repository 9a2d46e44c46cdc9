// The kit's doubles: what clients rely on when they script a recording
// channel, read its matchers' failure messages and capture logs.
#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LocalMgmtProxy.h"
#include "RowDriver.h"
#include "testing/LogCapture.h"
#include "testing/RecordingChannel.h"
#include "testing/RequestMatchers.h"

using mgmtdesc::CallStyle;
using mgmtkit::Param;
using mgmtkit::Request;
using ::testing::Contains;
using ::testing::Not;

namespace {

std::string explain(const ::testing::Matcher<const mgmtkit::SentRequest&>& matcher,
                    const mgmtkit::SentRequest& sent) {
    ::testing::StringMatchResultListener listener;
    EXPECT_FALSE(matcher.MatchAndExplain(sent, &listener));
    return listener.str();
}

}  // namespace

TEST(RecordingChannel, AnswersAndFailsByRemoteNameAndRecordsEveryStyle) {
    mgmtkit::RecordingChannel channel;  // its own context names the agent's channel
    LocalMgmtProxy proxy;
    proxy.initProxy(channel);

    channel.answer("uploadUserFile").out("result", 0);
    channel.answerOthers().out("result", 7);
    EXPECT_EQ(proxy.uploadUserFile(LocalMgmtIfc::FILETYPE_RINGER, "a.wav"), 0);
    EXPECT_EQ(proxy.requestCurrentDownloadStatus(LocalMgmtIfc::FILETYPE_RINGER, "a.wav"), 7);

    channel.fail("uploadUserFile", "link down");
    mgmtkit::LogCapture quiet;
    EXPECT_EQ(proxy.uploadUserFile(LocalMgmtIfc::FILETYPE_RINGER, "a.wav"), -1);
    channel.restore("uploadUserFile");
    EXPECT_EQ(proxy.uploadUserFile(LocalMgmtIfc::FILETYPE_RINGER, "a.wav"), 0);

    testing_support::Agent agent;
    channel.answer("observeManageableData").out("result", true);  // by the operation's name
    EXPECT_TRUE(proxy.observeManageableData("audio", &agent));
    proxy.setPhoneBusyStatus(1);
    proxy.verifyFactoryResetPassword("pw");

    // Each request's style and time-out as recorded: the conformance test's, for
    // every row; requestsTo() the event proxies' test's; refusing an unknown
    // name for a fault the state document's (kit_client_test.cpp).
    ASSERT_EQ(channel.requests().size(), 7u);
    EXPECT_EQ(channel.requests()[4].callbackChannel, "agent-1");
}

TEST(RecordingChannel, StrictFailsTheTestAtASynchronousCallWithNothingScripted) {
    mgmtkit::RecordingChannel channel;
    channel.setStrict();
    LocalMgmtProxy proxy;
    proxy.initProxy(channel);
    proxy.setPhoneBusyStatus(1);  // one-way: no reply to script
    channel.answer("uploadUserFile").out("result", 0);
    EXPECT_EQ(proxy.uploadUserFile(LocalMgmtIfc::FILETYPE_RINGER, "a.wav"), 0);
    EXPECT_NONFATAL_FAILURE(proxy.requestCurrentDownloadStatus(LocalMgmtIfc::FILETYPE_RINGER, "b.wav"),
                            "RecordingChannel: no reply scripted for requestCurrentDownloadStatus, synchronous: "
                            "int \"filetype\" in = 11, string \"filename\" in = \"b.wav\"");
    channel.answerOthers();
    EXPECT_EQ(proxy.retrievePhoneBusyStatus(), 0u);
}

TEST(RequestMatchers, MatchBySubsetAndSayWhatDiffers) {
    Method request("uploadUserFile", Method::REQUEST);
    request.addIntParameter("filetype", 11, Parameter::IN);
    request.addStringParameter("filename", "a.wav", Parameter::IN);
    const mgmtkit::SentRequest sent{request, CallStyle::Sync, "", 0};
    const std::vector<mgmtkit::SentRequest> all{sent};

    EXPECT_THAT(all, Contains(Request("uploadUserFile", Param("filename", "a.wav"), Param("filetype", 11))));
    EXPECT_THAT(all, Contains(Request("uploadUserFile", Param("filetype", 11, Parameter::IN))));
    EXPECT_THAT(request, Request("uploadUserFile"));

    EXPECT_EQ(explain(Request("deleteFile"), sent), "which is a request \"uploadUserFile\"");
    EXPECT_EQ(explain(Request("uploadUserFile", Param("filename", "b.wav"), Param("size", 3)), sent),
              "which has string \"filename\" in = \"a.wav\", and has no parameter \"size\"");
    // Same value, other kind or direction: no match.
    EXPECT_THAT(all, Not(Contains(Request("uploadUserFile", Param("filetype", "11")))));
    EXPECT_THAT(all, Not(Contains(Request("uploadUserFile", Param("filetype", 11, Parameter::INOUT)))));

    std::ostringstream printed;
    PrintTo(sent, &printed);
    EXPECT_EQ(printed.str(), "uploadUserFile, synchronous: int \"filetype\" in = 11, string \"filename\" in = \"a.wav\"");
}

TEST(LogCapture, NestedCapturesPutBackTheSinkAndLevelsTheyFound) {
    std::vector<std::string> outer;
    setLogSink([&](const LogRecord& record) { outer.push_back(record.message); });
    setLogLevelEnabled(7, true);
    {
        mgmtkit::LogCapture first;
        {
            mgmtkit::LogCapture second({5});
            EXPECT_FALSE(loggingOnAppVel("x", 7));
            logAppVel("x", "f", 5, 1, "inner %d", 1);
            EXPECT_EQ(second.messages(), std::vector<std::string>{"inner 1"});
            EXPECT_EQ(second.withFormat("inner %d").size(), 1u);
        }
        EXPECT_TRUE(loggingOnAppVel("x", 7));
        logAppVel("x", "f", 2, 1, "middle");
        EXPECT_EQ(first.formats(), std::vector<std::string>{"middle"});
        EXPECT_EQ(first.atLevel(2).size(), 1u);
    }
    logAppVel("x", "f", 2, 1, "outer");
    EXPECT_EQ(outer, std::vector<std::string>{"outer"});
    setLogSink(nullptr);
    setLogLevelEnabled(7, false);
}
