// Different proxy objects are independent: several threads, each with its own
// channel and its own proxies, run every operation at once, both answered and
// failing, while every log level is on and all records go into one shared
// sink. Meant for ThreadSanitizer; the counts at the end catch lost or
// doubled records and reboots in any build.
#include <gtest/gtest.h>

#include <atomic>
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
const char* const kFaultText = "injected: service unreachable";

// One round: every row answered, then failing at the call.
template <class Visit>
void eachScenario(Visit&& visit) {
    for (const Operation& row : mgmtdesc::operations())
        for (Fault fault : {Fault::None, Fault::CallThrows}) visit(row, Scenario{fault, 0, kFaultText});
}

}  // namespace

TEST(Concurrency, ProxiesOnSeparateThreadsDoNotInterfere) {
    // What the patterns predict for all the rounds of all the threads.
    std::map<std::string, int> failureRecords;  // by format
    int reboots = 0, standardOutputLines = 0;
    eachScenario([&](const Operation& row, const Scenario& scenario) {
        const Expected expected = expect(row, scenario, true);
        if (expected.record) failureRecords[expected.record->format] += kThreads * kRounds;
        reboots += expected.reboots * kThreads * kRounds;
        standardOutputLines += expected.standardOutput.empty() ? 0 : kThreads * kRounds;
    });

    RebootCounter counter;
    mgmtkit::LogCapture log({0, 1, 2, 3, 4, 5, 6});
    mgmtkit::StdoutCapture printed;
    std::atomic<int> mismatches{0}, rebooted{0};
    {
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&] {
                for (int round = 0; round < kRounds; ++round)
                    eachScenario([&](const Operation& row, const Scenario& scenario) {
                        const Observed observed = run(row, scenario);
                        const Expected expected = expect(row, scenario, true);
                        const bool same = observed.escaped == expected.escaped &&
                                          (expected.escaped != Escape::Nothing ||
                                           show(observed.outcome.result) == show(expected.outcome.result)) &&
                                          show(observed.outcome.arguments) == show(expected.outcome.arguments) &&
                                          observed.reboots == expected.reboots;
                        mismatches += same ? 0 : 1;
                        rebooted += observed.reboots;
                    });
            });
        for (std::thread& thread : threads) thread.join();
    }
    const std::string standardOutput = printed.take();

    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(rebooted, reboots);
    EXPECT_GT(reboots, 0);
    std::map<std::string, int> logged;
    for (const LogRecord& record : log.records())
        if (record.level <= 3) ++logged[record.format];
    EXPECT_EQ(logged, failureRecords);
    int lines = 0;
    for (char c : standardOutput) lines += c == '\n';
    EXPECT_EQ(lines, standardOutputLines);
}
