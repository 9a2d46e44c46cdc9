// A request channel for tests: records every call the proxies make, answers
// synchronous calls with a scripted reply, and fails on demand.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Framework.h"

namespace testing_support {

enum class CallStyle { OneWay, OneWayWithChannel, Sync, SyncWithTimeout };

struct SentCall {
    Method request;
    CallStyle style;
    std::string callbackChannel;
    int timeout = 0;  // only for SyncWithTimeout
};

class TestChannel : public ProxyRequest {
public:
    explicit TestChannel(std::string serviceName = "LocalMgmtService")
        : ProxyRequest(std::move(serviceName)) {}

    // Copied into the reply of every synchronous call.
    Method reply;
    // Runs at every call after it is recorded; throw from it to fail the call.
    std::function<void()> onCall;
    std::vector<SentCall> calls;
    std::vector<int> options;

    // Scripting helpers.
    TestChannel& replyInt(const char* name, int value, Parameter::directions d = Parameter::OUT);
    TestChannel& replyString(const char* name, const std::string& value,
                             Parameter::directions d = Parameter::OUT);
    TestChannel& replyBool(const char* name, bool value, Parameter::directions d = Parameter::OUT);
    void failWith(const std::string& text);  // every call throws CorvexException(text)

    const SentCall& only() const;  // the one call made; fails the test otherwise

    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel,
                         int timeout) override;
    bool asynchronousCall(Method& request) override;
    bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel) override;
    bool setProxyOption(const int& option) override;

private:
    void record(const Method& request, CallStyle style, const std::string& channel, int timeout);
};

// A framework context that knows what the test tells it.
class TestContext : public FrameworkContext {
public:
    std::function<std::string(Executable*)> channelOf;
    Service* service = nullptr;
    int serviceLookups = 0;
    std::string lastServiceName, lastInstance;

    std::string findChannel(Executable* object) override {
        return channelOf ? channelOf(object) : std::string();
    }
    Service* findRealService(const std::string& serviceName, const std::string& instance) override {
        ++serviceLookups;
        lastServiceName = serviceName;
        lastInstance = instance;
        return service;
    }
};

// One parameter as a comparable value: name, kind, direction and value text.
struct Param {
    std::string name;
    Parameter::kinds kind;
    Parameter::directions direction;
    std::string value;  // ints and bools as decimal text ("1"/"0" for bools)
    bool operator==(const Param& other) const;
};
Param intParam(const char* name, int value, Parameter::directions d = Parameter::IN);
Param stringParam(const char* name, const std::string& value, Parameter::directions d = Parameter::IN);
Param boolParam(const char* name, bool value, Parameter::directions d = Parameter::IN);
std::vector<Param> paramsOf(const Method& method);
std::ostream& operator<<(std::ostream& out, const Param& param);

}  // namespace testing_support
