// The kit's recording channel as the proxy tests script it: one reply for
// every synchronous call, and a hook run at every call (throw from it to fail
// the call).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Framework.h"
#include "testing/RecordingChannel.h"
#include "testing/RequestMatchers.h"

namespace testing_support {

using mgmtdesc::CallStyle;
using mgmtkit::SentRequest;
using Param = mgmtkit::SentParameter;

class TestChannel : public mgmtkit::RecordingChannel {
public:
    explicit TestChannel(std::string serviceName = "LocalMgmtService");
    TestChannel(const TestChannel&) = delete;
    TestChannel& operator=(const TestChannel&) = delete;

    Method& reply;                 // answerOthers(): the reply of every synchronous call
    std::function<void()> onCall;  // hides the kit's hook, which calls it

    void failWith(const std::string& text);  // every call throws CorvexException(text)

    const SentRequest& only() const;  // the one request sent; fails the test otherwise
};

// A framework context that knows what the test tells it, and runs `onAsk`
// whenever it is asked anything (throw from it to fail the question).
class TestContext : public FrameworkContext {
public:
    std::function<std::string(Executable*)> channelOf;
    std::function<void()> onAsk;
    Service* service = nullptr;
    int serviceLookups = 0;
    std::string lastServiceName, lastInstance;

    std::string findChannel(Executable* object) override {
        if (onAsk) onAsk();
        return channelOf ? channelOf(object) : std::string();
    }
    Service* findRealService(const std::string& serviceName, const std::string& instance) override {
        if (onAsk) onAsk();
        ++serviceLookups;
        lastServiceName = serviceName;
        lastInstance = instance;
        return service;
    }
};

inline std::vector<Param> paramsOf(const Method& method) { return mgmtkit::parametersOf(method); }

}  // namespace testing_support
