#include "RelayChannel.h"

#include <string>

namespace mgmtctl {

using mgmtdesc::CallStyle;

RelayChannel::RelayChannel(ProxyRequest& target) : target_(target) { frameworkContext = target.frameworkContext; }

template <class Send>
void RelayChannel::relay(Method& request, CallStyle style, std::string& callbackChannel, int timeout, Method* reply,
                         Send send) {
    mgmtkit::Exchange exchange{mgmtkit::Exchange::Request, request, style, callbackChannel, timeout};
    try {
        send();
    } catch (const CorvexException& error) {
        exchange.failure = error.what();
        if (observer) observer(exchange);
        throw;
    }
    if (reply != nullptr) exchange.reply = *reply;
    if (observer) observer(exchange);
}

bool RelayChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel) {
    const CallStyle style = callbackChannel.empty() ? CallStyle::Sync : CallStyle::SyncWithChannel;
    relay(request, style, callbackChannel, 0, &reply,
          [&] { target_.synchronousCall(request, reply, callbackChannel); });
    return true;
}

bool RelayChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) {
    relay(request, CallStyle::SyncWithTimeout, callbackChannel, timeout, &reply,
          [&] { target_.synchronousCall(request, reply, callbackChannel, timeout); });
    return true;
}

bool RelayChannel::asynchronousCall(Method& request) {
    std::string noChannel;
    relay(request, CallStyle::OneWay, noChannel, 0, nullptr, [&] { target_.asynchronousCall(request); });
    return true;
}

bool RelayChannel::asynchronousCallWithChannel(Method& request, std::string& callbackChannel) {
    relay(request, CallStyle::OneWayWithChannel, callbackChannel, 0, nullptr,
          [&] { target_.asynchronousCallWithChannel(request, callbackChannel); });
    return true;
}

bool RelayChannel::setProxyOption(const int& option) { return target_.setProxyOption(option); }

const std::string& RelayChannel::getServiceName() { return target_.getServiceName(); }

}  // namespace mgmtctl
