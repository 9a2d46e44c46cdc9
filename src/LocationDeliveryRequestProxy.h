// Client side of the location delivery request service.
#pragma once

#include "Framework.h"
#include "LocationDeliveryRequestIfc.h"
#include "ProxyFactory.h"

class MGMT_PROXY LocationDeliveryRequestProxy : public Proxy, public LocationDeliveryRequestIfc {
public:
    LocationDeliveryRequestProxy() = default;
    ~LocationDeliveryRequestProxy() override;

    void init(Context&) override {}
    void shutdown() override {}
    void initProxy(ProxyRequest& request) override;
    virtual void run() {}

    void sendLocationDeliveryRequest() override;

private:
    ProxyRequest* proxyReq = nullptr;  // not owned
};

MGMT_FACTORY Proxy* createLocationDeliveryRequestProxy();
