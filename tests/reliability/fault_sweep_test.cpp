// Every operation of the three proxies under every fault its channel can
// produce: the call throws (our exception type or another), the reply is
// empty, any one value read from it has the wrong kind, an object text in it
// does not parse, the framework context fails before anything is sent, the
// proxy is used before it is bound (and must work once it is). Each
// outcome is held against the operation's failure pattern: what passes
// through, what is logged, what is returned, what the caller's variables hold,
// whether the device reboots. Run once with every log level on and once with
// all of them off.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>

#include "FaultScenario.h"
#include "LogCapture.h"

using namespace reliability;
using testing_support::LogCapture;
using ::testing::Contains;

namespace {

// With conversions that read or write memory that is not there, should the
// text ever be used as a format instead of written literally.
// How the table tells a member's overloads apart.
const std::vector<std::string> overloadSuffixes = {"", "WithObserver", "From", "FromWithObserver",
                                                   "ForUser", "Bulk", "List"};

const char* const kFaultText = "injected: service unreachable %s%n%x%d%%";

// Records that report failures; traces and progress records sit above level 3.
std::vector<LogRecord> failureRecords(const LogCapture& log) {
    std::vector<LogRecord> found;
    for (const LogRecord& record : log.records())
        if (record.level <= 3) found.push_back(record);
    return found;
}

void checkOutcome(const Operation& operation, const Scenario& scenario, bool levelsOn) {
    SCOPED_TRACE(describe(operation, scenario) + (levelsOn ? ", all levels on" : ", all levels off"));
    std::optional<LogCapture> log;
    if (levelsOn)
        log.emplace(std::initializer_list<int>{0, 1, 2, 3, 4, 5, 6});
    else
        log.emplace();
    testing::internal::CaptureStdout();
    const Observed observed = run(operation, scenario);
    const std::string standardOutput = testing::internal::GetCapturedStdout();
    const Expected expected = expect(operation, scenario, levelsOn);

    EXPECT_EQ(nameOf(observed.escaped), std::string(nameOf(expected.escaped))) << observed.escapedText;
    if (expected.escaped == Escape::Nothing && observed.escaped == Escape::Nothing) {
        EXPECT_EQ(observed.result, expected.result);
    }
    EXPECT_EQ(observed.args, expected.args);
    EXPECT_EQ(observed.sent.size(), expected.calls) << "nothing is retried";
    EXPECT_EQ(observed.reboots, expected.reboots);
    EXPECT_EQ(standardOutput, expected.standardOutput);
    if (scenario.fault == Fault::Unbound) {
        // The error names the member; the table's name is that member plus
        // the suffix that tells its overloads apart.
        const std::string member = observed.unboundError.substr(0, observed.unboundError.find(' '));
        const std::string name = operation.name;
        ASSERT_EQ(name.compare(0, member.size(), member), 0) << observed.unboundError;
        EXPECT_THAT(overloadSuffixes, Contains(name.substr(member.size()))) << observed.unboundError;
    }

    const std::vector<LogRecord> records = failureRecords(*log);
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
    const Operation& operation() const { return operations().at(GetParam()); }
};

std::string testName(const ::testing::TestParamInfo<std::size_t>& info) {
    std::string name;
    for (char c : std::string(operations().at(info.param).name))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

std::vector<std::size_t> allRows() {
    std::vector<std::size_t> rows(operations().size());
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = i;
    return rows;
}

}  // namespace

TEST_P(FaultSweep, OutcomeFollowsThePattern) {
    for (const Scenario& scenario : scenariosFor(operation(), kFaultText))
        for (bool levelsOn : {true, false}) checkOutcome(operation(), scenario, levelsOn);
}

INSTANTIATE_TEST_SUITE_P(AllOperations, FaultSweep, ::testing::ValuesIn(allRows()), testName);

// The table itself: one row per operation, patterns as the interfaces fix them.
TEST(OperationTable, CoversEveryOperationOnce) {
    std::map<std::string, int> patterns;
    std::set<std::string> names;
    for (const Operation& operation : operations()) {
        EXPECT_TRUE(names.insert(operation.name).second) << "listed twice: " << operation.name;
        ++patterns[nameOf(operation.pattern)];
        EXPECT_EQ(operation.synchronous(), !operation.reads.empty()) << operation.name;
    }
    // 51 operations of LocalMgmtIfc, the two trap-setting checks, three event operations.
    EXPECT_EQ(operations().size(), 56u);
    EXPECT_EQ(patterns, (std::map<std::string, int>{
                            {"A", 13}, {"B", 2}, {"C", 5}, {"D", 10}, {"E", 24}, {"F", 2}}));
}
