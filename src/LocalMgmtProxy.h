/// \file
/// Client side of the local management service.
///
/// The order of the virtual declarations below fixes the slots of this class's
/// own table, which the framework and existing clients are compiled against.
/// It differs from the interface order on purpose: keep both as they are.
#pragma once

#include <list>
#include <string>

#include "Framework.h"
#include "LocalMgmtIfc.h"
#include "ProxyFactory.h"

/// Client side of the local management service. Every interface operation
/// becomes one remote call on the channel given to initProxy(); four data
/// operations call an in-process implementation directly when there is one.
/// Calls on one proxy must not overlap; separate proxies are independent.
class MGMT_PROXY LocalMgmtProxy : public Proxy, public LocalMgmtIfc {
public:
    /// An unbound proxy; the framework binds it with initProxy().
    LocalMgmtProxy() = default;
    /// Leaves the channel and the in-process service alone: the proxy owns neither.
    ~LocalMgmtProxy() override;

    /// Binds the proxy to `request`, which it keeps but does not own, and sets
    /// the channel option the service expects; a later call binds it anew.
    /// Until the first, every operation throws std::logic_error naming itself
    /// and sends nothing.
    void initProxy(ProxyRequest& request) override;

    // File transfer and software upgrade.
    bool startDownload(eFiletype fileType, bool displayProgress,
                       eCertificateType certificateType) override;
    bool startDownload(eFiletype fileType, Executable* observer, bool displayProgress,
                       eCertificateType certificateType) override;
    bool startDownload(eDownloadProtocol protocol, const std::string& port, const std::string& server,
                       const std::string& username, const std::string& password, eFiletype fileType,
                       const std::string& sourcePath, const std::string& fileName,
                       bool displayProgress, eCertificateType certificateType) override;
    bool startDownload(eDownloadProtocol protocol, const std::string& port, const std::string& server,
                       const std::string& username, const std::string& password, eFiletype fileType,
                       const std::string& sourcePath, const std::string& fileName,
                       Executable* observer, bool overrideBusy, std::string version,
                       bool displayProgress, eCertificateType certificateType) override;
    int upgradeSoftwareImageWithFile(const std::string& filename) override;
    int uploadUserFile(eFiletype fileType, const std::string& filename) override;
    int requestCurrentDownloadStatus(eFiletype fileType, const std::string& filename) override;
    bool getListOfFilesOfType(eFiletype fileType, std::list<std::string>* files) override;
    bool getListOfFilesOfType(eFiletype fileType, std::list<std::string>* files,
                              eUsertype userType) override;
    bool getIDAndDisplayName(std::string& identifier, std::string& displayName) override;
    bool changeCurrentUser(eUsertype userType) override;
    bool clearMobileUserData() override;
    bool getFilePathFromType(eFiletype fileType, std::string& filename) override;
    bool getFilePathFromType(eFiletype fileType, std::string& filename, eUsertype userType) override;
    std::string getFileTypeMetadata(eFiletype fileType) override;
    int getFileTypeCountLimit(eFiletype fileType) override;
    int getFileTypeNameLimit(eFiletype fileType) override;
    void setPhoneBusyStatus(unsigned int busyStatus) override;
    unsigned int retrievePhoneBusyStatus() override;
    void clearPhoneBusyStatus(unsigned int busyStatus) override;
    bool performFactoryReset(const std::string& password, bool reboot) override;
    int verifyFactoryResetPassword(const std::string& password) override;
    bool performReboot(const std::string& rebootReason) override;
    bool setData(ManageableData& data) override;
    bool getData(ManageableData& data) override;
    /// The name of the schema that describes the data at `nodeId`; empty when the
    /// service sent none or the call failed. An in-process service, when there is
    /// one, is called directly.
    /// On the wire: \ref op_findSchemaName.
    std::string findSchemaName(const std::string& nodeId) override;
    bool getSchema(const std::string& schemaName, ManageableData& data) override;
    /// The schema `schemaName` as XML text; empty when the service sent none or
    /// the call failed.
    /// On the wire: \ref op_exportSchema.
    std::string exportSchema(const std::string& schemaName) override;
    void registerManagementIdentity(const std::string& managementId, MgmtAgentIfc* agent) override;
    void registerManagementIdentity(const std::string& managementId, MgmtAgentIfc* agent,
                                    bool bulkDataManageable) override;
    bool observeManageableData(const std::string& nodeId, MgmtAgentIfc* agent) override;
    bool observeManageableData(const std::string& nodeId, MgmtAgentIfc* agent,
                               bool bulkDataManageable) override;
    bool observeManageableData(const std::list<std::string>& rootIds, MgmtAgentIfc* agent) override;
    bool stopObservingManageableData(const std::string& nodeId, MgmtAgentIfc* agent) override;
    int manageableDataChanged(ManageableData& data) override;
    bool raiseGenericTrap(TrapDest dest, int trapNo) override;
    bool raiseSpecificTrap(TrapDest dest, SNMPTrapData& data) override;
    bool checkDataEditable(ManageableData& data, eAccessLevel accessLevel) override;
    void setDataEditable(ManageableData& data, eEditableStatus editableStatus) override;
    void invalidateTRVKCache() override;
    void refreshPictureClips() override;
    bool clearAllUserData() override;
    void clearSpecificUserData(eResetSpecificUserDataGroup group) override;
    void factoryResetPreservingData() override;
    void getUserDataSpaceInfo(MemoryInfo& info) override;
    bool validateFile(eFiletype fileType, const std::string& filename) override;
    bool deleteFile(eFiletype fileType, const std::string& filename) override;
    void cleanupUserData(eFiletype fileType, eUsertype userType) override;
    bool getEnvironmentVariable(envVar variable, std::string& value) override;
    std::string getPingOutput(const std::string& address) override;
    std::string getTracerouteOutput(const std::string& address) override;

