/// \file
/// gMock stand-ins for the three service interfaces, for unit tests of code
/// that takes a LocalMgmtIfc* (or an event interface) and should not care how
/// it is served. Every operation is mocked, overloads included, so a mock can
/// be handed to anything that takes the interface.
#pragma once

#include <gmock/gmock.h>

#include <list>
#include <string>

#include "ActionEventRequestIfc.h"
#include "LocalMgmtIfc.h"
#include "LocationDeliveryRequestIfc.h"

namespace mgmtkit {

/// A gMock LocalMgmtIfc: every operation of the interface, overloads
/// included, is a mock method of the same name and signature. For the
/// component's own logic: what it does with the answers, and what it never
/// sends.
///
/// \code
/// StrictMock<mgmtkit::MockLocalMgmt> phone;  // any call fails the test
/// PhoneSettings settings(phone);
/// EXPECT_FALSE(settings.setWebAccess({true, "1234567"}));
///
/// NiceMock<mgmtkit::MockLocalMgmt> busy;
/// EXPECT_CALL(busy, retrievePhoneBusyStatus()).WillOnce(Return(1u));
/// \endcode
class MockLocalMgmt : public LocalMgmtIfc {
public:
    /// The list type of getListOfFilesOfType() and observeManageableData().
    using StringList = std::list<std::string>;

    MOCK_METHOD(std::string, findSchemaName, (const std::string& nodeId), (override));
    MOCK_METHOD(std::string, exportSchema, (const std::string& schemaName), (override));

