// The service's comings and goings as clients see them: the channel follows
// the owner of the name and tells its listeners; an observer registers again
// after a restart and hears what changed since; the service says when it
// serves and when it stops.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include <sdbus-c++/sdbus-c++.h>

#include "LocalMgmtProxy.h"
#include "ServedPhone.h"
#include "bus/BusChannel.h"

using bustest::ServedPhone;
using mgmtbus::ServiceEvent;

namespace {

// What a listener heard, waited for one at a time (a minute at most: a guard).
template <class Event>
class Heard {
public:
    void operator()(Event event) {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(std::move(event));
        arrived_.notify_all();
    }
    std::optional<Event> next() {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!arrived_.wait_for(lock, std::chrono::minutes(1), [this] { return !events_.empty(); }))
            return std::nullopt;
        Event event = std::move(events_.front());
        events_.pop_front();
        return event;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<Event> events_;
};

// The channel follows the owner of the name and tells its listeners; the
// worked example's follower (examples/settings/follow_ring_volume.cpp), a
// client process of its own, registers its observer again when the service
// comes back.
TEST(BusLifecycle, ClientsFollowTheServiceThroughAKillAndARestart) {
    ServedPhone served;
    bustest::ChildProcess follower({FOLLOW_RING_VOLUME_PATH}, 1);  // forked before this process has threads
    ASSERT_EQ(follower.nextLine(), "following the ring volume");
    mgmtbus::BusChannel channel;
    LocalMgmtProxy phone;
    phone.initProxy(channel);
    Heard<ServiceEvent> heard;
    const auto watch = channel.watchService([&heard](ServiceEvent event) { heard(event); });
    EXPECT_TRUE(channel.serviceOnBus());
    const auto setRingVolume = [&phone](const char* volume) {
        ManageableData data;
        data.setValue("audio.ringVolume", volume);
        return phone.setData(data);
    };
    ASSERT_TRUE(setRingVolume("3"));
    EXPECT_EQ(follower.nextLine(), "ring volume 3");

    served.kill();
    EXPECT_EQ(heard.next(), ServiceEvent::WentAway);
    EXPECT_EQ(follower.nextLine(), "telephone went away");
    EXPECT_FALSE(channel.serviceOnBus());
    try {
        phone.setPhoneBusyStatus(4);
        ADD_FAILURE() << "a one-way call to a killed service went unnoticed";
    } catch (const mgmtbus::ServiceAbsent& error) {
        EXPECT_STREQ(error.what(), "service mgmt.LocalMgmtService is not on the bus");
        EXPECT_EQ(error.remote(), "setPhoneBusyStatus");
    }

    served.start();
    EXPECT_EQ(heard.next(), ServiceEvent::CameBack);
    EXPECT_EQ(follower.nextLine(), "telephone came back");
    EXPECT_TRUE(channel.serviceOnBus());
    phone.setPhoneBusyStatus(4);
    EXPECT_EQ(phone.retrievePhoneBusyStatus(), 4u) << "the one-way call reached the new service";
    ASSERT_TRUE(setRingVolume("4"));
    EXPECT_EQ(follower.nextLine(), "ring volume 4");

    follower.signal(SIGTERM);
    EXPECT_EQ(follower.nextLine(), std::nullopt);
    const int status = follower.wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ASSERT_TRUE(served.stop());
    EXPECT_EQ(heard.next(), ServiceEvent::WentAway);
}

// Stopping comes before the name goes, so a client can tell a stop from a
// crash; and the name is taken only once the service answers (ServedPhone
// calls at once after the ready line, in every test).
TEST(BusLifecycle, ServiceSaysItStopsBeforeItGivesUpItsName) {
    ServedPhone served;
    auto connection = sdbus::createSessionBusConnection();
    Heard<std::string> heard;
    auto stopping = connection->addMatch(
        std::string("type='signal',interface='") + mgmtbus::kLifecycleInterface + "',member='" +
            mgmtbus::kStoppingSignal + "'",
        [&heard](sdbus::Message&) { heard("Stopping"); });
    auto owner = connection->addMatch(
        std::string("type='signal',sender='org.freedesktop.DBus',member='NameOwnerChanged',arg0='") +
            mgmtbus::kServiceBusName + "'",
        [&heard](sdbus::Message& signal) {
            std::string name, before, now;
            signal >> name >> before >> now;
            heard(now.empty() ? "name released" : "name taken");
        });
    connection->enterEventLoopAsync();

    ASSERT_TRUE(served.stop()) << "it says \"stopped\" on its ready descriptor and ends with 0";
    EXPECT_EQ(heard.next(), "Stopping");
    EXPECT_EQ(heard.next(), "name released");
    served.start();
    EXPECT_EQ(heard.next(), "name taken");
    connection->leaveEventLoop();
}

}  // namespace
