// LocalMgmtProxy's creation and binding, and the slot order of the virtual
// operations that compiled clients depend on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "LocalMgmtProxy.h"
#include "testing/LogCapture.h"
#include "TestChannel.h"
#include "VtableSlots.h"

using namespace testing_support;
using mgmtkit::LogCapture;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {

using Ifc = LocalMgmtIfc;
using P = LocalMgmtProxy;

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
    // Slot 2 and 3 are the destructor's two entries.
    const std::ptrdiff_t slots[] = {
        slotOf(&Ifc::findSchemaName),
        slotOf(&Ifc::exportSchema),
        slotOf(static_cast<bool (Ifc::*)(Ifc::eFiletype, bool, Ifc::eCertificateType)>(&Ifc::startDownload)) - 2,
        slotOf(static_cast<bool (Ifc::*)(Ifc::eFiletype, Executable*, bool, Ifc::eCertificateType)>(&Ifc::startDownload)) - 2,
        slotOf(static_cast<bool (Ifc::*)(Ifc::eDownloadProtocol, const std::string&, const std::string&, const std::string&, const std::string&, Ifc::eFiletype, const std::string&, const std::string&, bool, Ifc::eCertificateType)>(&Ifc::startDownload)) - 2,
        slotOf(static_cast<bool (Ifc::*)(Ifc::eDownloadProtocol, const std::string&, const std::string&, const std::string&, const std::string&, Ifc::eFiletype, const std::string&, const std::string&, Executable*, bool, std::string, bool, Ifc::eCertificateType)>(&Ifc::startDownload)) - 2,
        slotOf(&Ifc::upgradeSoftwareImageWithFile) - 2,
        slotOf(&Ifc::uploadUserFile) - 2,
        slotOf(&Ifc::requestCurrentDownloadStatus) - 2,
        slotOf(&Ifc::getIDAndDisplayName) - 2,
        slotOf(&Ifc::changeCurrentUser) - 2,
        slotOf(&Ifc::clearMobileUserData) - 2,
        slotOf(static_cast<bool (Ifc::*)(Ifc::eFiletype, std::string&)>(&Ifc::getFilePathFromType)) - 2,
        slotOf(static_cast<bool (Ifc::*)(Ifc::eFiletype, std::string&, Ifc::eUsertype)>(&Ifc::getFilePathFromType)) - 2,
        slotOf(static_cast<bool (Ifc::*)(Ifc::eFiletype, std::list<std::string>*)>(&Ifc::getListOfFilesOfType)) - 2,
        slotOf(static_cast<bool (Ifc::*)(Ifc::eFiletype, std::list<std::string>*, Ifc::eUsertype)>(&Ifc::getListOfFilesOfType)) - 2,
        slotOf(&Ifc::getFileTypeMetadata) - 2,
        slotOf(&Ifc::getFileTypeCountLimit) - 2,
        slotOf(&Ifc::getFileTypeNameLimit) - 2,
        slotOf(&Ifc::setPhoneBusyStatus) - 2,
        slotOf(&Ifc::retrievePhoneBusyStatus) - 2,
        slotOf(&Ifc::clearPhoneBusyStatus) - 2,
        slotOf(&Ifc::performFactoryReset) - 2,
        slotOf(&Ifc::verifyFactoryResetPassword) - 2,
        slotOf(&Ifc::performReboot) - 2,
        slotOf(&Ifc::setData) - 2,
        slotOf(&Ifc::getData) - 2,
        slotOf(&Ifc::getSchema) - 2,
        slotOf(&Ifc::manageableDataChanged) - 2,
        slotOf(static_cast<void (Ifc::*)(const std::string&, MgmtAgentIfc*)>(&Ifc::registerManagementIdentity)) - 2,
        slotOf(static_cast<void (Ifc::*)(const std::string&, MgmtAgentIfc*, bool)>(&Ifc::registerManagementIdentity)) - 2,
        slotOf(static_cast<bool (Ifc::*)(const std::string&, MgmtAgentIfc*)>(&Ifc::observeManageableData)) - 2,
        slotOf(static_cast<bool (Ifc::*)(const std::string&, MgmtAgentIfc*, bool)>(&Ifc::observeManageableData)) - 2,
        slotOf(static_cast<bool (Ifc::*)(const std::list<std::string>&, MgmtAgentIfc*)>(&Ifc::observeManageableData)) - 2,
        slotOf(&Ifc::stopObservingManageableData) - 2,
        slotOf(&Ifc::raiseGenericTrap) - 2,
        slotOf(&Ifc::raiseSpecificTrap) - 2,
        slotOf(&Ifc::checkDataEditable) - 2,
        slotOf(&Ifc::setDataEditable) - 2,
        slotOf(&Ifc::invalidateTRVKCache) - 2,
        slotOf(&Ifc::clearAllUserData) - 2,
        slotOf(&Ifc::clearSpecificUserData) - 2,
        slotOf(&Ifc::factoryResetPreservingData) - 2,
        slotOf(&Ifc::getUserDataSpaceInfo) - 2,
        slotOf(&Ifc::validateFile) - 2,
        slotOf(&Ifc::deleteFile) - 2,
        slotOf(&Ifc::cleanupUserData) - 2,
        slotOf(&Ifc::refreshPictureClips) - 2,
        slotOf(&Ifc::getEnvironmentVariable) - 2,
        slotOf(&Ifc::getPingOutput) - 2,
        slotOf(&Ifc::getTracerouteOutput) - 2,
    };
    for (std::ptrdiff_t i = 0; i < static_cast<std::ptrdiff_t>(std::size(slots)); ++i)
        EXPECT_EQ(slots[i], i) << "operation " << i + 1 << " of the interface table";
}

