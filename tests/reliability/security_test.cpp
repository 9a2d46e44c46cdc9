// What the proxies must never do inside someone else's process: write a
// password anywhere a person or another program can read it, or hand text
// from outside to printf as a format.
#include <gtest/gtest.h>

#include <set>

#include "FaultScenario.h"
#include "testing/LogCapture.h"

using namespace reliability;
using mgmtkit::LogCapture;

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
    const std::vector<std::string>& secrets = testing_support::secrets();
    RebootCounter reboots;
    std::set<std::string> handedOver;  // secrets that did reach the channel
    std::size_t recordsSeen = 0;
    for (const Operation& row : mgmtdesc::operations()) {
        for (const Scenario& scenario : scenariosFor(row, "injected: link lost")) {
            SCOPED_TRACE(describe(row, scenario));
            LogCapture log({0, 1, 2, 3, 4, 5, 6});
            testing::internal::CaptureStdout();
            const Observed observed = run(row, scenario);
            const std::string standardOutput = testing::internal::GetCapturedStdout();
            const std::vector<LogRecord> records = log.records();
            recordsSeen += records.size();
            for (const std::string& secret : secrets) {
                for (const LogRecord& record : records) {
                    EXPECT_FALSE(mentions(record.message, secret)) << "level " << record.level << ": "
                                                                   << record.message;
                    EXPECT_FALSE(mentions(record.format, secret)) << record.format;
                }
                EXPECT_FALSE(mentions(standardOutput, secret)) << standardOutput;
                for (const testing_support::SentRequest& sent : observed.sent)
                    if (carries(sent.request, secret)) handedOver.insert(secret);
            }
        }
    }
    EXPECT_GT(recordsSeen, 0u);
    // Each password went out to the service, so each had the chance to leak.
    EXPECT_EQ(handedOver, std::set<std::string>(secrets.begin(), secrets.end()));
}

// Exception texts are checked literally by the fault sweep, file names by the
// file catalogue's tests; here the callback channel's name from the framework.
TEST(Security, ChannelNamesAreWrittenLiterally) {
    LogCapture log({5});
    run(*mgmtdesc::findOperation("observeManageableData"), Scenario{Fault::None, 0, ""}, kConversions);

    std::vector<std::string> messages;
    for (const LogRecord& record : log.records())
        if (record.format == "%s: callback channel set: %s") messages.push_back(record.message);
    EXPECT_EQ(messages, std::vector<std::string>{"observeData: callback channel set: " + std::string(kConversions)});
}
