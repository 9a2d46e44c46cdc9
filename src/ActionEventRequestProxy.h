/// \file
/// Client side of the action event request service.
#pragma once

#include <string>

#include "ActionEventRequestIfc.h"
#include "Framework.h"
#include "ProxyFactory.h"

/// Client side of the action event request service: every event becomes one
/// one-way request on the channel given to initProxy().
class MGMT_PROXY ActionEventRequestProxy : public Proxy, public ActionEventRequestIfc {
public:
    /// An unbound proxy; the framework binds it with initProxy().
    ActionEventRequestProxy() = default;
    /// Leaves the channel alone: the proxy does not own it.
    ~ActionEventRequestProxy() override;

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

    void addActionEventRequest(ActionEventRequestIfc::EventType type) override;
    void addActionEventRequestWithData(ActionEventRequestIfc::EventType type,
                                       const std::string& data) override;

private:
    ProxyRequest* proxyReq = nullptr;  // not owned
};

/// Creates an unbound ActionEventRequestProxy and returns its framework part,
/// which the caller owns. The framework finds it by this name.
MGMT_FACTORY Proxy* createActionEventRequestProxy();
