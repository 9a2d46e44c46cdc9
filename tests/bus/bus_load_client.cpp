// One client process of the load test (bus_load_test.cpp): two threads make
// mixed calls, each through proxies of its own, over one shared bus channel
// while their notifications arrive on its bus thread, and the first changes
// the channel's time-out and makes and drops a watch of the service as it
// goes; ThreadSanitizer (.ci/run) sees all of that side by side. Each one-way
// call is checked at the service by the synchronous read after it (one
// connection's calls are served in order), each notification by its own
// observer, and the process reports its own resident set and descriptors.
//
// usage: bus_load_client CLIENT CALLS   (CLIENT 0..7; CALLS a multiple of 8,
// and one observeData per thread before them)
// Prints "warm RSS_KIB FDS" after a tenth of the calls, then
// "done RSS_KIB FDS NOTIFICATIONS"; on a wrong answer "wrong: ..." and exits 1.
#include <unistd.h>

#include <atomic>
#include <iostream>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "LocalMgmtProxy.h"
#include "bus/BusChannel.h"
#include "bus/BusContext.h"
#include "testing/DataChanged.h"

namespace {

constexpr int kThreads = 2;

void check(bool good, const std::string& what) {
    if (!good) throw std::runtime_error(what);
}

// Hears of one node, whose every change must bring the next round's value;
// keeps nothing, so it does not grow.
class Counter : public MgmtAgentIfc, public Executable, public NotificationSink {
public:
    explicit Counter(std::string key) : key_(std::move(key)) {}
    void init(Context&) override {}
    void shutdown() override {}
    void notify(const Method& notification) override {
        const auto change = mgmtkit::readDataChanged(notification);
        if (!change || change->values.count(key_) == 0 || change->values.at(key_) != std::to_string(heard))
            astray = true;
        ++heard;
    }
    std::atomic<long> heard{0};
    std::atomic<bool> astray{false};

private:
    const std::string key_;
};

void reportFigures(const char* word) {
    std::cout << word << ' ' << bustest::residentKiB(getpid()) << ' ' << bustest::openDescriptors(getpid());
}

// One thread's `cycles` rounds of eight calls as client number `slot`.
void callMixed(mgmtbus::BusChannel& channel, int slot, long cycles, Counter& counter, bool first) {
    const unsigned bit = 1u << slot;
    const std::string node = "load" + std::to_string(slot);
    LocalMgmtProxy phone;
    phone.initProxy(channel);
    check(phone.observeManageableData(node, &counter), "observeData refused");
    for (long cycle = 0; cycle < cycles; ++cycle) {
        phone.setPhoneBusyStatus(bit);  // one-way
        check(phone.retrievePhoneBusyStatus() & bit, "setPhoneBusyStatus did not arrive");
        phone.clearPhoneBusyStatus(bit);  // one-way
        check(!(phone.retrievePhoneBusyStatus() & bit), "clearPhoneBusyStatus did not arrive");
        ManageableData data;
        data.setValue(node + ".n", std::to_string(cycle));
        check(phone.setData(data), "setData refused");
        ManageableData asked;
        asked.setValue(node + ".n", "");
        check(phone.getData(asked) && asked.getValue(node + ".n") == std::to_string(cycle), "getData");
        phone.registerManagementIdentity(node, &counter);  // one-way with a callback channel
        check(phone.verifyFactoryResetPassword("admin123") == 0, "verifyFactoryResetPassword");
        if (!first) continue;
        channel.setDefaultTimeout(30000 + cycle % 1000);
        const auto watch = channel.watchService([](mgmtbus::ServiceEvent) {});
        check(channel.serviceOnBus(), "the service is not on the bus");
        if (cycle + 1 == cycles / 10) {
            reportFigures("warm");
            std::cout << std::endl;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const int client = std::stoi(argv[1]);
    const long cycles = std::stol(argv[2]) / 8;
    const auto share = [cycles](int thread) { return (cycles + thread) / kThreads; };
    std::vector<std::unique_ptr<Counter>> counters;  // outlive the channel that calls them
    for (int t = 0; t < kThreads; ++t)
        counters.push_back(std::make_unique<Counter>("load" + std::to_string(client * kThreads + t) + ".n"));
    std::mutex failing;
    std::string wrong;
    mgmtbus::BusChannel channel;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            try {
                callMixed(channel, client * kThreads + t, share(t), *counters[t], t == 0);
            } catch (const std::runtime_error& error) {
                const std::lock_guard<std::mutex> lock(failing);
                wrong = error.what();
            } catch (const CorvexException& error) {
                const std::lock_guard<std::mutex> lock(failing);
                wrong = error.what();
            }
        });
    for (std::thread& thread : threads) thread.join();
    if (wrong.empty()) {
        channel.awaitNotifications();
        for (int t = 0; t < kThreads; ++t)
            if (counters[t]->astray || counters[t]->heard != share(t)) wrong = "a notification went astray or was lost";
    }
    long heard = 0;
    for (const auto& counter : counters) {
        heard += counter->heard;
        channel.context().forget(counter.get());
    }
    if (!wrong.empty()) {
        std::cout << "wrong: " << wrong << std::endl;
        return 1;
    }
    reportFigures("done");
    std::cout << ' ' << heard << std::endl;
    return 0;
}
