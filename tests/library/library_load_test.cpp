// Loads the built library the way the framework does: by path, factories by
// name, and then talks to the proxies only through their interfaces.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>

#include "ActionEventRequestIfc.h"
#include "LocalMgmtIfc.h"
#include "LocationDeliveryRequestIfc.h"
#include "LogCapture.h"
#include "TestChannel.h"

using namespace testing_support;

namespace {

using Factory = Proxy* (*)();

struct Library {
    void* handle = dlopen(PROXY_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ~Library() {
        if (handle != nullptr) dlclose(handle);
    }
    Factory factory(const char* name) const { return reinterpret_cast<Factory>(dlsym(handle, name)); }
};

struct LibraryLoadTest : ::testing::Test {
    Library library;
    TestChannel channel;
    void SetUp() override { ASSERT_NE(library.handle, nullptr) << dlerror(); }

    std::unique_ptr<Proxy> make(const char* factoryName) {
        Factory create = library.factory(factoryName);
        EXPECT_NE(create, nullptr) << factoryName;
        std::unique_ptr<Proxy> proxy(create ? create() : nullptr);
        if (proxy) proxy->initProxy(channel);
        return proxy;
    }
};

}  // namespace

TEST_F(LibraryLoadTest, FactoriesAreFoundByTheirPlainNames) {
    for (const char* name : {"createLocalMgmtProxy", "createActionEventRequestProxy",
                             "createLocationDeliveryRequestProxy"})
        EXPECT_NE(library.factory(name), nullptr) << name;
    // Everything else of ours stays inside the library.
    EXPECT_EQ(dlsym(library.handle, "_ZN14LocalMgmtProxy10getServiceEv"), nullptr);
    EXPECT_EQ(dlsym(library.handle, "_ZN14LocalMgmtProxy9initProxyER12ProxyRequest"), nullptr);
}

TEST_F(LibraryLoadTest, CallsThroughTheInterfacesLandInTheRightOperations) {
    auto localPart = make("createLocalMgmtProxy");
    auto actionPart = make("createActionEventRequestProxy");
    auto locationPart = make("createLocationDeliveryRequestProxy");
    ASSERT_TRUE(localPart && actionPart && locationPart);
    EXPECT_EQ(channel.options, std::vector<int>{4});

    auto* local = dynamic_cast<LocalMgmtIfc*>(localPart.get());
    auto* actions = dynamic_cast<ActionEventRequestIfc*>(actionPart.get());
    auto* location = dynamic_cast<LocationDeliveryRequestIfc*>(locationPart.get());
    ASSERT_NE(local, nullptr);
    ASSERT_NE(actions, nullptr);
    ASSERT_NE(location, nullptr);
    EXPECT_EQ(dynamic_cast<LocalMgmtIfc*>(actionPart.get()), nullptr);

    // First, last and a middle slot of the interface, and both event interfaces.
    local->setPhoneBusyStatus(5);
    local->clearPhoneBusyStatus(6);
    local->findSchemaName("node");
    local->getTracerouteOutput("10.0.0.1");
    actions->addActionEventRequestWithData(ActionEventRequestIfc::EVENT_KEY_PRESS, "k");
    actions->addActionEventRequest(ActionEventRequestIfc::EVENT_CALL_STATE);
    location->sendLocationDeliveryRequest();

    const std::vector<std::string> expected = {"setPhoneBusyStatus", "clearPhoneBusyStatus",
                                               "findSchemaName", "getTracerouteOutput",
                                               "addActionEventRequestWithData",
                                               "addActionEventRequest", "sendLocationDeliveryRequest"};
    std::vector<std::string> sent;
    for (const SentCall& call : channel.calls) sent.push_back(call.request.name());
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(paramsOf(channel.calls[0].request), std::vector<Param>{intParam("busyStatus", 5)});
}