TEST(LocalMgmtSlots, ProxyTableFollowsTheFrameworkSlotsThenItsOwnDeclarationOrder) {
    // Slots 0-1 destructor, then init, shutdown, timerEvent, initProxy.
    EXPECT_EQ(slotOf(&Proxy::init), 2);
    EXPECT_EQ(slotOf(&Proxy::shutdown), 3);
    EXPECT_EQ(slotOf(&Proxy::timerEvent), 4);
    EXPECT_EQ(slotOf(&P::initProxy), 5);
    const std::ptrdiff_t slots[] = {
        slotOf(static_cast<bool (P::*)(P::eFiletype, bool, P::eCertificateType)>(&P::startDownload)),
        slotOf(static_cast<bool (P::*)(P::eFiletype, Executable*, bool, P::eCertificateType)>(&P::startDownload)),
        slotOf(static_cast<bool (P::*)(P::eDownloadProtocol, const std::string&, const std::string&, const std::string&, const std::string&, P::eFiletype, const std::string&, const std::string&, bool, P::eCertificateType)>(&P::startDownload)),
        slotOf(static_cast<bool (P::*)(P::eDownloadProtocol, const std::string&, const std::string&, const std::string&, const std::string&, P::eFiletype, const std::string&, const std::string&, Executable*, bool, std::string, bool, P::eCertificateType)>(&P::startDownload)),
        slotOf(&P::upgradeSoftwareImageWithFile),
        slotOf(&P::uploadUserFile),
        slotOf(&P::requestCurrentDownloadStatus),
        slotOf(static_cast<bool (P::*)(P::eFiletype, std::list<std::string>*)>(&P::getListOfFilesOfType)),
        slotOf(static_cast<bool (P::*)(P::eFiletype, std::list<std::string>*, P::eUsertype)>(&P::getListOfFilesOfType)),
        slotOf(&P::getIDAndDisplayName),
        slotOf(&P::changeCurrentUser),
        slotOf(&P::clearMobileUserData),
        slotOf(static_cast<bool (P::*)(P::eFiletype, std::string&)>(&P::getFilePathFromType)),
        slotOf(static_cast<bool (P::*)(P::eFiletype, std::string&, P::eUsertype)>(&P::getFilePathFromType)),
        slotOf(&P::getFileTypeMetadata),
        slotOf(&P::getFileTypeCountLimit),
        slotOf(&P::getFileTypeNameLimit),
        slotOf(&P::setPhoneBusyStatus),
        slotOf(&P::retrievePhoneBusyStatus),
        slotOf(&P::clearPhoneBusyStatus),
        slotOf(&P::performFactoryReset),
        slotOf(&P::verifyFactoryResetPassword),
        slotOf(&P::performReboot),
        slotOf(&P::setData),
        slotOf(&P::getData),
        slotOf(&P::findSchemaName),
        slotOf(&P::getSchema),
        slotOf(&P::exportSchema),
        slotOf(static_cast<void (P::*)(const std::string&, MgmtAgentIfc*)>(&P::registerManagementIdentity)),
        slotOf(static_cast<void (P::*)(const std::string&, MgmtAgentIfc*, bool)>(&P::registerManagementIdentity)),
        slotOf(static_cast<bool (P::*)(const std::string&, MgmtAgentIfc*)>(&P::observeManageableData)),
        slotOf(static_cast<bool (P::*)(const std::string&, MgmtAgentIfc*, bool)>(&P::observeManageableData)),
        slotOf(static_cast<bool (P::*)(const std::list<std::string>&, MgmtAgentIfc*)>(&P::observeManageableData)),
        slotOf(&P::stopObservingManageableData),
        slotOf(&P::manageableDataChanged),
        slotOf(&P::raiseGenericTrap),
        slotOf(&P::raiseSpecificTrap),
        slotOf(&P::checkDataEditable),
        slotOf(&P::setDataEditable),
        slotOf(&P::invalidateTRVKCache),
        slotOf(&P::refreshPictureClips),
        slotOf(&P::clearAllUserData),
        slotOf(&P::clearSpecificUserData),
        slotOf(&P::factoryResetPreservingData),
        slotOf(&P::getUserDataSpaceInfo),
        slotOf(&P::validateFile),
        slotOf(&P::deleteFile),
        slotOf(&P::cleanupUserData),
        slotOf(&P::getEnvironmentVariable),
        slotOf(&P::getPingOutput),
        slotOf(&P::getTracerouteOutput),
    };
    EXPECT_EQ(std::size(slots), 51u);
    for (std::ptrdiff_t i = 0; i < static_cast<std::ptrdiff_t>(std::size(slots)); ++i)
        EXPECT_EQ(slots[i], 6 + i) << "declaration " << i + 1 << " of LocalMgmtProxy";
}
