// A request channel to a management service on a D-Bus bus: each request
// goes to the service's bus name as the D-Bus method of the same name (the
// layout is described in BusNames.h), one-way calls without expecting a
// reply. Every failure reaches the caller as CorvexException: the service's
// own text when it failed the call, otherwise a text saying whether the
// service is not on the bus, went away before answering, or did not answer
// in time. The channel comes with its framework context (see BusContext.h),
// already set as frameworkContext. Calls may come from several threads.
#pragma once

#include <memory>
#include <string>

#include "Framework.h"
#include "bus/BusNames.h"

namespace mgmtbus {

class BusContext;

class BusChannel : public ProxyRequest {
public:
    // `address` is a D-Bus address ("unix:path=/run/..."); empty: the session
    // bus. Throws CorvexException when the bus cannot be reached.
    explicit BusChannel(const std::string& address = std::string(), std::string busName = kServiceBusName,
                        std::string serviceName = "LocalMgmtService");
    ~BusChannel() override;
    BusChannel(const BusChannel&) = delete;
    BusChannel& operator=(const BusChannel&) = delete;

    // For synchronous calls without a time-out of their own; kDefaultTimeoutMs
    // unless set.
    void setDefaultTimeout(int milliseconds);

    BusContext& context();
    const std::string& busName() const { return busName_; }

    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) override;
    bool asynchronousCall(Method& request) override;
    bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel) override;

private:
    struct Link;

    void send(const Method& request, const std::string& callbackChannel);
    void call(const Method& request, Method& reply, const std::string& callbackChannel, int timeout);

    std::string busName_;
    int defaultTimeout_ = kDefaultTimeoutMs;
    std::unique_ptr<Link> link_;
    std::unique_ptr<BusContext> context_;
};

}  // namespace mgmtbus
