// A request channel to a management service on a D-Bus bus: each request
// goes to the service's bus name as the D-Bus method of the same name (the
// layout is described in BusNames.h), one-way calls without expecting a
// reply. Every failure reaches the caller as a CorvexException of one of the
// kinds in BusFailures.h. The channel comes with its framework context (see
// BusContext.h), already set as frameworkContext. Calls may come from several
// threads.
//
// The channel follows the owner of the service's name. A one-way call while
// the name has no owner throws ServiceAbsent, so the operation's failure
// pattern sees it; a one-way call sent just before the service went away,
// before the bus told the channel, is lost as on any bus. Client code can
// watch the service go away and come back: a service that comes back is a
// new one, which knows nothing of this client's observers and registrations.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "Framework.h"
#include "bus/BusFailures.h"
#include "bus/BusNames.h"

namespace mgmtbus {

class BusContext;

enum class ServiceEvent {
    WentAway,  // the name lost its owner: the service ended, was killed or gave the name up
    CameBack,  // the name has an owner again (also the first time, for a channel made without one)
};

class BusChannel : public ProxyRequest {
public:
    // Called on the channel's bus thread, the one that delivers replies and
    // notifications: while it runs nothing else arrives. A call through the
    // channel from there works, but waits on that thread; keep it short.
    // What a listener throws is dropped.
    using ServiceListener = std::function<void(ServiceEvent event)>;
    class ServiceWatch;

    // `address` is a D-Bus address ("unix:path=/run/..."); empty: the session
    // bus. Throws CorvexException when the bus cannot be reached.
    explicit BusChannel(const std::string& address = std::string(), std::string busName = kServiceBusName,
                        std::string serviceName = "LocalMgmtService");
    ~BusChannel() override;
    BusChannel(const BusChannel&) = delete;
    BusChannel& operator=(const BusChannel&) = delete;

    // For synchronous calls without a time-out of their own; kDefaultTimeoutMs
    // unless set. Any thread, any time.
    void setDefaultTimeout(int milliseconds);

    BusContext& context();
    const std::string& busName() const { return busName_; }

    // Whether the service's name has an owner, as the bus last told the channel.
    bool serviceOnBus() const;
    // Tells `listener` of every change of the service's presence until the
    // watch is destroyed. Destroying it waits for a call to the listener in
    // progress on another thread; from inside the listener it is fine.
    [[nodiscard]] ServiceWatch watchService(ServiceListener listener);
    // Returns once the observers have heard every notification the service
    // sent before it answers now, those a call's reply precedes included: a
    // round trip to the service. Throws as a synchronous call does. Not from
    // the bus thread, which it waits for.
    void awaitNotifications();

    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) override;
    bool asynchronousCall(Method& request) override;
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

// Ends a watchService subscription when destroyed. Harmless after the channel is gone.
class BusChannel::ServiceWatch {
public:
    ServiceWatch() = default;
    ServiceWatch(ServiceWatch&& other) noexcept;
    ServiceWatch& operator=(ServiceWatch&& other) noexcept;
    ~ServiceWatch();

    // Stops the calls now, as destroying it does.
    void cancel();

private:
    friend class BusChannel;
    ServiceWatch(std::weak_ptr<Presence> presence, unsigned id) : presence_(std::move(presence)), id_(id) {}

    std::weak_ptr<Presence> presence_;
    unsigned id_ = 0;
};

}  // namespace mgmtbus
