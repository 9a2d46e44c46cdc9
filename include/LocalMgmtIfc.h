// The local management service as client code sees it. The order of the
// virtual operations below is the binary interface existing clients are
// compiled against: never reorder, insert or remove one.
//
// Every enumeration here is fixed to int: callers pass any int, named or not,
// and each one has a defined meaning on the wire. The fixed type changes
// neither size nor mangling.
#pragma once

#include <list>
#include <string>

#include "Framework.h"
#include "MgmtInterfaceExport.h"

// Selects one environment variable of the device; travels as its integer value.
enum envVar : int {
    ENV_DEVICE_NAME = 0,
    ENV_MAC_ADDRESS = 1,
    ENV_IP_ADDRESS = 2,
    ENV_SERIAL_NUMBER = 3,
    ENV_SOFTWARE_VERSION = 4,
    ENV_HARDWARE_MODEL = 5,
};

class MGMT_INTERFACE LocalMgmtIfc : public DxlDictionary {
public:
    // The service knows file types by name; values without a name are sent as "swBind".
    enum eFiletype : int {
        FILETYPE_SWBIND = 1,
        FILETYPE_MOH = 2,
        FILETYPE_IMAGES = 3,
        FILETYPE_LOGO = 4,
        FILETYPE_MIDLETS = 5,
        FILETYPE_LDAP = 6,
        FILETYPE_TONE = 7,
        FILETYPE_SCREENSAVER = 9,
        FILETYPE_RINGER = 11,
        FILETYPE_HPT = 12,
        FILETYPE_HELP = 13,
        FILETYPE_JAR = 15,
        FILETYPE_AGD = 16,
        FILETYPE_PHD = 18,
        FILETYPE_VRAUDIO = 19,
        FILETYPE_VRPAT = 20,
    };

    // Kinds of user the telephone runs for. 0 and 1 are deliberately unnamed:
    // both mean the base user.
    enum eUsertype : int {
        USER_VISITOR = 2,
        USER_MIGRATE_TO_VISITOR = 3,
        USER_DEFAULT = 4,
        USER_CLEAR_DATA_VISITOR = 5,
        USER_BASE_QEL = 6,
        USER_VISITOR_QEL = 7,
        USER_CLEAR_DATA_VISITOR_QEL = 8,
    };

    // The enumerations below belong to the service; the proxy forwards their
    // integer values without interpreting them.
    enum TrapDest : int {
        TRAP_DEST_ALL = 0,
        TRAP_DEST_PRIMARY = 1,
        TRAP_DEST_SECONDARY = 2,
    };

    enum eResetSpecificUserDataGroup : int {
        RESET_CALL_LOGS = 0,
        RESET_CONTACTS = 1,
        RESET_PREFERENCES = 2,
        RESET_USER_FILES = 3,
    };

    enum eDownloadProtocol : int {
        PROTOCOL_TFTP = 0,
        PROTOCOL_FTP = 1,
        PROTOCOL_HTTP = 2,
        PROTOCOL_HTTPS = 3,
    };

    enum eCertificateType : int {
        CERTIFICATE_NONE = 0,
        CERTIFICATE_DEVICE = 1,
        CERTIFICATE_SERVER = 2,
    };

    enum eAccessLevel : int {
        ACCESS_USER = 0,
        ACCESS_ADMIN = 1,
        ACCESS_SERVICE = 2,
    };

    enum eEditableStatus : int {
        EDITABLE_NO = 0,
        EDITABLE_YES = 1,
    };

    virtual ~LocalMgmtIfc() = default;

