// Every operation of the three proxies under every fault its channel can
// produce: the call throws (our exception type or another), the reply is
// empty, any one value read from it has the wrong kind, an object text in it
// does not parse, the framework context fails before anything is sent, the
// proxy is used before it is bound (and must work once it is). Each
// outcome is held against the operation's failure pattern: what passes
// through, what is logged, what is returned, what the caller's variables hold,
// whether the device reboots; and no password may show in a record or on
// standard output. Run once with every log level on and once with all of them
// off.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>

#include "FaultScenario.h"
#include "testing/LogCapture.h"
#include "testing/StdoutCapture.h"

using namespace reliability;
using mgmtkit::LogCapture;
using testing_support::show;

namespace {

// With conversions that read or write memory that is not there, should the
// text ever be used as a format instead of written literally.
const char* const kFaultText = "injected: service unreachable %s%n%x%d%%";

void checkOutcome(const Operation& row, const Scenario& scenario, bool levelsOn) {
    SCOPED_TRACE(describe(row, scenario) + (levelsOn ? ", all levels on" : ", all levels off"));
    std::optional<LogCapture> log;
    if (levelsOn)
        log.emplace(std::initializer_list<int>{0, 1, 2, 3, 4, 5, 6});
    else
        log.emplace(LogCapture::allLevelsOff);
    mgmtkit::StdoutCapture printed;
    const Observed observed = run(row, scenario);
    const std::string standardOutput = printed.take();
    const Expected expected = expect(row, scenario, levelsOn);

    EXPECT_EQ(nameOf(observed.escaped), std::string(nameOf(expected.escaped))) << observed.escapedText;
    if (expected.escaped == Escape::Nothing && observed.escaped == Escape::Nothing) {
        EXPECT_EQ(show(observed.outcome.result), show(expected.outcome.result));
    }
    EXPECT_EQ(show(observed.outcome.arguments), show(expected.outcome.arguments));
    EXPECT_EQ(observed.sent.size(), expected.calls) << "nothing is retried";
    EXPECT_EQ(observed.reboots, expected.reboots);
    EXPECT_EQ(standardOutput, expected.standardOutput);
    if (scenario.fault == Fault::Unbound) {
        EXPECT_THAT(observed.unboundError, ::testing::StartsWith(std::string(row.member) + " called before initProxy"));
    }

    // Records that report failures; traces and progress records sit above level 3.
    // With every level off, only the error records, which are written regardless.
    std::vector<LogRecord> records;
    for (const LogRecord& record : log->records()) {
        if (record.level <= 3) records.push_back(record);
        EXPECT_TRUE(levelsOn || record.level <= 2) << "written with its level off: " << record.message;
        for (const std::string& secret : testing_support::secrets())
            EXPECT_EQ((record.format + record.message).find(secret), std::string::npos) << record.message;
    }
    for (const std::string& secret : testing_support::secrets())
        EXPECT_EQ(standardOutput.find(secret), std::string::npos) << standardOutput;
    if (!expected.record) {
        for (const LogRecord& record : records)
            ADD_FAILURE() << "unexpected level-" << record.level << " record: " << record.message;
        return;
    }
    ASSERT_EQ(records.size(), 1u) << "exactly one failure record";
    EXPECT_EQ(records[0].format, expected.record->format);
    EXPECT_EQ(records[0].level, expected.record->level);
    EXPECT_EQ(records[0].message, expected.record->message);
    EXPECT_EQ(records[0].component, "LocalMgmtProxy");
    EXPECT_EQ(records[0].file, "./src/LocalMgmtProxy");
}

struct FaultSweep : ::testing::TestWithParam<std::size_t> {
    RebootCounter reboots;
    const Operation& row() const { return mgmtdesc::operations().at(GetParam()); }
};

std::string testName(const ::testing::TestParamInfo<std::size_t>& info) {
    std::string name;
    for (char c : std::string(mgmtdesc::operations().at(info.param).name))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

}  // namespace

TEST_P(FaultSweep, OutcomeFollowsThePattern) {
    for (const Scenario& scenario : scenariosFor(row(), kFaultText))
        for (bool levelsOn : {true, false}) checkOutcome(row(), scenario, levelsOn);
}

INSTANTIATE_TEST_SUITE_P(AllOperations, FaultSweep,
                         ::testing::Range(std::size_t{0}, mgmtdesc::operations().size()), testName);
