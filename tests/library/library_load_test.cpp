// Loads the built library the way the framework does: by path, factories by
// name, and then talks to the proxies only through their interfaces.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>

#include "ActionEventRequestIfc.h"
#include "LocalMgmtIfc.h"
#include "LocationDeliveryRequestIfc.h"
#include "TestChannel.h"
#include "description/ServiceDescription.h"

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

namespace {

// Every symbol the library exports, demangled and reduced to its name: one
// entry per overload, a thunk (the entry through an interface part) counted
// as the member it leads to.
std::multiset<std::string> exportedNames() {
    const std::string command = std::string("nm -DC --defined-only '") + PROXY_LIBRARY_PATH + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> nm(popen(command.c_str(), "r"), pclose);
    std::set<std::string> symbols;
    char line[4096];
    while (nm && std::fgets(line, sizeof line, nm.get()) != nullptr) {
        std::string symbol(line);  // "<address> <type> <demangled name>\n"
        symbol = symbol.substr(symbol.find(' ', symbol.find(' ') + 1) + 1);
        symbol.erase(symbol.find_first_of("@\n"));
        const std::string thunk = "non-virtual thunk to ";
        if (symbol.rfind(thunk, 0) == 0) symbol.erase(0, thunk.size());
        symbols.insert(symbol);
    }
    std::multiset<std::string> names;
    for (std::string symbol : symbols) {
        symbol = symbol.substr(0, symbol.find('('));
        const std::size_t tag = symbol.find("[abi:");
        names.insert(tag == std::string::npos ? symbol : symbol.substr(0, tag));
    }
    return names;
}

// Each class's members, overloads repeated.
void addMembers(std::multiset<std::string>& names, const std::string& owner, const char* members) {
    std::istringstream words(members);
    for (std::string member; words >> member;) names.insert(owner + "::" + member);
    for (const char* prefix : {"typeinfo for ", "typeinfo name for ", "vtable for "}) names.insert(prefix + owner);
}

}  // namespace

// The framework finds the factories by name; clients dynamic_cast to the
// interfaces and to the proxy classes and call the proxies' own members.
// Nothing else leaves the library: no call mechanism, no helper.
TEST(LibraryExports, FactoriesInterfaceTypesAndTheProxyClassesOnly) {
    std::multiset<std::string> expected = {
        "createLocalMgmtProxy", "createActionEventRequestProxy", "createLocationDeliveryRequestProxy",
        "typeinfo for LocalMgmtIfc", "typeinfo name for LocalMgmtIfc",
        "typeinfo for ActionEventRequestIfc", "typeinfo name for ActionEventRequestIfc",
        "typeinfo for LocationDeliveryRequestIfc", "typeinfo name for LocationDeliveryRequestIfc"};
    // Every operation, overloads repeated, in the proxy class that serves its interface.
    const char* const proxyOf[] = {"LocalMgmtProxy", "LocalMgmtProxy", "ActionEventRequestProxy",
                                   "LocationDeliveryRequestProxy"};  // by mgmtdesc::Interface
    for (const mgmtdesc::Operation& row : mgmtdesc::operations())
        expected.insert(std::string(proxyOf[static_cast<int>(row.interface)]) + "::" + row.member);
    addMembers(expected, "LocalMgmtProxy",
               "~LocalMgmtProxy initProxy convertUserTypeEnumToString convertFileTypeEnumToString getService "
               "findCallBackChan");
    addMembers(expected, "ActionEventRequestProxy", "~ActionEventRequestProxy initProxy");
    addMembers(expected, "LocationDeliveryRequestProxy", "~LocationDeliveryRequestProxy initProxy");
    EXPECT_EQ(exportedNames(), expected);
}

TEST_F(LibraryLoadTest, CallsThroughTheInterfacesLandInTheRightOperations) {
    auto localPart = make("createLocalMgmtProxy");
    auto actionPart = make("createActionEventRequestProxy");
    auto locationPart = make("createLocationDeliveryRequestProxy");
    ASSERT_TRUE(localPart && actionPart && locationPart);
    EXPECT_EQ(channel.options(), std::vector<int>{4});

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
    for (const SentRequest& call : channel.requests()) sent.push_back(call.request.name());
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(paramsOf(channel.requests()[0].request), (std::vector<Param>{{"busyStatus", Parameter::INT, Parameter::IN, "5"}}));
}