    virtual bool startDownload(eFiletype fileType, bool displayProgress,
                               eCertificateType certificateType) = 0;
    virtual bool startDownload(eFiletype fileType, Executable* observer, bool displayProgress,
                               eCertificateType certificateType) = 0;
    virtual bool startDownload(eDownloadProtocol protocol, const std::string& port,
                               const std::string& server, const std::string& username,
                               const std::string& password, eFiletype fileType,
                               const std::string& sourcePath, const std::string& fileName,
                               bool displayProgress, eCertificateType certificateType) = 0;
    virtual bool startDownload(eDownloadProtocol protocol, const std::string& port,
                               const std::string& server, const std::string& username,
                               const std::string& password, eFiletype fileType,
                               const std::string& sourcePath, const std::string& fileName,
                               Executable* observer, bool overrideBusy, std::string version,
                               bool displayProgress, eCertificateType certificateType) = 0;
    virtual int upgradeSoftwareImageWithFile(const std::string& filename) = 0;
    virtual int uploadUserFile(eFiletype fileType, const std::string& filename) = 0;
    virtual int requestCurrentDownloadStatus(eFiletype fileType, const std::string& filename) = 0;
    virtual bool getIDAndDisplayName(std::string& identifier, std::string& displayName) = 0;
    virtual bool changeCurrentUser(eUsertype userType) = 0;
    virtual bool clearMobileUserData() = 0;
    virtual bool getFilePathFromType(eFiletype fileType, std::string& filename) = 0;
    virtual bool getFilePathFromType(eFiletype fileType, std::string& filename,
                                     eUsertype userType) = 0;
    virtual bool getListOfFilesOfType(eFiletype fileType, std::list<std::string>* files) = 0;
    virtual bool getListOfFilesOfType(eFiletype fileType, std::list<std::string>* files,
                                      eUsertype userType) = 0;
    virtual std::string getFileTypeMetadata(eFiletype fileType) = 0;
    virtual int getFileTypeCountLimit(eFiletype fileType) = 0;
    virtual int getFileTypeNameLimit(eFiletype fileType) = 0;
    virtual void setPhoneBusyStatus(unsigned int busyStatus) = 0;
    virtual unsigned int retrievePhoneBusyStatus() = 0;
    virtual void clearPhoneBusyStatus(unsigned int busyStatus) = 0;
    virtual bool performFactoryReset(const std::string& password, bool reboot) = 0;
    virtual int verifyFactoryResetPassword(const std::string& password) = 0;
    virtual bool performReboot(const std::string& rebootReason) = 0;
    virtual bool setData(ManageableData& data) = 0;
    virtual bool getData(ManageableData& data) = 0;
    virtual bool getSchema(const std::string& schemaName, ManageableData& data) = 0;
    virtual int manageableDataChanged(ManageableData& data) = 0;
    virtual void registerManagementIdentity(const std::string& managementId,
                                            MgmtAgentIfc* agent) = 0;
    virtual void registerManagementIdentity(const std::string& managementId, MgmtAgentIfc* agent,
                                            bool bulkDataManageable) = 0;
    virtual bool observeManageableData(const std::string& nodeId, MgmtAgentIfc* agent) = 0;
    virtual bool observeManageableData(const std::string& nodeId, MgmtAgentIfc* agent,
                                       bool bulkDataManageable) = 0;
    virtual bool observeManageableData(const std::list<std::string>& rootIds,
                                       MgmtAgentIfc* agent) = 0;
    virtual bool stopObservingManageableData(const std::string& nodeId, MgmtAgentIfc* agent) = 0;
    virtual bool raiseGenericTrap(TrapDest dest, int trapNo) = 0;
    virtual bool raiseSpecificTrap(TrapDest dest, SNMPTrapData& data) = 0;
    virtual bool checkDataEditable(ManageableData& data, eAccessLevel accessLevel) = 0;
    virtual void setDataEditable(ManageableData& data, eEditableStatus editableStatus) = 0;
    virtual void invalidateTRVKCache() = 0;
    virtual bool clearAllUserData() = 0;
    virtual void clearSpecificUserData(eResetSpecificUserDataGroup group) = 0;
    virtual void factoryResetPreservingData() = 0;
    virtual void getUserDataSpaceInfo(MemoryInfo& info) = 0;
    virtual bool validateFile(eFiletype fileType, const std::string& filename) = 0;
    virtual bool deleteFile(eFiletype fileType, const std::string& filename) = 0;
    virtual void cleanupUserData(eFiletype fileType, eUsertype userType) = 0;
    virtual void refreshPictureClips() = 0;
    virtual bool getEnvironmentVariable(envVar variable, std::string& value) = 0;
    virtual std::string getPingOutput(const std::string& address) = 0;
    virtual std::string getTracerouteOutput(const std::string& address) = 0;
};
