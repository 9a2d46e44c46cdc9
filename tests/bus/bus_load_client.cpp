// One client process of the load test (bus_load_test.cpp): mixed calls
// through the proxies over one bus channel, each one-way call checked at the
// service by the synchronous read after it (one connection's calls are
// served in order), and its own resident set and descriptors reported.
//
// usage: bus_load_client CLIENT CALLS   (CLIENT 0..7; CALLS a multiple of 8,
// and one observeData before them)
// Prints "warm RSS_KIB FDS" after a tenth of the calls, then
// "done RSS_KIB FDS NOTIFICATIONS"; on a wrong answer "wrong: ..." and exits 1.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "LocalMgmtProxy.h"
#include "bus/BusChannel.h"
#include "bus/BusContext.h"

namespace {

// Counts the notifications about its node; keeps nothing, so it does not grow.
class Counter : public MgmtAgentIfc, public Executable, public NotificationSink {
public:
    void init(Context&) override {}
    void shutdown() override {}
    void notify(const Method&) override { ++heard; }
    std::atomic<long> heard{0};
};

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

struct Wrong {
    std::string what;
};

void check(bool good, const std::string& what) {
    if (!good) throw Wrong{what};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const int client = std::stoi(argv[1]);
    const long calls = std::stol(argv[2]);
    const unsigned bit = 1u << client;
    const std::string node = "load" + std::to_string(client);
    Counter counter;
    try {
        mgmtbus::BusChannel channel;
        LocalMgmtProxy phone;
        phone.initProxy(channel);
        check(phone.observeManageableData(node, &counter), "observeData refused");
        const long cycles = calls / 8;
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
            if (cycle + 1 == cycles / 10)
                std::cout << "warm " << residentKiB() << ' ' << openDescriptors() << std::endl;
        }
        channel.awaitNotifications();
        std::cout << "done " << residentKiB() << ' ' << openDescriptors() << ' ' << counter.heard << std::endl;
        channel.context().forget(&counter);
        return 0;
    } catch (const Wrong& wrong) {
        std::cout << "wrong: " << wrong.what << std::endl;
    } catch (const CorvexException& error) {
        std::cout << "wrong: " << error.what() << std::endl;
    }
    return 1;
}
