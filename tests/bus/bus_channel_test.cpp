// The proxies over the bus channel against the telephone `mgmtctl serve`
// puts on a private bus (the test runs under dbus-run-session): a failing or
// late service must look to every operation exactly as it does in process.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

#include <sdbus-c++/sdbus-c++.h>

#include "RowDriver.h"
#include "bus/BusChannel.h"
#include "bus/BusContext.h"
#include "testing/LogCapture.h"
#include "testing/SimulatedPhone.h"

using namespace testing_support;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

// `mgmtctl serve` on the session bus for the length of a test, and its control interface.
class ServedPhone {
public:
    ServedPhone() {
        pid_ = fork();
        if (pid_ == 0) {
            execl(MGMTCTL_PATH, MGMTCTL_PATH, "serve", "--bus", static_cast<char*>(nullptr));
            _exit(127);
        }
        connection_ = sdbus::createSessionBusConnection();
        control_ = sdbus::createProxy(*connection_, mgmtbus::kServiceBusName, mgmtbus::kServicePath);
        const auto deadline = Clock::now() + std::chrono::seconds(30);
        for (;;) {
            try {
                state();
                return;
            } catch (const sdbus::Error&) {
                if (Clock::now() > deadline) throw;
                std::this_thread::sleep_for(milliseconds(50));
            }
        }
    }
    ~ServedPhone() {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }

    std::string state() {
        std::string text;
        control_->callMethod("State").onInterface(mgmtbus::kControlInterface).storeResultsTo(text);
        return text;
    }
    void fail(const std::string& remote, const std::string& text) {
        control_->callMethod("Fail").onInterface(mgmtbus::kControlInterface).withArguments(remote, text);
    }
    void restore(const std::string& remote) {
        control_->callMethod("Restore").onInterface(mgmtbus::kControlInterface).withArguments(remote);
    }
    void delay(const std::string& remote, uint32_t ms) {
        control_->callMethod("Delay").onInterface(mgmtbus::kControlInterface).withArguments(remote, ms);
    }

private:
    pid_t pid_;
    std::unique_ptr<sdbus::IConnection> connection_;
    std::unique_ptr<sdbus::IProxy> control_;
};

// What a failing call left behind, as far as the caller can tell.
struct Aftermath {
    std::string escaped;  // the text of the CorvexException that reached the caller
    std::string result;
    std::vector<std::string> records;  // level, format and message of each failure record
    std::string printed;
    int reboots = 0;
};

Aftermath callOn(ProxyRequest& channel, const Operation& row) {
    Aftermath aftermath;
    GPALAdmin::setRebootHandler([&aftermath] { ++aftermath.reboots; });
    mgmtkit::LogCapture log({0, 1, 2, 3});
    Proxies proxies(channel);
    ArgumentValues arguments = sampleArguments(row, proxies.agent);
    testing::internal::CaptureStdout();
    try {
        aftermath.result = show(call(row, proxies, arguments));
    } catch (const CorvexException& error) {
        aftermath.escaped = error.what();
    }
    aftermath.printed = testing::internal::GetCapturedStdout();
    GPALAdmin::setRebootHandler({});
    for (const LogRecord& record : log.records())
        aftermath.records.push_back(std::to_string(record.level) + " " + record.format + " " + record.message);
    return aftermath;
}

void expectSame(const Aftermath& bus, const Aftermath& local) {
    EXPECT_EQ(bus.escaped, local.escaped);
    EXPECT_EQ(bus.result, local.result);
    EXPECT_EQ(bus.records, local.records);
    EXPECT_EQ(bus.printed, local.printed);
    EXPECT_EQ(bus.reboots, local.reboots);
}

TEST(BusChannel, EveryFailurePatternAsInProcess) {
    ServedPhone served;
    mgmtbus::BusChannel channel;
    for (const Operation& row : mgmtdesc::operations()) {
        if (!row.synchronous()) continue;  // one-way failures never come back, on any channel
        SCOPED_TRACE(row.name);
        const std::string remote = row.remote;
        const std::string text = "disk full while serving " + remote;
        served.fail(remote, text);
        mgmtkit::SimulatedPhone phone;
        mgmtkit::SimulatedContext context;
        phone.frameworkContext = &context;
        phone.fail(remote, text);
        expectSame(callOn(channel, row), callOn(phone, row));
        served.restore(remote);
    }
}

