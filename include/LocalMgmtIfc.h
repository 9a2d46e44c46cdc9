/// \file
/// The local management service as client code sees it. The order of the
/// virtual operations below is the binary interface existing clients are
/// compiled against: never reorder, insert or remove one.
///
/// Every enumeration here is fixed to int: callers pass any int, named or not,
/// and each one has a defined meaning on the wire. The fixed type changes
/// neither size nor mangling.
#pragma once

#include <list>
#include <string>

#include "Framework.h"
#include "MgmtInterfaceExport.h"

/// Selects one environment variable of the device; travels as its integer value.
enum envVar : int {
    ENV_DEVICE_NAME = 0,       ///< the device's name
    ENV_MAC_ADDRESS = 1,       ///< its MAC address
    ENV_IP_ADDRESS = 2,        ///< its IP address
    ENV_SERIAL_NUMBER = 3,     ///< its serial number
    ENV_SOFTWARE_VERSION = 4,  ///< the software version it runs
    ENV_HARDWARE_MODEL = 5,    ///< its hardware model
};

/// The local management service: busy status, traps, reboot and factory reset,
/// user data, the file catalogue, downloads and uploads, manageable data and
/// schemas, agents and observation, diagnostics. Every operation is one remote
/// call; the \ref operations "operation reference" shows what each one sends
/// and reads. Clients get it by casting the `Proxy*` that createLocalMgmtProxy()
/// returns; findSchemaName() and exportSchema() come from the framework's
/// `DxlDictionary`.
class MGMT_INTERFACE LocalMgmtIfc : public DxlDictionary {
public:
    /// The kinds of user file. The service knows them by name (the wire names
    /// below); values without a name are sent as "swBind".
    enum eFiletype : int {
        FILETYPE_SWBIND = 1,    ///< "swBind"
        FILETYPE_MOH = 2,       ///< "moh"
        FILETYPE_IMAGES = 3,    ///< "images"
        FILETYPE_LOGO = 4,      ///< "logo"
        FILETYPE_MIDLETS = 5,   ///< "midlets"
        FILETYPE_LDAP = 6,      ///< "ldap"
        FILETYPE_TONE = 7,      ///< "tone"
        FILETYPE_SCREENSAVER = 9,///< "screensaver"
        FILETYPE_RINGER = 11,   ///< "ringer"
        FILETYPE_HPT = 12,      ///< "hpt"
        FILETYPE_HELP = 13,     ///< "help"
        FILETYPE_JAR = 15,      ///< "jar"
        FILETYPE_AGD = 16,      ///< "agd"
        FILETYPE_PHD = 18,      ///< "phd"
        FILETYPE_VRAUDIO = 19,  ///< "vraudio"
        FILETYPE_VRPAT = 20,    ///< "vrpat"
    };

    /// Kinds of user the telephone runs for, sent by their wire names below.
    /// 0 and 1 are deliberately unnamed: both mean the base user ("baseUser"),
    /// as does every value without a name.
    enum eUsertype : int {
        USER_VISITOR = 2,               ///< "visitorUser"
        USER_MIGRATE_TO_VISITOR = 3,    ///< "migrateToVisitorUser"
        USER_DEFAULT = 4,               ///< "defaultUser"
        USER_CLEAR_DATA_VISITOR = 5,    ///< "clearDataVisitorUser"
        USER_BASE_QEL = 6,              ///< "baseUserQel"
        USER_VISITOR_QEL = 7,           ///< "visitorUserQel"
        USER_CLEAR_DATA_VISITOR_QEL = 8,///< "ClearDataVisitorUserQel"
    };

    // The enumerations below belong to the service; the proxy forwards their
    // integer values without interpreting them.

    /// Where a trap goes.
    enum TrapDest : int {
        TRAP_DEST_ALL = 0,        ///< every trap destination
        TRAP_DEST_PRIMARY = 1,    ///< the primary destination
        TRAP_DEST_SECONDARY = 2,  ///< the secondary destination
    };

    /// A group of user data that clearSpecificUserData() clears.
    enum eResetSpecificUserDataGroup : int {
        RESET_CALL_LOGS = 0,    ///< the call logs
        RESET_CONTACTS = 1,     ///< the contacts
        RESET_PREFERENCES = 2,  ///< the preferences
        RESET_USER_FILES = 3,   ///< the user files
    };

    /// How an explicit download fetches its file.
    enum eDownloadProtocol : int {
        PROTOCOL_TFTP = 0,   ///< TFTP
        PROTOCOL_FTP = 1,    ///< FTP
        PROTOCOL_HTTP = 2,   ///< HTTP
        PROTOCOL_HTTPS = 3,  ///< HTTPS
    };

