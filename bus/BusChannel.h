/// \file
/// The bus channel: proxies bound to it call a management service on a D-Bus bus.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "Framework.h"
#include "bus/BusFailures.h"
#include "bus/BusNames.h"

/// The bus transport. BusChannel is the channel client code binds its proxies
/// to; BusService serves a request channel (the simulated telephone, for one)
/// on a bus. Both go by the names of BusNames.h; a call fails with the kinds
/// of BusFailures.h.
namespace mgmtbus {

class BusContext;

/// A change of the service's presence, as BusChannel::watchService() tells it.
enum class ServiceEvent {
    WentAway,  ///< The name lost its owner: the service ended, was killed or gave the name up.
    CameBack,  ///< The name has an owner again (also the first time, for a channel made without one).
};

/// A request channel to a management service on a D-Bus bus. Bind proxies to
/// it as to any other ProxyRequest:
///
/// \code
/// mgmtbus::BusChannel channel;  // the session bus; or BusChannel("unix:path=...")
/// std::unique_ptr<Proxy> proxy(createLocalMgmtProxy());
/// proxy->initProxy(channel);
/// auto* phone = dynamic_cast<LocalMgmtIfc*>(proxy.get());
/// phone->retrievePhoneBusyStatus();  // over the bus
/// \endcode
///
/// Each request goes to the service's bus name as the D-Bus method of the
/// same name (BusNames.h describes the layout), one-way calls without
/// expecting a reply. Every failure reaches the caller as a CorvexException of
/// one of the kinds in BusFailures.h. The channel comes with its framework
/// context (context()), already set as ProxyRequest::frameworkContext. Calls
/// may come from several threads.
///
/// The channel follows the owner of the service's name. A one-way call while
/// the name has no owner throws ServiceAbsent, so the operation's failure
/// pattern sees it; a one-way call sent just before the service went away,
/// before the bus told the channel, is lost as on any bus. Client code can
/// watch the service go away and come back (watchService()): a service that
/// comes back is a new one, which knows nothing of this client's observers and
/// registrations.
class BusChannel : public ProxyRequest {
public:
    /// Told of each change of the service's presence. Called on the channel's
    /// bus thread, the one that delivers replies and notifications: while it
    /// runs nothing else arrives. A call through the channel from there works,
    /// but waits on that thread; keep it short. What a listener throws is
    /// dropped.
    using ServiceListener = std::function<void(ServiceEvent event)>;
    class ServiceWatch;

    /// Connects to the bus at `address`, a D-Bus address ("unix:path=/run/...";
    /// empty: the session bus), and follows the owner of `busName`.
    /// `serviceName` is what getServiceName() answers. The service need not be
    /// there yet. Throws CorvexException when the bus cannot be reached.
    explicit BusChannel(const std::string& address = std::string(), std::string busName = kServiceBusName,
                        std::string serviceName = "LocalMgmtService");
    /// Leaves the bus. The bus thread ends first, so no reply, notification or
    /// listener call comes while the channel goes. Calls through it must have
    /// returned.
    ~BusChannel() override;
    BusChannel(const BusChannel&) = delete;
    BusChannel& operator=(const BusChannel&) = delete;

    /// The time-out of synchronous calls without one of their own, in ms:
    /// 25000 (kDefaultTimeoutMs) unless set. Any thread, any time.
    void setDefaultTimeout(int milliseconds);

    /// The channel's framework context, which names observers' callback
    /// channels and hands them their notifications. Call
    /// `context().forget(observer)` before destroying an observer the channel
    /// outlives.
    BusContext& context();
    /// The bus name the requests go to.
    const std::string& busName() const { return busName_; }

    /// Whether the service's name has an owner, as the bus last told the channel.
    bool serviceOnBus() const;
    /// Tells `listener` of every change of the service's presence until the
    /// watch is destroyed. Destroying it waits for a call to the listener in
    /// progress on another thread; from inside the listener it is fine.
    ///
    /// \code
    /// auto watch = channel.watchService([&settings](mgmtbus::ServiceEvent event) {
    ///     if (event == mgmtbus::ServiceEvent::CameBack) settings.phoneRestarted();  // register again
    /// });
    /// \endcode
    [[nodiscard]] ServiceWatch watchService(ServiceListener listener);
    /// Returns once the observers have heard every notification the service
    /// sent before it answers now, those a call's reply precedes included: a
    /// round trip to the service. Throws as a synchronous call does. Not from
    /// the bus thread, which it waits for.
    void awaitNotifications();

    /// Calls the remote method and waits up to the default time-out
    /// (setDefaultTimeout()) for its answer, which replaces `reply` only when
    /// complete. Throws the failure kinds of BusFailures.h.
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    /// As the call without `timeout`, waiting `timeout` ms (the default
    /// time-out when it is not positive).
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) override;
    /// Sends the remote method without expecting a reply. Throws ServiceAbsent
    /// when the service is not on the bus, another kind of BusFailures.h when
    /// the bus refuses the call.
    bool asynchronousCall(Method& request) override;
    /// As asynchronousCall(), with the observer's `callbackChannel` sent along.
    bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel) override;

private:
    struct Link;
    struct Presence;

    void send(const Method& request, const std::string& callbackChannel);
    void call(const Method& request, Method& reply, const std::string& callbackChannel, int timeout);

    std::string busName_;
    std::atomic<int> defaultTimeout_{kDefaultTimeoutMs};
    std::shared_ptr<Presence> presence_;  // shared with the watches, which may outlive the channel
    std::unique_ptr<Link> link_;
    std::unique_ptr<BusContext> context_;
};

/// A watchService() subscription: it ends when the watch is destroyed or
/// cancelled. Harmless after the channel is gone. Movable, not copyable.
class BusChannel::ServiceWatch {
public:
    /// A watch of nothing.
    ServiceWatch() = default;
    /// Takes over `other`'s subscription; `other` watches nothing afterwards.
    ServiceWatch(ServiceWatch&& other) noexcept;
    /// Ends this watch's subscription and takes over `other`'s.
    ServiceWatch& operator=(ServiceWatch&& other) noexcept;
    /// Ends the subscription, as cancel() does.
    ~ServiceWatch();

    /// Stops the calls now, as destroying the watch does.
    void cancel();

private:
    friend class BusChannel;
    ServiceWatch(std::weak_ptr<Presence> presence, unsigned id) : presence_(std::move(presence)), id_(id) {}

    std::weak_ptr<Presence> presence_;
    unsigned id_ = 0;
};

}  // namespace mgmtbus