TEST(BusChannel, LateAnswerEndsAtTheCallsTimeOutAndEachPatternCopes) {
    ServedPhone served;
    mgmtbus::BusChannel channel;
    served.delay("retrievePhoneBusyStatus", 5000);
    Method request("retrievePhoneBusyStatus", Method::REQUEST), reply;
    std::string noChannel;
    const auto start = Clock::now();
    try {
        channel.synchronousCall(request, reply, noChannel, 1000);
        ADD_FAILURE() << "a late answer was waited for";
    } catch (const CorvexException& error) {
        EXPECT_STREQ(error.what(),
                     "retrievePhoneBusyStatus: no answer from service mgmt.LocalMgmtService within 1000 ms");
    }
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(1000));
    EXPECT_LT(waited, milliseconds(5000)) << "gave up at its own time-out, not at the answer";

    // Operations that wait as long as the channel does: each meets the
    // channel's time-out as it meets any other failure in process.
    channel.setDefaultTimeout(300);
    for (const char* name : {"retrievePhoneBusyStatus", "deleteFile", "uploadUserFile"}) {
        const Operation& row = *mgmtdesc::findOperation(name);
        SCOPED_TRACE(name);
        const std::string remote = row.remote;
        served.delay(remote, 1500);
        mgmtkit::SimulatedPhone phone;
        phone.fail(remote, remote + ": no answer from service mgmt.LocalMgmtService within 300 ms");
        expectSame(callOn(channel, row), callOn(phone, row));
        served.delay(remote, 0);
    }
}

// An observer that keeps what it is told.
class Watcher : public MgmtAgentIfc, public Executable, public NotificationSink {
public:
    void init(Context&) override {}
    void shutdown() override {}
    void notify(const Method& notification) override {
        std::lock_guard<std::mutex> lock(mutex_);
        heard_.push_back(notification);
        changed_.notify_all();
    }
    // The data of the first notification about `node`, waiting for one.
    std::optional<std::string> dataAbout(const std::string& node) {
        std::unique_lock<std::mutex> lock(mutex_);
        std::optional<std::string> data;
        changed_.wait_for(lock, std::chrono::seconds(30), [&] {
            for (Method& heard : heard_) {
                std::string nodeId, text;
                if (heard.name() == mgmtkit::kDataChanged && heard.getStringParameter("nodeId", nodeId, Parameter::IN) &&
                    nodeId == node && heard.getStringParameter("manageableData", text, Parameter::IN))
                    data = text;
            }
            return data.has_value();
        });
        return data;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Method> heard_;
};

TEST(BusChannel, ObserverHearsOfAChangeMadeByAnotherProcess) {
    ServedPhone served;
    mgmtbus::BusChannel channel;
    Proxies proxies(channel);
    Watcher watcher;
    ASSERT_TRUE(proxies.local.observeManageableData("audio", &watcher));
    ASSERT_EQ(std::system(MGMTCTL_PATH " --bus call setData audio.ringVolume=9 >/dev/null"), 0);
    const std::optional<std::string> data = watcher.dataAbout("audio");
    ASSERT_TRUE(data) << "no notification within 30 s";
    ManageableData changed;
    std::string text = *data;
    changed.deserialize(text);
    EXPECT_EQ(changed.getValue("audio.ringVolume"), "9");
    channel.context().forget(&watcher);
}

TEST(BusChannel, SaysWhichServiceIsMissing) {
    mgmtbus::BusChannel channel(std::string(), "mgmt.NobodyHere");
    Method request("retrievePhoneBusyStatus", Method::REQUEST), reply;
    std::string noChannel;
    try {
        channel.synchronousCall(request, reply, noChannel);
        ADD_FAILURE() << "a missing service answered";
    } catch (const CorvexException& error) {
        EXPECT_STREQ(error.what(), "retrievePhoneBusyStatus: service mgmt.NobodyHere is not on the bus");
    }
}

}  // namespace
