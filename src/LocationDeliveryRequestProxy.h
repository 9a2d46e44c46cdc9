/// \file
/// Client side of the location delivery request service.
#pragma once

#include "Framework.h"
#include "LocationDeliveryRequestIfc.h"
#include "ProxyFactory.h"

/// Client side of the location delivery request service: each request becomes
/// one one-way request on the channel given to initProxy().
class MGMT_PROXY LocationDeliveryRequestProxy : public Proxy, public LocationDeliveryRequestIfc {
public:
    /// An unbound proxy; the framework binds it with initProxy().
    LocationDeliveryRequestProxy() = default;
    /// Leaves the channel alone: the proxy does not own it.
    ~LocationDeliveryRequestProxy() override;

    /// Does nothing.
    void init(Context&) override {}
    /// Does nothing.
    void shutdown() override {}
    /// Binds the proxy to `request`, which it keeps but does not own; a later
    /// call binds it anew. Until the first, every operation throws
    /// std::logic_error naming itself and sends nothing.
    void initProxy(ProxyRequest& request) override;
    /// Does nothing.
    virtual void run() {}

    void sendLocationDeliveryRequest() override;

private:
    ProxyRequest* proxyReq = nullptr;  // not owned
};

/// Creates an unbound LocationDeliveryRequestProxy and returns its framework
/// part, which the caller owns. The framework finds it by this name.
MGMT_FACTORY Proxy* createLocationDeliveryRequestProxy();
