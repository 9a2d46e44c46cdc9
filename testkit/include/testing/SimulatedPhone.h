// An in-process stand-in for the telephone's management services: a request
// channel that answers every remote method the proxies send, keeping state
// across the calls of one session, so client code can be tried without a phone.
//
// A client test binds the proxies to a SimulatedPhone, sets up state through
// state(), scripts faults per remote method, and reads traffic() afterwards.
// SimulatedContext names the observers' channels and, once attached, calls
// observers that are NotificationSinks back when data they observe changes.
//
// Callbacks. Whenever nodes are written (setData, manageableDataChanged, or
// changeData below), every channel observing one of them, or an ancestor of
// one, is sent one notification per node it observes:
//   remote "dataChanged", parameters (both string, IN)
//     "nodeId"          the node the channel observes
//     "manageableData"  the nodes written under it with their new values, a
//                       serialised ManageableData (ManageableData::deserialize
//                       reads it back)
// The notification goes out after the reply of the call that wrote the data
// was made, on the calling thread, through the route set by setCallbackRoute.
// An exception from the route is recorded as the notification's failure in
// the traffic and does not fail the call that wrote the data.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Framework.h"
#include "description/ServiceDescription.h"
#include "testing/Traffic.h"

namespace mgmtkit {

inline constexpr const char* kDataChanged = "dataChanged";

// One request as the simulated service saw it, handed to the observer after
// the service has answered (reply filled) or failed (failure set).
struct Exchange {
    const Method& request;
    mgmtdesc::CallStyle style;
    const std::string& callbackChannel;
    int timeout;                 // 0 unless style is SyncWithTimeout
    const Method* reply;         // null for one-way calls and failures
    const std::string* failure;  // the CorvexException text thrown, or null
};

class PhoneState;  // the service's state and its rules; see PhoneState.h

class SimulatedPhone : public ProxyRequest {
public:
    using Route = std::function<void(const std::string& callbackChannel, const Method& notification)>;

    SimulatedPhone();
    ~SimulatedPhone() override;

    // Called for every request, after it has been answered or has failed.
    std::function<void(const Exchange&)> observer;

    // Scripted faults, one per remote method; each replaces the one before.
    // An unknown remote name throws std::invalid_argument.
    //
    // Every call of that method throws CorvexException(text).
    void failMethod(const std::string& remoteName, const std::string& text);
    // The next `calls` calls throw CorvexException(text), then the method answers again.
    void failNext(const std::string& remoteName, int calls, const std::string& text = "simulated failure");
    // Synchronous calls are answered after `delay`. A call with a time-out
    // shorter than the delay fails at once with a time-out, as the framework
    // would after waiting; others really wait. One-way calls are not delayed.
    void answerLate(const std::string& remoteName, std::chrono::milliseconds delay);
    // The reply carries every value the method answers as a string `text`,
    // with its name and direction: a number or flag of the wrong kind, an
    // object text that does not parse. The call itself succeeds.
    void answerMalformed(const std::string& remoteName, const std::string& text = "[malformed");
    // Answers that remote method again; restoreAll() every method.
    void restoreMethod(const std::string& remoteName);
    void restoreAll();

    // Remote method names the service answers, sorted.
    std::vector<std::string> remoteMethods() const;

    // Every request and notification so far, in order.
    std::vector<TrafficEntry> traffic() const;
    void clearTraffic();

    // Where notifications go; without a route they are only recorded.
    void setCallbackRoute(Route route);
    // Writes data nodes as the phone's own settings screen would, and tells
    // the observers, as a setData from elsewhere would.
    void changeData(const KeyValues& values);

    // A plain-text account of the state (one "key: value" line each), for the tool.
    std::string describeState() const;

    // Set-up and inspection. Not guarded against calls on other threads:
    // change state while no call is under way.
    PhoneState& state();

    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) override;
    bool asynchronousCall(Method& request) override;
    bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel) override;
    bool setProxyOption(const int& option) override;

private:
    struct Fault {
        enum Kind { Fail, Late, Malformed } kind;
        std::string text;
        int remaining = -1;  // calls left to fail; -1 for every call
        std::chrono::milliseconds delay{0};
    };

    // Answers or fails one request and tells the observer; `reply` is null for one-way calls.
    void serve(Method& request, mgmtdesc::CallStyle style, std::string& callbackChannel, int timeout, Method* reply);
    // The fault to apply to this call, counted down; none when the method is not scripted.
    std::optional<Fault> takeFault(const std::string& remoteName);
    void script(const std::string& remoteName, Fault fault);
    // Sends the observers what was written since the last time.
    void announceWritten();

    // Recursive: an observer called back may call the phone again.
    mutable std::recursive_mutex mutex_;
    std::unique_ptr<PhoneState> state_;
    std::map<std::string, Fault> faults_;
    std::vector<int> options_;  // as set by the proxies, in order
    std::vector<TrafficEntry> traffic_;
    Route route_;
};

// The framework context a test hands the channel: it names a channel for every
// Executable it is asked about ("agent-1", "agent-2", ... in order of first
// appearance, unless named beforehand) and knows no in-process service.
// Attached to a phone, it delivers the phone's notifications to the Executable
// owning the channel when that object is a NotificationSink.
class SimulatedContext : public FrameworkContext {
public:
    std::string findChannel(Executable* object) override;
    // The channel findChannel gives that object from now on.
    void nameChannel(const Executable& object, std::string channel);

    // Becomes the phone's framework context and callback route.
    void attach(SimulatedPhone& phone);
    // Calls notify() of the channel's owner; false when the channel is unknown
    // or its owner is no NotificationSink.
    bool deliver(const std::string& callbackChannel, const Method& notification);
    // An object about to be destroyed is no longer called back.
    void forget(Executable* object);

private:
    std::mutex mutex_;
    std::map<const Executable*, std::string> channels_;
    int named_ = 0;
};

}  // namespace mgmtkit
