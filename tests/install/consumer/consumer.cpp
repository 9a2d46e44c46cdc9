// A client of the installed package: creates each proxy through its factory,
// casts it to its interface and to its proxy class, binds LocalMgmtProxy to a
// channel of its own and calls it through both. What the calls send is the
// conformance test's; here that the installed headers and libraries serve a
// client at all. Exit status 0 when everything holds.
#include <cstdio>
#include <memory>
#include <string>

#include "ActionEventRequestProxy.h"
#include "Framework.h"
#include "LocalMgmtIfc.h"
#include "LocalMgmtProxy.h"
#include "LocationDeliveryRequestProxy.h"

namespace {

// Counts the calls and answers each with a busy status of 6.
class AnsweringChannel : public ProxyRequest {
public:
    int calls = 0;

    bool asynchronousCall(Method&) override { return ++calls > 0; }
    bool synchronousCall(Method&, Method& reply, std::string&) override {
        reply.addIntParameter("busyStatus", 6, Parameter::OUT);
        return ++calls > 0;
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

template <class Interface, class ProxyClass>
bool makes(Proxy* (*factory)()) {
    std::unique_ptr<Proxy> made(factory());
    return dynamic_cast<Interface*>(made.get()) != nullptr && dynamic_cast<ProxyClass*>(made.get()) != nullptr;
}

}  // namespace

int main() {
    check(makes<ActionEventRequestIfc, ActionEventRequestProxy>(createActionEventRequestProxy),
          "createActionEventRequestProxy gives an ActionEventRequestProxy");
    check(makes<LocationDeliveryRequestIfc, LocationDeliveryRequestProxy>(createLocationDeliveryRequestProxy),
          "createLocationDeliveryRequestProxy gives a LocationDeliveryRequestProxy");
    std::unique_ptr<Proxy> proxy(createLocalMgmtProxy());
    auto* local = dynamic_cast<LocalMgmtIfc*>(proxy.get());
    auto* own = dynamic_cast<LocalMgmtProxy*>(proxy.get());
    check(local != nullptr && own != nullptr, "createLocalMgmtProxy gives a LocalMgmtProxy");
    if (local == nullptr || own == nullptr) return 1;

    AnsweringChannel channel;
    ClientContext context;
    channel.frameworkContext = &context;
    proxy->initProxy(channel);
    local->setPhoneBusyStatus(5);
    check(local->retrievePhoneBusyStatus() == 6, "the reply's busyStatus comes back");
    // The proxy class's own members.
    own->validateSNMPTrapPort("162");
    own->validateSNMPTrapIPAddress("10.0.0.9");
    check(channel.calls == 4, "every call reaches the channel");
    check(own->convertUserTypeEnumToString(LocalMgmtIfc::USER_VISITOR) == "visitorUser", "user type name");
    check(own->convertFileTypeEnumToString(LocalMgmtIfc::FILETYPE_RINGER) == "ringer", "file type name");
    check(own->getService() == nullptr, "no in-process service");
    Observer observer;
    std::string callbackChan;
    own->findCallBackChan(&observer, callbackChan, "observeData");
    check(callbackChan == "client-chan", "the observer's channel is found");

    if (failures == 0) std::printf("consumer: ok\n");
    return failures == 0 ? 0 : 1;
}
