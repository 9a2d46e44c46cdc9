// An in-process stand-in for the telephone's management services: a request
// channel that answers every remote method the proxies send, keeping state
// across the calls of one session, so client code can be tried without a phone.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Framework.h"
#include "testing/CallStyle.h"

namespace mgmtkit {

// One request as the simulated service saw it, handed to the observer after
// the service has answered (reply filled) or failed (failure set).
struct Exchange {
    const Method& request;
    CallStyle style;
    const std::string& callbackChannel;
    int timeout;                 // 0 unless style is SyncWithTimeout
    const Method* reply;         // null for one-way calls and failures
    const std::string* failure;  // the CorvexException text thrown, or null
};

class PhoneState;  // the service's state and its rules; see PhoneState.h

class SimulatedPhone : public ProxyRequest {
public:
    SimulatedPhone();
    ~SimulatedPhone() override;

    // Called for every request, after it has been answered or has failed.
    std::function<void(const Exchange&)> observer;

    // The service throws CorvexException(text) for every call of that remote method.
    void failMethod(const std::string& remoteName, const std::string& text);
    // Answers that remote method again.
    void restoreMethod(const std::string& remoteName);

    // Remote method names the service answers, sorted.
    std::vector<std::string> remoteMethods() const;

    // A plain-text account of the state (one "key: value" line each), for the tool.
    std::string describeState() const;

    PhoneState& state();

    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) override;
    bool asynchronousCall(Method& request) override;
    bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel) override;
    bool setProxyOption(const int& option) override;

private:
    // Answers or fails one request and tells the observer; `reply` is null for one-way calls.
    void serve(Method& request, CallStyle style, std::string& callbackChannel, int timeout, Method* reply);

    std::unique_ptr<PhoneState> state_;
    std::map<std::string, std::string> failures_;
    std::vector<int> options_;  // as set by the proxies, in order
};

// The framework context the tool hands the proxies: it names a channel for
// every Executable it is asked about ("agent-1", "agent-2", ... in order of
// first appearance, unless named beforehand) and knows no in-process service.
class SimulatedContext : public FrameworkContext {
public:
    std::string findChannel(Executable* object) override;
    // The channel findChannel gives that object from now on.
    void nameChannel(const Executable& object, std::string channel);

private:
    std::map<const Executable*, std::string> channels_;
};

}  // namespace mgmtkit
