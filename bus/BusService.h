/// \file
/// A request channel served as a management service on a bus.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Framework.h"
#include "bus/BusControl.h"
#include "bus/BusNames.h"
#include "description/ServiceDescription.h"

namespace sdbus {
class IConnection;
class IObject;
class MethodCall;
}  // namespace sdbus

namespace mgmtbus {

/// One request as served, after it was answered or failed. It refers to the
/// service's own values: valid only while BusServiceHooks::observer runs.
struct BusExchange {
    const std::string& caller;           ///< The client's unique bus name.
    const Method& request;               ///< The request as it arrived.
    mgmtdesc::CallStyle style;           ///< The remote method's call style.
    const std::string& callbackChannel;  ///< The observer's channel the call carried; empty for none.
    int timeout;                         ///< The operation's time-out in ms; 0 for none.
    const Method* reply;                 ///< The answer of a synchronous call that was answered; null otherwise.
    const std::string* failure;          ///< The text the service failed with; null when it did not.
};

/// What a BusService does beside serving the backend; every member may stay unset.
struct BusServiceHooks {
    /// What the control interface drives beside the delays; none: Delay and Restore only.
    ServiceControl* control = nullptr;
    /// Told the caller's unique bus name before the backend answers its call.
    std::function<void(const std::string& caller)> receiving;
    /// What the exchange signal shows of a record (secrets hidden); unset: all of it.
    std::function<Method(const Method&)> shown;
    /// Every call, after the answer went out (not the notifications, which the
    /// backend hands notify()).
    std::function<void(const BusExchange&)> observer;
};

/// A management service exported on a bus: any ProxyRequest that answers the
/// remote methods (the simulated telephone, for one) is served under a
/// well-known name, each remote method of the service description once, as a
/// D-Bus method with typed, named arguments laid out as BusNames.h describes.
/// Calls are answered one at a time, in arrival order, on the thread that runs
/// the service; a failure of the backend goes back to the caller as
/// kFailedError with its text. Beside the remote methods it serves a control
/// interface (BusControl.h) and emits one signal per exchange for monitors:
/// each call, and each notification it hands an observer. It takes its name
/// once everything is exported and gives it up when run() ends, after the
/// Stopping signal (BusNames.h).
///
/// \code
/// mgmtkit::SimulatedPhone phone;
/// mgmtbus::BusService service("", mgmtbus::kServiceBusName, phone, {});
/// phone.setCallbackRoute([&service](const std::string& channel, const Method& notification) {
///     service.notify(channel, notification);
/// });
/// service.run();  // until service.stop() from another thread
/// \endcode
class BusService {
public:
    /// Exports `backend` on the bus at `address` (empty: the session bus) and
    /// takes `busName`. Throws CorvexException when the bus cannot be reached
    /// or the name is taken.
    BusService(const std::string& address, const std::string& busName, ProxyRequest& backend,
               BusServiceHooks hooks);
    /// Leaves the bus; run() must have returned.
    ~BusService();
    BusService(const BusService&) = delete;
    BusService& operator=(const BusService&) = delete;

    /// Hands a notification to the observer behind a callback channel named by
    /// a BusContext, without waiting, and emits it as an exchange whose style
    /// is kNotificationStyle. Throws CorvexException saying why it could not:
    /// a channel that is no such address, or the bus refusing it. Called while
    /// a call is answered, on the thread that runs the service, it goes out
    /// after that call's reply.
    void notify(const std::string& callbackChannel, const Method& notification);

    /// Serves on the calling thread until stop(); then emits Stopping
    /// (kLifecycleInterface) and gives up the name. Throws CorvexException when
    /// the bus itself goes away.
    void run();
    /// Ends run(); any thread may call it.
    void stop();

private:
    struct Notification;
    class Answering;

    // `method`: the first row that sends the call's remote method; every row
    // that sends it sends the same request.
    void serve(const mgmtdesc::Operation& method, sdbus::MethodCall& call);
    void publish(const BusExchange& exchange);
    void send(Notification& notification);
    // One Exchange signal: `peer` the caller, or the observer notified.
    void emitExchange(const std::string& peer, const char* style, const Method& message, const std::string& channel,
                      int timeout, const Method* reply, const std::string* failure);

    ProxyRequest& backend_;
    BusServiceHooks hooks_;
    std::string busName_;
    std::unique_ptr<sdbus::IConnection> connection_;
    std::unique_ptr<sdbus::IObject> object_;
    std::unique_ptr<BusControl> control_;
    bool answering_ = false;
    std::vector<Notification> held_;  // until the reply of the call answered
};

}  // namespace mgmtbus
