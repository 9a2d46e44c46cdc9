// Client side of the action event request service: every event becomes one
// one-way request.
#pragma once

#include <string>

#include "ActionEventRequestIfc.h"
#include "Framework.h"
#include "ProxyFactory.h"

class MGMT_PROXY ActionEventRequestProxy : public Proxy, public ActionEventRequestIfc {
public:
    ActionEventRequestProxy() = default;
    ~ActionEventRequestProxy() override;

    void init(Context&) override {}
    void shutdown() override {}
    void initProxy(ProxyRequest& request) override;
    virtual void run() {}

    void addActionEventRequest(ActionEventRequestIfc::EventType type) override;
    void addActionEventRequestWithData(ActionEventRequestIfc::EventType type,
                                       const std::string& data) override;

private:
    ProxyRequest* proxyReq = nullptr;  // not owned
};

MGMT_FACTORY Proxy* createActionEventRequestProxy();
