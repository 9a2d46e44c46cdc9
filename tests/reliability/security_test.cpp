// What the proxies must never do inside someone else's process: write a
// password anywhere a person or another program can read it, or hand text
// from outside to printf as a format.
#include <gtest/gtest.h>

#include <set>

#include "FaultScenario.h"
#include "LogCapture.h"

using namespace reliability;
using testing_support::LogCapture;
using testing_support::TestChannel;

namespace {

// Conversions that read or write memory that is not there when text from the
// channel is used as a format.
const char* const kConversions = "%s%n%x%d%%";

bool mentions(const std::string& text, const std::string& secret) {
    return text.find(secret) != std::string::npos;
}

bool carries(const Method& request, const std::string& secret) {
    for (const Parameter& parameter : request.parameters())
        if (parameter.kind() == Parameter::STRING && mentions(parameter.stringValue(), secret)) return true;
    return false;
}

}  // namespace

TEST(Security, NoPasswordReachesTheLogOrStandardOutput) {
    RebootCounter reboots;
    std::set<std::string> handedOver;  // secrets that did reach the channel
    std::size_t recordsSeen = 0;
    for (const Operation& operation : operations()) {
        for (const Scenario& scenario : scenariosFor(operation, "injected: link lost")) {
            SCOPED_TRACE(describe(operation, scenario));
            LogCapture log({0, 1, 2, 3, 4, 5, 6});
            testing::internal::CaptureStdout();
            const Observed observed = run(operation, scenario);
            const std::string standardOutput = testing::internal::GetCapturedStdout();
            const std::vector<LogRecord> records = log.records();
            recordsSeen += records.size();
            for (const std::string& secret : secrets()) {
                for (const LogRecord& record : records) {
                    EXPECT_FALSE(mentions(record.message, secret)) << "level " << record.level << ": "
                                                                   << record.message;
                    EXPECT_FALSE(mentions(record.format, secret)) << record.format;
                }
                EXPECT_FALSE(mentions(standardOutput, secret)) << standardOutput;
                for (const testing_support::SentCall& call : observed.sent)
                    if (carries(call.request, secret)) handedOver.insert(secret);
            }
        }
    }
    EXPECT_GT(recordsSeen, 0u);
    // Each password went out to the service, so each had the chance to leak.
    EXPECT_EQ(handedOver, std::set<std::string>(secrets().begin(), secrets().end()));
}

TEST(Security, DataRecordShowsTheDataWithPasswordsMasked) {
    const Operation* setData = nullptr;
    for (const Operation& operation : operations())
        if (std::string(operation.name) == "setData") setData = &operation;
    ASSERT_NE(setData, nullptr);
    LogCapture log({5});
    run(*setData, Scenario{Fault::None, 0, ""});
    std::vector<std::string> dataRecords;
    for (const LogRecord& record : log.records())
        if (record.format == "Proxy - setData - sent = %s\n") dataRecords.push_back(record.message);
    ASSERT_EQ(dataRecords.size(), 1u);
    EXPECT_TRUE(mentions(dataRecords[0], "ringVolume=7")) << dataRecords[0];
    EXPECT_TRUE(mentions(dataRecords[0], "sipPassword=")) << dataRecords[0];
    for (const std::string& secret : secrets()) EXPECT_FALSE(mentions(dataRecords[0], secret));
}

TEST(Security, ExceptionTextsAreWrittenLiterally) {
    RebootCounter reboots;
    std::size_t checked = 0;
    for (const Operation& operation : operations()) {
        if (operation.failure.format == nullptr ||
            std::string(operation.failure.format).find("%s") == std::string::npos)
            continue;
        const Scenario scenario{Fault::CallThrows, 0, kConversions};
        SCOPED_TRACE(describe(operation, scenario));
        LogCapture log({0, 1, 2, 3, 4, 5, 6});
        testing::internal::CaptureStdout();
        run(operation, scenario);
        const std::string standardOutput = testing::internal::GetCapturedStdout();
        const std::string literal = withText(operation.failure.format, kConversions);
        if (operation.failure.onStandardOutput) {
            EXPECT_EQ(standardOutput, literal);
        } else {
            std::vector<std::string> messages;
            for (const LogRecord& record : log.records())
                if (record.format == operation.failure.format) messages.push_back(record.message);
            EXPECT_EQ(messages, std::vector<std::string>{literal});
        }
        ++checked;
    }
    EXPECT_EQ(checked, 26u);  // every pattern-E operation and both reboot fallbacks
}

TEST(Security, FileAndChannelNamesAreWrittenLiterally) {
    const std::string name = std::string(kConversions) + ".wav";
    LogCapture log({4, 5});

    // A path from the service, and the caller's own when the call fails.
    TestChannel channel;
    LocalMgmtProxy proxy;
    proxy.initProxy(channel);
    channel.replyBool("result", true).replyString("filename", name, Parameter::INOUT);
    std::string filename = "before";
    EXPECT_TRUE(proxy.getFilePathFromType(LocalMgmtIfc::FILETYPE_RINGER, filename));
    channel.failWith("down");
    std::string callers = name;
    EXPECT_FALSE(proxy.getFilePathFromType(LocalMgmtIfc::FILETYPE_RINGER, callers, LocalMgmtIfc::USER_DEFAULT));

    // A callback channel name from the framework.
    const Operation* observe = nullptr;
    for (const Operation& operation : operations())
        if (std::string(operation.name) == "observeManageableData") observe = &operation;
    ASSERT_NE(observe, nullptr);
    run(*observe, Scenario{Fault::None, 0, ""}, kConversions);

    std::vector<std::string> messages;
    for (const LogRecord& record : log.records())
        if (record.level == 4 || record.format == "%s: callback channel set: %s") messages.push_back(record.message);
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "getFilePathFromType[11][" + name + "][true]",
                            "getFilePathFromType for user[11][" + name + "][4][false]",
                            "observeData: callback channel set: " + std::string(kConversions)}));
}
