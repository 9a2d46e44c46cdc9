#include "LocationDeliveryRequestProxy.h"

#define MGMT_LOG_FILE "./src/LocationDeliveryRequestProxy"
#include "call/ProxyLog.h"
#include "call/RemoteCall.h"

using mgmt::RemoteCall;

LocationDeliveryRequestProxy::~LocationDeliveryRequestProxy() = default;

void LocationDeliveryRequestProxy::initProxy(ProxyRequest& request) { proxyReq = &request; }

void LocationDeliveryRequestProxy::sendLocationDeliveryRequest() {
    // This service traces one level below the local management operations.
    MGMT_LOG_IF(6, "sendLocationDeliveryRequest");
    RemoteCall(proxyReq, "sendLocationDeliveryRequest").post();
}

Proxy* createLocationDeliveryRequestProxy() { return new LocationDeliveryRequestProxy(); }
