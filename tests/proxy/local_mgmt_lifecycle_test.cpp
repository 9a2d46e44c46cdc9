// LocalMgmtProxy's creation and binding, and the slot order of the virtual
// operations that compiled clients depend on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "LocalMgmtProxy.h"
#include "testing/LogCapture.h"
#include "TestChannel.h"
#include "VtableSlots.h"

using namespace testing_support;
using mgmtkit::LogCapture;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {

// An operation's name and the slot its member of C occupies.
#define MGMT_SLOT(member) {#member, slotOf(&C::member)}
#define MGMT_OVERLOAD_SLOT(member, ...) {#member, slotOf(static_cast<__VA_ARGS__>(&C::member))}

// Every operation of LocalMgmtIfc in the interface's order, overloads once per
// form, as a member of C: the interface itself, or the proxy class, which
// overrides them all and declares them in an order of its own.
template <class C>
std::vector<std::pair<std::string, std::ptrdiff_t>> operationSlots() {
    using F = typename C::eFiletype;
    using U = typename C::eUsertype;
    using Cert = typename C::eCertificateType;
    using Protocol = typename C::eDownloadProtocol;
    using S = const std::string&;
    using Files = std::list<std::string>*;
    return {
        MGMT_SLOT(findSchemaName),
        MGMT_SLOT(exportSchema),
        MGMT_OVERLOAD_SLOT(startDownload, bool (C::*)(F, bool, Cert)),
        MGMT_OVERLOAD_SLOT(startDownload, bool (C::*)(F, Executable*, bool, Cert)),
        MGMT_OVERLOAD_SLOT(startDownload, bool (C::*)(Protocol, S, S, S, S, F, S, S, bool, Cert)),
        MGMT_OVERLOAD_SLOT(startDownload, bool (C::*)(Protocol, S, S, S, S, F, S, S, Executable*, bool, std::string, bool, Cert)),
        MGMT_SLOT(upgradeSoftwareImageWithFile),
        MGMT_SLOT(uploadUserFile),
        MGMT_SLOT(requestCurrentDownloadStatus),
        MGMT_SLOT(getIDAndDisplayName),
        MGMT_SLOT(changeCurrentUser),
        MGMT_SLOT(clearMobileUserData),
        MGMT_OVERLOAD_SLOT(getFilePathFromType, bool (C::*)(F, std::string&)),
        MGMT_OVERLOAD_SLOT(getFilePathFromType, bool (C::*)(F, std::string&, U)),
        MGMT_OVERLOAD_SLOT(getListOfFilesOfType, bool (C::*)(F, Files)),
        MGMT_OVERLOAD_SLOT(getListOfFilesOfType, bool (C::*)(F, Files, U)),
        MGMT_SLOT(getFileTypeMetadata),
        MGMT_SLOT(getFileTypeCountLimit),
        MGMT_SLOT(getFileTypeNameLimit),
        MGMT_SLOT(setPhoneBusyStatus),
        MGMT_SLOT(retrievePhoneBusyStatus),
        MGMT_SLOT(clearPhoneBusyStatus),
        MGMT_SLOT(performFactoryReset),
        MGMT_SLOT(verifyFactoryResetPassword),
        MGMT_SLOT(performReboot),
        MGMT_SLOT(setData),
        MGMT_SLOT(getData),
        MGMT_SLOT(getSchema),
        MGMT_SLOT(manageableDataChanged),
        MGMT_OVERLOAD_SLOT(registerManagementIdentity, void (C::*)(S, MgmtAgentIfc*)),
        MGMT_OVERLOAD_SLOT(registerManagementIdentity, void (C::*)(S, MgmtAgentIfc*, bool)),
        MGMT_OVERLOAD_SLOT(observeManageableData, bool (C::*)(S, MgmtAgentIfc*)),
        MGMT_OVERLOAD_SLOT(observeManageableData, bool (C::*)(S, MgmtAgentIfc*, bool)),
        MGMT_OVERLOAD_SLOT(observeManageableData, bool (C::*)(const std::list<std::string>&, MgmtAgentIfc*)),
        MGMT_SLOT(stopObservingManageableData),
        MGMT_SLOT(raiseGenericTrap),
        MGMT_SLOT(raiseSpecificTrap),
        MGMT_SLOT(checkDataEditable),
        MGMT_SLOT(setDataEditable),
        MGMT_SLOT(invalidateTRVKCache),
        MGMT_SLOT(clearAllUserData),
        MGMT_SLOT(clearSpecificUserData),
        MGMT_SLOT(factoryResetPreservingData),
        MGMT_SLOT(getUserDataSpaceInfo),
        MGMT_SLOT(validateFile),
        MGMT_SLOT(deleteFile),
        MGMT_SLOT(cleanupUserData),
        MGMT_SLOT(refreshPictureClips),
        MGMT_SLOT(getEnvironmentVariable),
        MGMT_SLOT(getPingOutput),
        MGMT_SLOT(getTracerouteOutput),
    };
}

}  // namespace

