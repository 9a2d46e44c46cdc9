// One channel shared by several threads while notifications and news of the
// service arrive on its bus thread. Run under ThreadSanitizer by .ci/run; in
// the other builds it checks that every call is answered and every
// notification reaches its own observer.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "LocalMgmtProxy.h"
#include "ServedPhone.h"
#include "Watcher.h"
#include "bus/BusChannel.h"
#include "bus/BusContext.h"

namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 40;

TEST(BusThreads, ThreadsShareOneChannelWhileCallbacksArrive) {
    bustest::ServedPhone served;
    std::vector<bustest::Watcher> watchers(kThreads);  // outlive the channel that calls them
    mgmtbus::BusChannel channel;
    std::atomic<bool> calling{true};

    // Beside the callers: time-outs changed, and watches made and dropped.
    std::thread fiddler([&] {
        for (int round = 0; calling; ++round) {
            channel.setDefaultTimeout(30000 + round % 1000);
            auto watch = channel.watchService([](mgmtbus::ServiceEvent) {});
            EXPECT_TRUE(channel.serviceOnBus());
        }
    });
    std::vector<std::thread> callers;
    for (int t = 0; t < kThreads; ++t)
        callers.emplace_back([&, t] {
            LocalMgmtProxy phone;
            phone.initProxy(channel);
            const std::string node = "threads" + std::to_string(t);
            ASSERT_TRUE(phone.observeManageableData(node, &watchers[t]));
            for (int round = 0; round < kRounds; ++round) {
                ManageableData data;
                data.setValue(node + ".round", std::to_string(round));
                EXPECT_TRUE(phone.setData(data));
                phone.setPhoneBusyStatus(1u << t);
                EXPECT_TRUE(phone.retrievePhoneBusyStatus() & (1u << t));
                phone.clearPhoneBusyStatus(1u << t);
                EXPECT_EQ(phone.uploadUserFile(LocalMgmtIfc::FILETYPE_RINGER, "Chirp.raw"), 0);
            }
            EXPECT_TRUE(phone.stopObservingManageableData(node, &watchers[t]));
        });
    for (std::thread& caller : callers) caller.join();
    calling = false;
    fiddler.join();

    std::vector<std::string> everyRound;
    for (int round = 0; round < kRounds; ++round) everyRound.push_back(std::to_string(round));
    for (int t = 0; t < kThreads; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(watchers[t].awaitValues("threads" + std::to_string(t) + ".round", kRounds), everyRound);
    }
}

}  // namespace