    MOCK_METHOD(bool, startDownload, (eFiletype, bool, eCertificateType), (override));
    MOCK_METHOD(bool, startDownload, (eFiletype, Executable*, bool, eCertificateType), (override));
    MOCK_METHOD(bool, startDownload,
                (eDownloadProtocol, const std::string&, const std::string&, const std::string&,
                 const std::string&, eFiletype, const std::string&, const std::string&, bool,
                 eCertificateType),
                (override));
    MOCK_METHOD(bool, startDownload,
                (eDownloadProtocol, const std::string&, const std::string&, const std::string&,
                 const std::string&, eFiletype, const std::string&, const std::string&, Executable*,
                 bool, std::string, bool, eCertificateType),
                (override));
    MOCK_METHOD(int, upgradeSoftwareImageWithFile, (const std::string& filename), (override));
    MOCK_METHOD(int, uploadUserFile, (eFiletype fileType, const std::string& filename), (override));
    MOCK_METHOD(int, requestCurrentDownloadStatus, (eFiletype fileType, const std::string& filename),
                (override));
    MOCK_METHOD(bool, getIDAndDisplayName, (std::string& identifier, std::string& displayName), (override));
    MOCK_METHOD(bool, changeCurrentUser, (eUsertype userType), (override));
    MOCK_METHOD(bool, clearMobileUserData, (), (override));
    MOCK_METHOD(bool, getFilePathFromType, (eFiletype fileType, std::string& filename), (override));
    MOCK_METHOD(bool, getFilePathFromType, (eFiletype fileType, std::string& filename, eUsertype userType),
                (override));
    MOCK_METHOD(bool, getListOfFilesOfType, (eFiletype fileType, StringList* files), (override));
    MOCK_METHOD(bool, getListOfFilesOfType, (eFiletype fileType, StringList* files, eUsertype userType),
                (override));
    MOCK_METHOD(std::string, getFileTypeMetadata, (eFiletype fileType), (override));
    MOCK_METHOD(int, getFileTypeCountLimit, (eFiletype fileType), (override));
    MOCK_METHOD(int, getFileTypeNameLimit, (eFiletype fileType), (override));
    MOCK_METHOD(void, setPhoneBusyStatus, (unsigned int busyStatus), (override));
    MOCK_METHOD(unsigned int, retrievePhoneBusyStatus, (), (override));
    MOCK_METHOD(void, clearPhoneBusyStatus, (unsigned int busyStatus), (override));
    MOCK_METHOD(bool, performFactoryReset, (const std::string& password, bool reboot), (override));
    MOCK_METHOD(int, verifyFactoryResetPassword, (const std::string& password), (override));
    MOCK_METHOD(bool, performReboot, (const std::string& rebootReason), (override));
    MOCK_METHOD(bool, setData, (ManageableData& data), (override));
    MOCK_METHOD(bool, getData, (ManageableData& data), (override));
    MOCK_METHOD(bool, getSchema, (const std::string& schemaName, ManageableData& data), (override));
    MOCK_METHOD(int, manageableDataChanged, (ManageableData& data), (override));
    MOCK_METHOD(void, registerManagementIdentity, (const std::string& managementId, MgmtAgentIfc* agent),
                (override));
    MOCK_METHOD(void, registerManagementIdentity,
                (const std::string& managementId, MgmtAgentIfc* agent, bool bulkDataManageable), (override));
    MOCK_METHOD(bool, observeManageableData, (const std::string& nodeId, MgmtAgentIfc* agent), (override));
    MOCK_METHOD(bool, observeManageableData,
                (const std::string& nodeId, MgmtAgentIfc* agent, bool bulkDataManageable), (override));
    MOCK_METHOD(bool, observeManageableData, (const StringList& rootIds, MgmtAgentIfc* agent), (override));
    MOCK_METHOD(bool, stopObservingManageableData, (const std::string& nodeId, MgmtAgentIfc* agent),
                (override));
    MOCK_METHOD(bool, raiseGenericTrap, (TrapDest dest, int trapNo), (override));
    MOCK_METHOD(bool, raiseSpecificTrap, (TrapDest dest, SNMPTrapData& data), (override));
    MOCK_METHOD(bool, checkDataEditable, (ManageableData& data, eAccessLevel accessLevel), (override));
    MOCK_METHOD(void, setDataEditable, (ManageableData& data, eEditableStatus editableStatus), (override));
    MOCK_METHOD(void, invalidateTRVKCache, (), (override));
    MOCK_METHOD(bool, clearAllUserData, (), (override));
    MOCK_METHOD(void, clearSpecificUserData, (eResetSpecificUserDataGroup group), (override));
    MOCK_METHOD(void, factoryResetPreservingData, (), (override));
    MOCK_METHOD(void, getUserDataSpaceInfo, (MemoryInfo& info), (override));
    MOCK_METHOD(bool, validateFile, (eFiletype fileType, const std::string& filename), (override));
    MOCK_METHOD(bool, deleteFile, (eFiletype fileType, const std::string& filename), (override));
    MOCK_METHOD(void, cleanupUserData, (eFiletype fileType, eUsertype userType), (override));
    MOCK_METHOD(void, refreshPictureClips, (), (override));
    MOCK_METHOD(bool, getEnvironmentVariable, (envVar variable, std::string& value), (override));
    MOCK_METHOD(std::string, getPingOutput, (const std::string& address), (override));
    MOCK_METHOD(std::string, getTracerouteOutput, (const std::string& address), (override));
};

/// A gMock ActionEventRequestIfc: addActionEventRequest and
/// addActionEventRequestWithData. The event interfaces have no virtual
/// destructor; the mocks are destroyed as themselves, never through the
/// interface.
class MockActionEventRequest : public ActionEventRequestIfc {
public:
    virtual ~MockActionEventRequest() = default;
    MOCK_METHOD(void, addActionEventRequest, (EventType type), (override));
    MOCK_METHOD(void, addActionEventRequestWithData, (EventType type, const std::string& data), (override));
};

/// A gMock LocationDeliveryRequestIfc: sendLocationDeliveryRequest. Destroyed
/// as itself, never through the interface.
class MockLocationDeliveryRequest : public LocationDeliveryRequestIfc {
public:
    virtual ~MockLocationDeliveryRequest() = default;
    MOCK_METHOD(void, sendLocationDeliveryRequest, (), (override));
};

}  // namespace mgmtkit
