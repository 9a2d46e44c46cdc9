// What the proxies must never do inside someone else's process: write a
// password anywhere a person or another program can read it, or hand text
// from outside to printf as a format. That no password shows in a record or on
// standard output the fault sweep checks in each of its runs.
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

}  // namespace

// Each password the sweep looks for goes out to the service, so each had the
// chance to leak.
TEST(Security, EveryPasswordTheSweepLooksForReachesTheChannel) {
    const std::vector<std::string>& secrets = testing_support::secrets();
    std::set<std::string> handedOver;
    for (const Operation& row : mgmtdesc::operations())
        for (const testing_support::SentRequest& sent : run(row, Scenario{}).sent)
            for (const Parameter& parameter : sent.request.parameters())
                for (const std::string& secret : secrets)
                    if (parameter.kind() == Parameter::STRING && parameter.stringValue().find(secret) != std::string::npos)
                        handedOver.insert(secret);
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