    /// Which certificate a download uses.
    enum eCertificateType : int {
        CERTIFICATE_NONE = 0,    ///< none
        CERTIFICATE_DEVICE = 1,  ///< the device's
        CERTIFICATE_SERVER = 2,  ///< the server's
    };

    /// Whose editing checkDataEditable() asks about.
    enum eAccessLevel : int {
        ACCESS_USER = 0,     ///< the user's
        ACCESS_ADMIN = 1,    ///< an administrator's
        ACCESS_SERVICE = 2,  ///< the service's
    };

    /// What setDataEditable() marks data as.
    enum eEditableStatus : int {
        EDITABLE_NO = 0,   ///< not editable
        EDITABLE_YES = 1,  ///< editable
    };

    /// Virtual, so a LocalMgmtProxy may be destroyed through its interface.
    virtual ~LocalMgmtIfc() = default;

    /// Asks the service to download the file of that type from where it is set up to fetch it. True
    /// when the service started the download; false when it did not or the call failed.
    /// On the wire: \ref op_startDownload.
    virtual bool startDownload(eFiletype fileType, bool displayProgress,
                               eCertificateType certificateType) = 0;
    /// Starts a download like the overload without an observer; the service reports to `observer`
    /// on its callback channel.
    /// On the wire: \ref op_startDownloadWithObserver.
    virtual bool startDownload(eFiletype fileType, Executable* observer, bool displayProgress,
                               eCertificateType certificateType) = 0;
    /// Downloads the file of that type from the server given here, with protocol, port, credentials
    /// and paths; waits up to ten minutes for the answer. True when the service started the
    /// download; false when it did not or the call failed.
    /// On the wire: \ref op_startDownloadFrom.
    virtual bool startDownload(eDownloadProtocol protocol, const std::string& port,
                               const std::string& server, const std::string& username,
                               const std::string& password, eFiletype fileType,
                               const std::string& sourcePath, const std::string& fileName,
                               bool displayProgress, eCertificateType certificateType) = 0;
    /// Downloads like the overload above, without a time-out of its own; the service reports to
    /// `observer` on its callback channel, and gets `overrideBusy` and `version` as given.
    /// On the wire: \ref op_startDownloadFromWithObserver.
    virtual bool startDownload(eDownloadProtocol protocol, const std::string& port,
                               const std::string& server, const std::string& username,
                               const std::string& password, eFiletype fileType,
                               const std::string& sourcePath, const std::string& fileName,
                               Executable* observer, bool overrideBusy, std::string version,
                               bool displayProgress, eCertificateType certificateType) = 0;
    /// Asks the service to upgrade the software image from `filename`. Returns the service's status
    /// code, -1 when the call failed.
    /// On the wire: \ref op_upgradeSoftwareImageWithFile.
    virtual int upgradeSoftwareImageWithFile(const std::string& filename) = 0;
    /// Asks the service to upload the user file `filename` of that type. Returns the service's
    /// status code, -1 when the call failed.
    /// On the wire: \ref op_uploadUserFile.
    virtual int uploadUserFile(eFiletype fileType, const std::string& filename) = 0;
    /// The status of the download of `filename` of that type, as the service's code; -1 when the
    /// call failed.
    /// On the wire: \ref op_requestCurrentDownloadStatus.
    virtual int requestCurrentDownloadStatus(eFiletype fileType, const std::string& filename) = 0;
    /// Fills in the device's identifier and display name; what they hold is sent too. True when the
    /// service says so; false when the call failed.
    /// On the wire: \ref op_getIDAndDisplayName.
    virtual bool getIDAndDisplayName(std::string& identifier, std::string& displayName) = 0;
    /// Switches the telephone to that kind of user, sent by its wire name. True when the service
    /// switched; false when it did not or the call failed.
    /// On the wire: \ref op_changeCurrentUser.
    virtual bool changeCurrentUser(eUsertype userType) = 0;
    /// Clears the mobile user's data. True when the service did; false when it did not or the call
    /// failed.
    /// On the wire: \ref op_clearMobileUserData.
    virtual bool clearMobileUserData() = 0;
    /// Asks where the file `filename` of that type lives: `filename` is sent and replaced by the
    /// service's answer. True when the service found it; when the call fails, `filename` keeps its
    /// value and the result is false.
    /// On the wire: \ref op_getFilePathFromType.
    virtual bool getFilePathFromType(eFiletype fileType, std::string& filename) = 0;
    /// As the overload above, for that kind of user.
    /// On the wire: \ref op_getFilePathFromTypeForUser.
    virtual bool getFilePathFromType(eFiletype fileType, std::string& filename,
                                     eUsertype userType) = 0;
    /// Replaces the content of `*files` with the names of the stored files of that type; the list
    /// is sent too, and `files` must not be null. True once the service answered with a list; false
    /// when it sent none or the call failed, and then the list keeps its content.
    /// On the wire: \ref op_getListOfFilesOfType.
    virtual bool getListOfFilesOfType(eFiletype fileType, std::list<std::string>* files) = 0;
    /// As the overload above, for that kind of user.
    /// On the wire: \ref op_getListOfFilesOfTypeForUser.
    virtual bool getListOfFilesOfType(eFiletype fileType, std::list<std::string>* files,
                                      eUsertype userType) = 0;
    /// The service's metadata for that file type, as text; empty when the call failed.
    /// On the wire: \ref op_getFileTypeMetadata.
    virtual std::string getFileTypeMetadata(eFiletype fileType) = 0;
    /// The service's limit on the number of files of that type; 0 when the call failed.
    /// On the wire: \ref op_getFileTypeCountLimit.
    virtual int getFileTypeCountLimit(eFiletype fileType) = 0;
    /// The service's name limit for files of that type; 0 when the call failed.
    /// On the wire: \ref op_getFileTypeNameLimit.
    virtual int getFileTypeNameLimit(eFiletype fileType) = 0;
    /// Sets the telephone's busy status `busyStatus`. One-way: nothing comes back, and a failed
    /// send throws CorvexException.
    /// On the wire: \ref op_setPhoneBusyStatus.
    virtual void setPhoneBusyStatus(unsigned int busyStatus) = 0;
    /// The telephone's busy status; 0 when the service sent none. A failed call throws
    /// CorvexException.
    /// On the wire: \ref op_retrievePhoneBusyStatus.
    virtual unsigned int retrievePhoneBusyStatus() = 0;
    /// Clears the telephone's busy status `busyStatus`. One-way, like setPhoneBusyStatus().
    /// On the wire: \ref op_clearPhoneBusyStatus.
    virtual void clearPhoneBusyStatus(unsigned int busyStatus) = 0;
    /// Asks the service for a factory reset, authorised by `password`, rebooting afterwards when
    /// `reboot` is true. Returns the service's answer; when the call fails the telephone reboots
    /// itself all the same and true is returned. The password is never logged.
    /// On the wire: \ref op_performFactoryReset.
    virtual bool performFactoryReset(const std::string& password, bool reboot) = 0;
    /// Asks the service whether `password` is the factory-reset password. Returns the service's
    /// code; 7 when the call failed or the service sent none.
    /// On the wire: \ref op_verifyFactoryResetPassword.
    virtual int verifyFactoryResetPassword(const std::string& password) = 0;
    /// Asks the service to reboot the telephone, giving `rebootReason`. Returns the service's
    /// answer; when the call fails the telephone reboots itself and true is returned.
    /// On the wire: \ref op_performReboot.
    virtual bool performReboot(const std::string& rebootReason) = 0;
    /// Writes the manageable data in `data` and refills `data` from the service's answer. True when
    /// the service accepted it; false when it did not or the call failed. An in-process service,
    /// when there is one, is called directly.
    /// On the wire: \ref op_setData.
    virtual bool setData(ManageableData& data) = 0;
    /// Reads the manageable data that `data` names and refills `data` from the answer. True when
    /// the service found it; false when it did not or the call failed. An in-process service, when
    /// there is one, is called directly.
    /// On the wire: \ref op_getData.
    virtual bool getData(ManageableData& data) = 0;
    /// Fills `data` with the schema called `schemaName`. True when the service found it; false when
    /// it did not or the call failed.
    /// On the wire: \ref op_getSchema.
    virtual bool getSchema(const std::string& schemaName, ManageableData& data) = 0;
    /// Tells the service that `data` changed, so that it calls its observers back; `data` is
    /// refilled from the answer. Returns the number of observers the service reports; 0 when the
    /// call failed. An in-process service, when there is one, is called directly.
    /// On the wire: \ref op_manageableDataChanged.
    virtual int manageableDataChanged(ManageableData& data) = 0;
    /// Registers `agent` under `managementId`; the service reaches the agent on its callback
    /// channel. One-way: nothing comes back, and a failed send throws CorvexException.
    /// On the wire: \ref op_registerManagementIdentity.
    virtual void registerManagementIdentity(const std::string& managementId,
                                            MgmtAgentIfc* agent) = 0;
    /// As the overload above, saying whether the agent handles data in bulk.
    /// On the wire: \ref op_registerManagementIdentityBulk.
    virtual void registerManagementIdentity(const std::string& managementId, MgmtAgentIfc* agent,
                                            bool bulkDataManageable) = 0;
    /// Has the service call `agent` back, on its callback channel, when the data at `nodeId`
    /// changes. True when the service agreed; false when it did not or the call failed.
    /// On the wire: \ref op_observeManageableData.
    virtual bool observeManageableData(const std::string& nodeId, MgmtAgentIfc* agent) = 0;
    /// As the overload above, in bulk when `bulkDataManageable` is true.
    /// On the wire: \ref op_observeManageableDataBulk.
    virtual bool observeManageableData(const std::string& nodeId, MgmtAgentIfc* agent,
                                       bool bulkDataManageable) = 0;
    /// As the overloads above, in bulk, for the data under every one of `rootIds`.
    /// On the wire: \ref op_observeManageableDataList.
    virtual bool observeManageableData(const std::list<std::string>& rootIds,
                                       MgmtAgentIfc* agent) = 0;
    /// Stops the calls back to `agent` for `nodeId`. True when the service agreed; false when it
    /// did not or the call failed.
    /// On the wire: \ref op_stopObservingManageableData.
    virtual bool stopObservingManageableData(const std::string& nodeId, MgmtAgentIfc* agent) = 0;
    /// Raises the generic SNMP trap `trapNo` towards `dest`. One-way: returns true once sent; a
    /// failed send throws CorvexException.
    /// On the wire: \ref op_raiseGenericTrap.
    virtual bool raiseGenericTrap(TrapDest dest, int trapNo) = 0;
    /// Raises the specific SNMP trap that `data` describes towards `dest`. One-way: returns true
    /// once sent; a failed send throws CorvexException.
    /// On the wire: \ref op_raiseSpecificTrap.
    virtual bool raiseSpecificTrap(TrapDest dest, SNMPTrapData& data) = 0;
    /// Asks whether `data` may be edited at `accessLevel`; `data` is emptied and refilled from the
    /// answer. A failed call throws CorvexException.
    /// On the wire: \ref op_checkDataEditable.
    virtual bool checkDataEditable(ManageableData& data, eAccessLevel accessLevel) = 0;
    /// Marks `data` editable or not; `data` itself is not changed. One-way: a failed send throws
    /// CorvexException.
    /// On the wire: \ref op_setDataEditable.
    virtual void setDataEditable(ManageableData& data, eEditableStatus editableStatus) = 0;
    /// Tells the service to drop its TRVK cache. One-way.
    /// On the wire: \ref op_invalidateTRVKCache.
    virtual void invalidateTRVKCache() = 0;
    /// Clears all user data. True when the service did; false when it did not or the call failed.
    /// On the wire: \ref op_clearAllUserData.
    virtual bool clearAllUserData() = 0;
    /// Clears one group of user data. One-way.
    /// On the wire: \ref op_clearSpecificUserData.
    virtual void clearSpecificUserData(eResetSpecificUserDataGroup group) = 0;
    /// Asks the service for a factory reset that preserves data. One-way.
    /// On the wire: \ref op_factoryResetPreservingData.
    virtual void factoryResetPreservingData() = 0;
    /// Fills `info` with the user data space figures when the service acknowledges; otherwise, and
    /// when the call fails, `info` is left as it was.
    /// On the wire: \ref op_getUserDataSpaceInfo.
    virtual void getUserDataSpaceInfo(MemoryInfo& info) = 0;
    /// Asks the service whether the stored file `filename` of that type is valid. False when it is
    /// not or the call failed.
    /// On the wire: \ref op_validateFile.
    virtual bool validateFile(eFiletype fileType, const std::string& filename) = 0;
    /// Deletes the stored file `filename` of that type. True when the service deleted it; false
    /// when it did not or the call failed.
    /// On the wire: \ref op_deleteFile.
    virtual bool deleteFile(eFiletype fileType, const std::string& filename) = 0;
    /// Cleans up the user files of that type for that kind of user. One-way.
    /// On the wire: \ref op_cleanupUserData.
    virtual void cleanupUserData(eFiletype fileType, eUsertype userType) = 0;
    /// Tells the service to refresh its picture clips. One-way.
    /// On the wire: \ref op_refreshPictureClips.
    virtual void refreshPictureClips() = 0;
    /// Reads one environment variable of the device into `value`. True when the service
    /// acknowledged, and `value` then holds its answer; otherwise false, with `value` untouched. A
    /// failed call throws CorvexException.
    /// On the wire: \ref op_getEnvironmentVariable.
    virtual bool getEnvironmentVariable(envVar variable, std::string& value) = 0;
    /// What a ping of `address`, run by the service, printed; empty when the service sent nothing.
    /// A failed call throws CorvexException.
    /// On the wire: \ref op_getPingOutput.
    virtual std::string getPingOutput(const std::string& address) = 0;
    /// What a traceroute to `address`, run by the service, printed; empty when the service sent
    /// nothing. A failed call throws CorvexException.
    /// On the wire: \ref op_getTracerouteOutput.
    virtual std::string getTracerouteOutput(const std::string& address) = 0;
};
