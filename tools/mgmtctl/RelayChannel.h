// A channel that passes every call on to another one and reports each
// exchange the way the simulated telephone does, so a session bound to a
// service elsewhere shows the same records as one bound to the service here.
#pragma once

#include <functional>

#include "Framework.h"
#include "testing/SimulatedPhone.h"

namespace mgmtctl {

class RelayChannel : public ProxyRequest {
public:
    explicit RelayChannel(ProxyRequest& target);

    std::function<void(const mgmtkit::Exchange&)> observer;

    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) override;
    bool asynchronousCall(Method& request) override;
    bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel) override;
    bool setProxyOption(const int& option) override;
    const std::string& getServiceName() override;

private:
    template <class Send>
    void relay(Method& request, mgmtdesc::CallStyle style, std::string& callbackChannel, int timeout, Method* reply,
               Send send);

    ProxyRequest& target_;
};

}  // namespace mgmtctl
