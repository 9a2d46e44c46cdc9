#include "ActionEventRequestProxy.h"

#include "call/RemoteCall.h"

using mgmt::RemoteCall;

ActionEventRequestProxy::~ActionEventRequestProxy() = default;

void ActionEventRequestProxy::initProxy(ProxyRequest& request) { proxyReq = &request; }

void ActionEventRequestProxy::addActionEventRequest(ActionEventRequestIfc::EventType type) {
    RemoteCall(proxyReq, "addActionEventRequest").in("type", type).post();
}

void ActionEventRequestProxy::addActionEventRequestWithData(ActionEventRequestIfc::EventType type,
                                                            const std::string& data) {
    RemoteCall(proxyReq, "addActionEventRequestWithData").in("type", type).in("data", data).post();
}

Proxy* createActionEventRequestProxy() { return new ActionEventRequestProxy(); }
