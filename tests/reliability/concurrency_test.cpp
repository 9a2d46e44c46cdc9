// Different proxy objects are independent: several threads, each with its own
// channel and its own proxies, run every operation at once, both answered and
// failing, while every log level is on and all records go into one shared
// sink. Meant for ThreadSanitizer; the counts at the end catch lost or
// doubled records and reboots in any build.
#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "FaultScenario.h"
#include "testing/LogCapture.h"
#include "testing/StdoutCapture.h"

using namespace reliability;
using testing_support::show;

namespace {

const int kThreads = 4;
const int kRounds = 10;

struct Tally {
    int mismatches = 0;
    int reboots = 0;
    std::map<std::string, int> failureRecords;  // by format, as the patterns predict them
    int standardOutputLines = 0;
};

void drive(Tally& tally) {
    for (int round = 0; round < kRounds; ++round) {
        for (const Operation& row : mgmtdesc::operations()) {
            for (Fault fault : {Fault::None, Fault::CallThrows}) {
                const Scenario scenario{fault, 0, "injected: service unreachable"};
                const Observed observed = run(row, scenario);
                const Expected expected = expect(row, scenario, true);
                const bool same =
                    observed.escaped == expected.escaped &&
                    (expected.escaped != Escape::Nothing ||
                     show(observed.outcome.result) == show(expected.outcome.result)) &&
                    show(observed.outcome.arguments) == show(expected.outcome.arguments) &&
                    observed.reboots == expected.reboots;
                if (!same) ++tally.mismatches;
                tally.reboots += observed.reboots;
                if (expected.record) ++tally.failureRecords[expected.record->format];
                if (!expected.standardOutput.empty()) ++tally.standardOutputLines;
            }
        }
    }
}

}  // namespace

TEST(Concurrency, ProxiesOnSeparateThreadsDoNotInterfere) {
    RebootCounter reboots;
    mgmtkit::LogCapture log({0, 1, 2, 3, 4, 5, 6});
    mgmtkit::StdoutCapture printed;
    std::vector<Tally> tallies(kThreads);
    {
        std::vector<std::thread> threads;
        for (Tally& tally : tallies) threads.emplace_back(drive, std::ref(tally));
        for (std::thread& thread : threads) thread.join();
    }
    const std::string standardOutput = printed.take();

    Tally total;
    for (const Tally& tally : tallies) {
        total.mismatches += tally.mismatches;
        total.reboots += tally.reboots;
        total.standardOutputLines += tally.standardOutputLines;
        for (const auto& [format, count] : tally.failureRecords) total.failureRecords[format] += count;
    }
    EXPECT_EQ(total.mismatches, 0);
    EXPECT_EQ(total.reboots, kThreads * kRounds * 2);  // the two reboot fallbacks, once per round

    std::map<std::string, int> logged;
    for (const LogRecord& record : log.records())
        if (record.level <= 3) ++logged[record.format];
    EXPECT_EQ(logged, total.failureRecords);
    int lines = 0;
    for (char c : standardOutput) lines += c == '\n';
    EXPECT_EQ(lines, total.standardOutputLines);
}
