// A client of the installed package: creates each proxy through its factory,
// casts it to its interface and to its proxy class, binds it to a channel of
// its own, and checks what the interface and the proxy class's own members
// send and answer. Exit status 0 when everything holds.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ActionEventRequestProxy.h"
#include "Framework.h"
#include "LocalMgmtIfc.h"
#include "LocalMgmtProxy.h"
#include "LocationDeliveryRequestProxy.h"

namespace {

class RecordingChannel : public ProxyRequest {
public:
    std::vector<Method> sent;
    std::vector<int> options;

    bool asynchronousCall(Method& request) override {
        sent.push_back(request);
        return true;
    }
    bool synchronousCall(Method& request, Method& reply, std::string&) override {
        sent.push_back(request);
        reply.addIntParameter("busyStatus", 6, Parameter::OUT);
        return true;
    }
    bool setProxyOption(const int& option) override {
        options.push_back(option);
        return true;
    }
};

class ClientContext : public FrameworkContext {
public:
    std::string findChannel(Executable*) override { return "client-chan"; }
};

struct Observer : Executable {
    void init(Context&) override {}
    void shutdown() override {}
};

int failures = 0;

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "consumer: FAILED: %s\n", what);
        ++failures;
    }
}

}  // namespace

int main() {
    RecordingChannel channel;

    std::unique_ptr<Proxy> proxy(createLocalMgmtProxy());
    auto* local = dynamic_cast<LocalMgmtIfc*>(proxy.get());
    check(local != nullptr, "createLocalMgmtProxy gives a LocalMgmtIfc");
    if (local == nullptr) return 1;
    proxy->initProxy(channel);
    check(channel.options == std::vector<int>{4}, "binding sets the channel option 4");

    local->setPhoneBusyStatus(5);
    check(local->retrievePhoneBusyStatus() == 6, "the reply's busyStatus comes back");
    check(channel.sent.size() == 2, "two requests sent");
    if (channel.sent.size() == 2) {
        const Method& request = channel.sent[0];
        check(request.name() == "setPhoneBusyStatus", "the remote method is setPhoneBusyStatus");
        check(request.parameters().size() == 1 && request.parameters()[0].name() == "busyStatus" &&
                  request.parameters()[0].intValue() == 5,
              "busyStatus 5 is sent");
        check(channel.sent[1].name() == "retrievePhoneBusyStatus", "then retrievePhoneBusyStatus");
    }

    // The proxy class itself and its own members.
    auto* own = dynamic_cast<LocalMgmtProxy*>(proxy.get());
    check(own != nullptr, "createLocalMgmtProxy gives a LocalMgmtProxy");
    if (own == nullptr) return 1;
    ClientContext context;
    channel.frameworkContext = &context;
    own->validateSNMPTrapPort("162");
    own->validateSNMPTrapIPAddress("10.0.0.9");
    check(channel.sent.size() == 4 && channel.sent[2].name() == "validateSNMPTrapPort" &&
              channel.sent[3].name() == "validateSNMPTrapIPAddress",
          "the trap setting checks are sent");
    check(own->convertUserTypeEnumToString(LocalMgmtIfc::USER_VISITOR) == "visitorUser", "user type name");
    check(own->convertFileTypeEnumToString(LocalMgmtIfc::FILETYPE_RINGER) == "ringer", "file type name");
    check(own->getService() == nullptr, "no in-process service");
    Observer observer;
    std::string callbackChan;
    own->findCallBackChan(&observer, callbackChan, "observeData");
    check(callbackChan == "client-chan", "the observer's channel is found");

    std::unique_ptr<Proxy> actions(createActionEventRequestProxy());
    std::unique_ptr<Proxy> location(createLocationDeliveryRequestProxy());
    check(dynamic_cast<ActionEventRequestIfc*>(actions.get()) != nullptr &&
              dynamic_cast<ActionEventRequestProxy*>(actions.get()) != nullptr,
          "createActionEventRequestProxy gives an ActionEventRequestProxy");
    check(dynamic_cast<LocationDeliveryRequestIfc*>(location.get()) != nullptr &&
              dynamic_cast<LocationDeliveryRequestProxy*>(location.get()) != nullptr,
          "createLocationDeliveryRequestProxy gives a LocationDeliveryRequestProxy");
    check(dynamic_cast<LocalMgmtProxy*>(actions.get()) == nullptr, "an event proxy is no LocalMgmtProxy");

    if (failures == 0) std::printf("consumer: ok\n");
    return failures == 0 ? 0 : 1;
}