    // Reachable only through the proxy class itself.

    /// Asks the service whether `port` is a valid SNMP trap port. False when it
    /// is not or the call failed.
    /// On the wire: \ref op_validateSNMPTrapPort.
    bool validateSNMPTrapPort(const std::string& port);
    /// Asks the service whether `address` is a valid SNMP trap address. False
    /// when it is not or the call failed.
    /// On the wire: \ref op_validateSNMPTrapIPAddress.
    bool validateSNMPTrapIPAddress(const std::string& address);
    /// The name the service knows that kind of user by: "baseUser" for a value
    /// without one. Sends nothing. The names: \ref enum_eUsertype.
    std::string convertUserTypeEnumToString(eUsertype userType);
    /// The name the service knows that file type by: "swBind" for a value
    /// without one. Sends nothing. The names: \ref enum_eFiletype.
    std::string convertFileTypeEnumToString(eFiletype fileType);
    /// The in-process implementation of the service, looked up once per proxy;
    /// null when there is none.
    LocalMgmtIfc* getService();
    /// Fills callbackChan with the observer's channel; methodName only labels the
    /// records. A null observer leaves callbackChan as it was.
    void findCallBackChan(Executable* observer, std::string& callbackChan, std::string methodName);

private:
    // getService for the proxy's own operations: after the one lookup, asking
    // costs a load. `operation` names the caller when the proxy is not bound
    // yet; the compiler fills it in where the call is made.
    MGMT_INTERNAL LocalMgmtIfc* localServiceFor(const char* operation = __builtin_FUNCTION()) {
        return localServiceLookedUp ? localService : lookUpService(operation);
    }
    MGMT_INTERNAL LocalMgmtIfc* lookUpService(const char* operation);
    // findCallBackChan for the proxy's own operations: the label stays a
    // literal instead of becoming a string per call. An agent is reached
    // through its Executable part.
    MGMT_INTERNAL void resolveCallBackChan(Executable* observer, std::string& callbackChan, const char* methodName,
                                           const char* operation = __builtin_FUNCTION());
    MGMT_INTERNAL void resolveCallBackChan(MgmtAgentIfc* agent, std::string& callbackChan, const char* methodName,
                                           const char* operation = __builtin_FUNCTION());

    ProxyRequest* proxyReq = nullptr;     // not owned
    LocalMgmtIfc* localService = nullptr;  // not owned
    bool localServiceLookedUp = false;
};

/// Creates an unbound LocalMgmtProxy and returns its framework part, which the
/// caller owns. The framework finds it by this name.
MGMT_FACTORY Proxy* createLocalMgmtProxy();
