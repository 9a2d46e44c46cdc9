/// \file
/// The simulated telephone, its framework context, and bindProxy().
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "Framework.h"
#include "description/ServiceDescription.h"
#include "testing/DataChanged.h"
#include "testing/Exchange.h"
#include "testing/FaultScript.h"

/// The test kit, for code that uses the proxies. It holds the simulated
/// telephone (SimulatedPhone), fault scripting (FaultScript), the call record
/// (Exchange), and in the doubles the mocks (MockLocalMgmt), the recording
/// channel (RecordingChannel) with its matchers, and the log and output
/// captures.
namespace mgmtkit {

class PhoneState;  // the service's state and its rules; see PhoneState.h

/// An in-process stand-in for the telephone's management services. It is a
/// request channel that answers every remote method the proxies send, keeping
/// state across the calls of one session, so client code can be tried without
/// a phone.
///
/// A client test binds the proxies to a SimulatedPhone (bindProxy()), sets up
/// state through state() or setState(), scripts faults per remote method
/// (FaultScript: fail(), failNext(), answerLate(), answerMalformed(),
/// restore()), and reads calls() afterwards. SimulatedContext names the
/// observers' channels and, once attached, calls back the observers that
/// implement NotificationSink when data they observe changes.
///
/// \code
/// mgmtkit::SimulatedPhone phone;
/// mgmtkit::SimulatedContext context;
/// std::unique_ptr<Proxy> proxy{createLocalMgmtProxy()};
/// context.attach(phone);  // names observers' channels and calls them back
/// LocalMgmtIfc* service = mgmtkit::bindProxy<LocalMgmtIfc>(*proxy, phone);
///
/// phone.state().device.setBusy(1);
/// phone.fail("getListOfFilesOfType", "link down");
/// \endcode
///
/// Every request is held against its row of the service description first: a
/// request the real service could not read (wrong call style, a value missing
/// or of the wrong kind or direction) fails with a CorvexException that says
/// what is wrong. A failed call leaves the caller's reply as it was.
///
/// **Callbacks.** Whenever nodes are written (setData, manageableDataChanged, or
/// changeData()), every channel observing one of them, or an ancestor of
/// one, is sent one dataChanged notification per node it observes
/// (DataChanged.h). The notification goes out after the reply of the call that
/// wrote the data was made, on the calling thread, through the route set by
/// setCallbackRoute(), and is an exchange of the call record like any request.
/// An exception from the route is recorded as the notification's failure and
/// does not fail the call that wrote the data.
class SimulatedPhone : public ProxyRequest, public FaultScript {
public:
    /// Where notifications go: the observer's callback channel and the notification.
    using Route = std::function<void(const std::string& callbackChannel, const Method& notification)>;

    /// A fresh telephone: the starting state, no faults, an empty call record.
    SimulatedPhone();
    ~SimulatedPhone() override;

    /// Called with every exchange as it goes on the record: a request after it
    /// was answered or failed, a notification after it went out.
    std::function<void(const Exchange&)> observer;

    /// Remote method names the service answers, sorted.
    std::vector<std::string> remoteMethods() const;

    /// The call record: every exchange since the phone was made or the record
    /// was last cleared, in order.
    std::vector<Exchange> calls() const;
    /// Empties the call record.
    void clearCalls();
    /// The record keeps only the latest `count` exchanges (all of them unless
    /// told otherwise), counting the ones it drops.
    void keepCalls(std::size_t count);
    /// The record as JSON: callsJson() of calls() and of the number dropped.
    std::string callsDocument() const;
    /// Whom the calls from now on come from, as the record shows it; a
    /// service serving the phone on a bus names each call's sender.
    void setCaller(std::string caller);

    /// The whole state and the faults scripted as one JSON document, passwords
    /// hidden; README's "The state document" describes it.
    std::string stateDocument() const;
    /// A fresh telephone set up as the document says (what it leaves out keeps
    /// its starting value), faults as it lists them. Throws
    /// std::invalid_argument naming the key that does not fit; nothing
    /// changes then.
    void setState(const std::string& document);
    /// A fresh telephone: the starting state, no faults, no observers, an
    /// empty call record.
    void reset();

    /// Where notifications go; without a route they are only recorded.
    void setCallbackRoute(Route route);
    /// Writes data nodes as the phone's own settings screen would, and tells
    /// the observers, as a setData from elsewhere would.
    void changeData(const KeyValues& values);

    /// Set-up and inspection, area by area. Not guarded against calls on
    /// other threads: change state while no call is under way.
    PhoneState& state();

    /// Answers the request as the telephone would, with the fault scripted for
    /// its remote method; throws CorvexException when the call fails.
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    /// As the call without `timeout`; a late answer waits at most `timeout`
    /// ms on the clock.
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) override;
    /// Serves a one-way request; a scripted failure is thrown as for any call.
    bool asynchronousCall(Method& request) override;
    /// As asynchronousCall(), for a request that registers `callbackChannel`.
    bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel) override;
    /// Accepts any option and returns true.
    bool setProxyOption(const int& option) override;

private:
    // Answers or fails one request and records it; `reply` is null for one-way calls.
    void serve(Method& request, mgmtdesc::CallStyle style, std::string& callbackChannel, int timeout, Method* reply);
    void record(Exchange exchange);
    // Sends the observers what was written since the last time.
    void announceWritten();

    // Recursive: an observer called back may call the phone again.
    mutable std::recursive_mutex mutex_;
    std::unique_ptr<PhoneState> state_;
    std::deque<Exchange> calls_;
    std::size_t keep_;
    std::size_t dropped_ = 0;
    std::string caller_;
    Route route_;
};

/// The readable name of a type: "LocalMgmtIfc". bindProxy() names the
/// interface with it.
std::string readableTypeName(const std::type_info& type);

/// Casts `proxy` to the interface it serves and binds it to `channel`, as the
/// framework does:
///
///     LocalMgmtIfc* service = mgmtkit::bindProxy<LocalMgmtIfc>(*proxy, phone);
///
/// Throws std::invalid_argument when the proxy is not one; it is not bound then.
template <class Interface>
Interface* bindProxy(Proxy& proxy, ProxyRequest& channel) {
    auto* bound = dynamic_cast<Interface*>(&proxy);
    if (bound == nullptr) throw std::invalid_argument("the proxy is not a " + readableTypeName(typeid(Interface)));
    proxy.initProxy(channel);
    return bound;
}

/// The framework context a test hands the channel. It names a channel for every
/// Executable it is asked about ("agent-1", "agent-2", ... in order of first
/// appearance, unless named beforehand) and knows no in-process service.
/// Attached to a phone, it delivers the phone's notifications to the Executable
/// owning the channel when that object is a NotificationSink. Any thread may
/// use it.
class SimulatedContext : public FrameworkContext {
public:
    /// The object's channel: named beforehand, or the next "agent-N"; empty
    /// for a null object.
    std::string findChannel(Executable* object) override;
    /// The channel findChannel gives that object from now on.
    void nameChannel(const Executable& object, std::string channel);

    /// Becomes the phone's framework context and callback route.
    void attach(SimulatedPhone& phone);
    /// Calls notify() of the channel's owner; false when the channel is unknown
    /// or its owner is no NotificationSink.
    bool deliver(const std::string& callbackChannel, const Method& notification);
    /// An object about to be destroyed is no longer called back.
    void forget(Executable* object);

private:
    std::mutex mutex_;
    std::map<const Executable*, std::string> channels_;
    int named_ = 0;
};

}  // namespace mgmtkit