// The operations meet an unbound proxy in the fault sweep; the proxy-only
// members meet it the same way.
TEST(LocalMgmtLifecycle, FactoryMakesAnUnboundProxy) {
    std::unique_ptr<Proxy> made{createLocalMgmtProxy()};
    auto* proxy = dynamic_cast<LocalMgmtProxy*>(made.get());
    ASSERT_NE(proxy, nullptr);
    std::string callbackChan;
    EXPECT_THAT([&] { proxy->getService(); }, ThrowsMessage<std::logic_error>(HasSubstr("getService")));
    EXPECT_THAT([&] { proxy->findCallBackChan(nullptr, callbackChan, "observeData"); },
                ThrowsMessage<std::logic_error>(HasSubstr("findCallBackChan")));
}

TEST(LocalMgmtLifecycle, BindingSetsOptionFourOnceAndRebindingMovesToTheNewChannel) {
    LogCapture log({2, 3, 4, 5, 6});
    TestChannel first, second;
    LocalMgmtProxy proxy;
    proxy.initProxy(first);
    EXPECT_EQ(first.options(), std::vector<int>{4});

    proxy.initProxy(second);
    EXPECT_EQ(second.options(), std::vector<int>{4});
    EXPECT_EQ(first.options().size(), 1u);

    proxy.setPhoneBusyStatus(1);
    EXPECT_TRUE(first.requests().empty());
    EXPECT_EQ(second.requests().size(), 1u);
    EXPECT_TRUE(log.records().empty()) << "binding logs nothing";
}

TEST(LocalMgmtLifecycle, OptionFailurePassesToTheFramework) {
    struct RefusingChannel : TestChannel {
        bool setProxyOption(const int&) override { throw CorvexException("option refused"); }
    } channel;
    LocalMgmtProxy proxy;
    EXPECT_THROW(proxy.initProxy(channel), CorvexException);
}

TEST(LocalMgmtSlots, InterfaceOperationsKeepTheirPublishedSlots) {
    const auto slots = operationSlots<LocalMgmtIfc>();
    ASSERT_EQ(slots.size(), 51u);
    // Slots 2 and 3 are the destructor's two entries.
    for (std::size_t i = 0; i < slots.size(); ++i)
        EXPECT_EQ(slots[i].second, static_cast<std::ptrdiff_t>(i < 2 ? i : i + 2))
            << "operation " << i + 1 << " of the interface table, " << slots[i].first;
}

TEST(LocalMgmtSlots, ProxyTableFollowsTheFrameworkSlotsThenItsOwnDeclarationOrder) {
    // Slots 0-1 destructor, then init, shutdown, timerEvent, initProxy.
    EXPECT_EQ(slotOf(&Proxy::init), 2);
    EXPECT_EQ(slotOf(&Proxy::shutdown), 3);
    EXPECT_EQ(slotOf(&Proxy::timerEvent), 4);
    EXPECT_EQ(slotOf(&LocalMgmtProxy::initProxy), 5);
    // Then the operations as LocalMgmtProxy declares them; the forms of an
    // overload in the interface's order among themselves.
    const char* const declared[] = {
        "startDownload", "startDownload", "startDownload", "startDownload", "upgradeSoftwareImageWithFile",
        "uploadUserFile", "requestCurrentDownloadStatus", "getListOfFilesOfType", "getListOfFilesOfType",
        "getIDAndDisplayName", "changeCurrentUser", "clearMobileUserData", "getFilePathFromType",
        "getFilePathFromType", "getFileTypeMetadata", "getFileTypeCountLimit", "getFileTypeNameLimit",
        "setPhoneBusyStatus", "retrievePhoneBusyStatus", "clearPhoneBusyStatus", "performFactoryReset",
        "verifyFactoryResetPassword", "performReboot", "setData", "getData", "findSchemaName", "getSchema",
        "exportSchema", "registerManagementIdentity", "registerManagementIdentity", "observeManageableData",
        "observeManageableData", "observeManageableData", "stopObservingManageableData", "manageableDataChanged",
        "raiseGenericTrap", "raiseSpecificTrap", "checkDataEditable", "setDataEditable", "invalidateTRVKCache",
        "refreshPictureClips", "clearAllUserData", "clearSpecificUserData", "factoryResetPreservingData",
        "getUserDataSpaceInfo", "validateFile", "deleteFile", "cleanupUserData", "getEnvironmentVariable",
        "getPingOutput", "getTracerouteOutput"};
    std::map<std::string, std::vector<std::ptrdiff_t>> expected, found;  // by name, a slot per form
    for (std::size_t i = 0; i < std::size(declared); ++i) expected[declared[i]].push_back(6 + static_cast<std::ptrdiff_t>(i));
    for (const auto& [name, slot] : operationSlots<LocalMgmtProxy>()) found[name].push_back(slot);
    EXPECT_EQ(std::size(declared), 51u);
    EXPECT_EQ(found.size(), expected.size());
    for (const auto& [name, slots] : expected) EXPECT_EQ(found[name], slots) << name;
}
