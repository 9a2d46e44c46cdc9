// The rows. Each reads like the routine it describes: the member and its
// arguments, the remote method and its style, the values sent in order, the
// values read back in order, the pattern with its failure record, the trace.
#include "description/ServiceDescription.h"

#include <utility>

namespace mgmtdesc {

namespace {

constexpr Parameter::kinds INT = Parameter::INT, STRING = Parameter::STRING, BOOL = Parameter::BOOL;
constexpr Parameter::directions IN = Parameter::IN, OUT = Parameter::OUT, INOUT = Parameter::INOUT;
using T = ArgType;

// Arguments that many operations share.
const Argument fileType{"fileType", T::FileType}, filename{"filename", T::Text}, userType{"userType", T::UserType},
    displayProgress{"displayProgress", T::Bool}, certificateType{"certificateType", T::Certificate},
    observer{"observer", T::Observer}, agent{"agent", T::Agent}, nodeId{"nodeId", T::Text},
    bulkData{"bulkDataManageable", T::Bool}, schemaName{"schemaName", T::Text}, address{"address", T::Text},
    busyStatus{"busyStatus", T::Unsigned}, password{"password", T::Text},
    dataInOut{"data", T::Data, Use::InOut};
// Where an explicit download comes from, in argument order.
const Argument protocol{"protocol", T::Protocol}, port{"port", T::Text}, server{"server", T::Text},
    username{"username", T::Text}, sourcePath{"sourcePath", T::Text}, fileName{"fileName", T::Text};

Record error(const char* format) { return {format, 2}; }
Record timeout(const char* format) { return {format, 3}; }

class Row {
public:
    Row(Interface interface, const char* member, std::vector<Argument> arguments = {}) {
        op_.interface = interface;
        op_.member = member;
        op_.name = member;
        op_.arguments = std::move(arguments);
        op_.result = "void";
        op_.starting = nullptr;
        op_.timeout = 0;
    }

    // The name of an overload, which shares its member's.
    Row& named(const char* name) { return set(op_.name, name); }
    Row& returns(const char* type, const char* starting) {
        op_.result = type;
        return set(op_.starting, starting);
    }

    Row& oneWay(const char* remote) { return sends(remote, CallStyle::OneWay); }
    Row& oneWayWithChannel(const char* remote) { return sends(remote, CallStyle::OneWayWithChannel); }
    Row& sync(const char* remote) { return sends(remote, CallStyle::Sync); }
    Row& syncWithChannel(const char* remote) { return sends(remote, CallStyle::SyncWithChannel); }
    Row& syncWithTimeout(const char* remote, int milliseconds) {
        op_.timeout = milliseconds;
        return sends(remote, CallStyle::SyncWithTimeout);
    }

    Row& in(const char* name, Parameter::kinds kind, const char* from) { return add(name, kind, IN, from); }
    Row& inout(const char* name, Parameter::kinds kind, const char* from) { return add(name, kind, INOUT, from); }

    // Reply values, in reading order.
    Row& result(const char* name, Parameter::kinds kind, Parameter::directions direction = OUT) {
        return read({name, kind, direction, Role::Result});
    }
    Row& into(const char* argument, const char* name, Parameter::kinds kind, Parameter::directions direction) {
        return read({name, kind, direction, Role::Argument, argument});
    }
    Row& status() { return read({"Acknowledge", STRING, OUT, Role::Status}); }

    Row& pattern(Pattern pattern, Record failure = {}) {
        op_.pattern = pattern;
        return set(op_.failure, failure);
    }
    Row& trace(const char* text, int level = 5) { return set(op_.trace, Record{text, level}); }
    Row& trueOnceRead() { return set(op_.trueOnceRead, true); }
    Row& localShortcut() { return set(op_.localShortcut, true); }
    Row& emptiesFirst() {
        op_.reply.back().emptiesFirst = true;
        return *this;
    }

    operator Operation() const { return op_; }

private:
    template <class Field, class Value>
    Row& set(Field& field, Value value) {
        field = std::move(value);
        return *this;
    }
    Row& sends(const char* remote, CallStyle style) {
        op_.remote = remote;
        return set(op_.style, style);
    }
    Row& add(const char* name, Parameter::kinds kind, Parameter::directions direction, const char* from) {
        op_.request.push_back({name, kind, direction, from});
        return *this;
    }
    Row& read(Read value) {
        op_.reply.push_back(value);
        return *this;
    }

    Operation op_{};
};

Row local(const char* member, std::vector<Argument> arguments = {}) {
    return Row(Interface::LocalMgmt, member, std::move(arguments));
}

// clang-format off
std::vector<Operation> rows() {
    std::vector<Operation> all = {
        // Inherited from DxlDictionary.
        local("findSchemaName", {nodeId}).returns("string", "")
            .sync("findSchemaName").in("nodeId", STRING, "nodeId")
            .result("schemaName", STRING)
            .pattern(Pattern::E, error("findSchemaName: %s\n")).trace("findSchemaName").localShortcut(),
        local("exportSchema", {schemaName}).returns("string", "")
            .sync("exportSchema").in("schemaName", STRING, "schemaName")
            .result("schemaXml", STRING)
            .pattern(Pattern::E, error("findSchemaName: %s\n")).trace("exportSchema"),

        // LocalMgmtIfc's own, in interface order.
        local("startDownload", {fileType, displayProgress, certificateType}).returns("bool", "false")
            .sync("startDownloadWithFileType")
            .in("filetype", INT, "fileType").in("displayProgress", BOOL, "displayProgress")
            .in("certificateType", INT, "certificateType")
            .result("result", BOOL)
            .pattern(Pattern::E, error("startDownloadWithFileType: %s\n")).trace("startDownloadWithFileType"),
        local("startDownload", {fileType, observer, displayProgress, certificateType}).named("startDownloadWithObserver")
            .returns("bool", "false")
            .syncWithChannel("startDownloadWithFileTypeAndCallback")
            .in("filetype", INT, "fileType").in("displayProgress", BOOL, "displayProgress")
            .in("certificateType", INT, "certificateType")
            .result("result", BOOL)
            .pattern(Pattern::E, error("startDownloadWithFileTypeAndCallback: %s\n"))
            .trace("startDownloadWithFileTypeAndCallback"),
        local("startDownload", {protocol, port, server, username, password, fileType, sourcePath, fileName,
                                displayProgress, certificateType}).named("startDownloadFrom")
            .returns("bool", "false")
            .syncWithTimeout("startDownloadWithManyParams", 600000)
            .in("downloadProtocol", INT, "protocol").in("port", STRING, "port").in("server", STRING, "server")
            .in("username", STRING, "username").in("password", STRING, "password")
            .in("filetype", INT, "fileType").in("sourcepath", STRING, "sourcePath")
            .in("filename", STRING, "fileName").in("displayProgress", BOOL, "displayProgress")
            .in("certificateType", INT, "certificateType")
            .result("result", BOOL)
            .pattern(Pattern::E, error("startDownloadWithManyParams: %s\n")).trace("startDownloadWithManyParams"),
        local("startDownload", {protocol, port, server, username, password, fileType, sourcePath, fileName, observer,
                                {"overrideBusy", T::Bool}, {"version", T::Text}, displayProgress, certificateType})
            .named("startDownloadFromWithObserver").returns("bool", "false")
            .syncWithChannel("startDownloadWithManyParamsAndCallback")
            .in("downloadProtocol", INT, "protocol").in("port", STRING, "port").in("server", STRING, "server")
            .in("username", STRING, "username").in("password", STRING, "password")
            .in("filetype", INT, "fileType").in("sourcepath", STRING, "sourcePath")
            .in("filename", STRING, "fileName").in("overrideBusy", BOOL, "overrideBusy")
            .in("version", STRING, "version").in("displayProgress", BOOL, "displayProgress")
            .in("certificateType", INT, "certificateType")
            .result("result", BOOL)
            .pattern(Pattern::E, error("startDownloadWithManyParamsAndCallback: %s\n"))
            .trace("startDownloadWithManyParamsAndCallback"),
        local("upgradeSoftwareImageWithFile", {filename}).returns("int", "-1")
            .sync("upgradeSoftwareImageWithFile").in("filename", STRING, "filename")
            .result("result", INT)
            .pattern(Pattern::E, error("requestUpgradeSoftwareImageWithFile: %s\n"))
            .trace("upgradeSoftwareImageWithFile"),
        local("uploadUserFile", {fileType, filename}).returns("int", "-1")
            .sync("uploadUserFile").in("filetype", INT, "fileType").in("filename", STRING, "filename")
            .result("result", INT)
            .pattern(Pattern::E, error("uploadUserFile: %s\n")).trace("uploadUserFile"),
        local("requestCurrentDownloadStatus", {fileType, filename}).returns("int", "-1")
            .sync("requestCurrentDownloadStatus").in("filetype", INT, "fileType").in("filename", STRING, "filename")
            .result("result", INT)
            .pattern(Pattern::E, error("requestCurrentDownloadStatus: %s\n")).trace("requestCurrentDownloadStatus"),
        local("getIDAndDisplayName", {{"identifier", T::Text, Use::InOut}, {"displayName", T::Text, Use::InOut}})
            .returns("bool", "false")
            .sync("getIDAndDisplayName")
            .inout("identifier", STRING, "identifier").inout("displayname", STRING, "displayName")
            .result("result", BOOL).into("identifier", "identifier", STRING, INOUT)
            .into("displayName", "displayname", STRING, INOUT)
            .pattern(Pattern::D, timeout("getIDAndDisplayName: proxyReq->synchronousCall timeout.\n"))
            .trace("getIDAndDisplayName"),
        local("changeCurrentUser", {userType}).returns("bool", "false")
            .sync("changeCurrentUser").in("userType", STRING, "userType")
            .result("result", BOOL)
            .pattern(Pattern::D, timeout("changeCurrentUser: proxyReq->synchronousCall timeout.\n"))
            .trace("changeCurrentUser"),
        local("clearMobileUserData").returns("bool", "false")
            .sync("clearMobileUserData")
            .result("result", BOOL)
            .pattern(Pattern::D, timeout("clearMobileUserData: proxyReq->synchronousCall timeout.\n"))
            .trace("clearMobileUserData"),
        local("getFilePathFromType", {fileType, {"filename", T::Text, Use::InOut}}).returns("bool", "false")
            .sync("getFilePathFromType").inout("filename", STRING, "filename").in("filetype", STRING, "fileType")
            .result("result", BOOL).into("filename", "filename", STRING, INOUT)
            .pattern(Pattern::D, timeout("getFilePathFromType: proxyReq->synchronousCall timeout.\n")),
        local("getFilePathFromType", {fileType, {"filename", T::Text, Use::InOut}, userType})
            .named("getFilePathFromTypeForUser").returns("bool", "false")
            .sync("getFilePathFromTypeAndUser").inout("filename", STRING, "filename")
            .in("filetype", STRING, "fileType").in("userType", INT, "userType")
            .result("result", BOOL).into("filename", "filename", STRING, INOUT)
            .pattern(Pattern::D, timeout("getFilePathFromTypeAndUser: proxyReq->synchronousCall timeout")),
        local("getListOfFilesOfType", {fileType, {"files", T::List, Use::InOut}}).returns("bool", "false")
            .sync("getListOfFilesOfType").in("FileType", STRING, "fileType").inout("FileNames", STRING, "files")
            .into("files", "FileNames", STRING, INOUT)
            .pattern(Pattern::E, error("getListOfFilesOfType: %s\n")).trace("getListOfFilesOfType").trueOnceRead(),
        local("getListOfFilesOfType", {fileType, {"files", T::List, Use::InOut}, userType})
            .named("getListOfFilesOfTypeForUser").returns("bool", "false")
            .sync("getListOfFilesOfTypeAndUser").in("FileType", STRING, "fileType")
            .inout("FileNames", STRING, "files").in("userType", INT, "userType")
            .into("files", "FileNames", STRING, INOUT)
            .pattern(Pattern::E, error("getListOfFilesOfType: %s\n")).trace("getListOfFilesOfType for given user")
            .trueOnceRead(),
        local("getFileTypeMetadata", {fileType}).returns("string", "")
            .sync("getFileTypeMetadata").in("FileType", STRING, "fileType")
            .result("FileTypeMetadata", STRING)
            .pattern(Pattern::E, error("getFileTypeMetadata: %s\n")).trace("getFileTypeMetadata"),
        local("getFileTypeCountLimit", {fileType}).returns("int", "0")
            .sync("getFileTypeCountLimit").in("FileType", STRING, "fileType")
            .result("FileTypeCountLimit", INT)
            .pattern(Pattern::E, error("getFileTypeCountLimit: %s\n")).trace("getFileTypeCountLimit"),
        local("getFileTypeNameLimit", {fileType}).returns("int", "0")
            .sync("getFileTypeNameLimit").in("FileType", STRING, "fileType")
            .result("FileTypeNameLimit", INT)
            .pattern(Pattern::E, error("getFileTypeCountLimit: %s\n")).trace("getFileTypeNameLimit"),
        local("setPhoneBusyStatus", {busyStatus})
            .oneWay("setPhoneBusyStatus").in("busyStatus", INT, "busyStatus")
            .pattern(Pattern::A),
        local("retrievePhoneBusyStatus").returns("unsigned int", "0")
            .sync("retrievePhoneBusyStatus")
            .result("busyStatus", INT)
            .pattern(Pattern::C),
        local("clearPhoneBusyStatus", {busyStatus})
            .oneWay("clearPhoneBusyStatus").in("busyStatus", INT, "busyStatus")
            .pattern(Pattern::A),
        local("performFactoryReset", {password, {"reboot", T::Bool}}).returns("bool", "false")
            .syncWithTimeout("performFactoryReset", 60000)
            .inout("password", STRING, "password").inout("reboot", BOOL, "reboot")
            .result("result", BOOL)
            .pattern(Pattern::F, error("performFactoryReset: %s\n")),
        local("verifyFactoryResetPassword", {password}).returns("int", "7")
            .syncWithTimeout("verifyFactoryResetPassword", 60000).inout("password", STRING, "password")
            .result("result", INT)
            .pattern(Pattern::D, timeout("verifyFactoryResetPassword: proxyReq->synchronousCall timeout.\n")),
        local("performReboot", {{"rebootReason", T::Text}}).returns("bool", "false")
            .syncWithTimeout("performReboot", 60000).inout("rebootReason", STRING, "rebootReason")
            .result("result", BOOL)
            .pattern(Pattern::F, Record{"performReboot:%s\n", 0}),
        local("setData", {dataInOut}).returns("bool", "false")
            .sync("setData").inout("manageableData", STRING, "data")
            .result("result", BOOL).into("data", "manageableData", STRING, INOUT)
            .pattern(Pattern::E, error("setData: %s\n")).localShortcut(),
        local("getData", {dataInOut}).returns("bool", "false")
            .sync("getData").inout("manageableData", STRING, "data")
            .result("result", BOOL).into("data", "manageableData", STRING, INOUT)
            .pattern(Pattern::E, error("getData: %s\n")).trace("getData").localShortcut(),
        local("getSchema", {schemaName, {"data", T::Data, Use::Out}}).returns("bool", "false")
            .sync("getSchema").in("schemaName", STRING, "schemaName").inout("manageableData", STRING, nullptr)
            .result("result", BOOL).into("data", "manageableData", STRING, INOUT)
            .pattern(Pattern::E, error("findSchemaName: %s\n")).trace("getSchema"),
        local("manageableDataChanged", {dataInOut}).returns("int", "0")
            .sync("manageableDataChanged").inout("manageableData", STRING, "data")
            .into("data", "manageableData", STRING, INOUT).result("numObservers", INT)
            .pattern(Pattern::E, error("findSchemaName: %s\n")).trace("manageableDataChanged").localShortcut(),
        local("registerManagementIdentity", {{"managementId", T::Text}, agent})
            .oneWayWithChannel("registerManagementIdentity").in("managementId", STRING, "managementId")
            .pattern(Pattern::B).trace("registerManagementIdentity"),
        local("registerManagementIdentity", {{"managementId", T::Text}, agent, bulkData})
            .named("registerManagementIdentityBulk")
            .oneWayWithChannel("registerManagementIdentityBulkData").in("managementId", STRING, "managementId")
            .in("bulkDataManageable", BOOL, "bulkDataManageable")
            .pattern(Pattern::B).trace("registerManagementIdentity - with bulk data handling"),
        local("observeManageableData", {nodeId, agent}).returns("bool", "false")
            .syncWithChannel("observeData").in("nodeId", STRING, "nodeId")
            .result("result", BOOL)
            .pattern(Pattern::E, error("findSchemaName: %s\n")).trace("observeManageableData"),
        local("observeManageableData", {nodeId, agent, bulkData}).named("observeManageableDataBulk")
            .returns("bool", "false")
            .syncWithChannel("observeDataBulkData").in("nodeId", STRING, "nodeId")
            .in("bulkDataManageable", BOOL, "bulkDataManageable")
            .result("result", BOOL)
            .pattern(Pattern::E, error("findSchemaName: %s\n"))
            .trace("observeManageableData - with bulk data handling"),
        local("observeManageableData", {{"rootIds", T::List}, agent}).named("observeManageableDataList")
            .returns("bool", "false")
            .syncWithChannel("observeListDataBulkData").in("rootIds", STRING, "rootIds")
            .result("result", BOOL)
            .pattern(Pattern::E, error("findSchemaName: %s\n"))
            .trace("observeManageableData of a list of rootIDs - with implied bulk data handling"),
        local("stopObservingManageableData", {nodeId, agent}).returns("bool", "false")
            .syncWithChannel("stopObservingData").in("nodeId", STRING, "nodeId")
            .result("result", BOOL)
            .pattern(Pattern::E, error("findSchemaName: %s\n")).trace("stopObservingManageableData"),
        local("raiseGenericTrap", {{"dest", T::TrapDest}, {"trapNo", T::Int}}).returns("bool", "true")
            .oneWay("raiseGenericTrap").in("dest", INT, "dest").in("trapNo", INT, "trapNo")
            .pattern(Pattern::A).trace("raiseGenericTrap"),
        local("raiseSpecificTrap", {{"dest", T::TrapDest}, {"data", T::TrapData}}).returns("bool", "true")
            .oneWay("raiseSpecificTrap").in("dest", INT, "dest").in("SNMPTrapData", STRING, "data")
            .pattern(Pattern::A).trace("raiseSpecificTrap"),
        local("checkDataEditable", {dataInOut, {"accessLevel", T::AccessLevel}}).returns("bool", "false")
            .sync("checkDataEditable").inout("manageableData", STRING, "data").in("accessLevel", INT, "accessLevel")
            .result("result", BOOL).into("data", "manageableData", STRING, INOUT).emptiesFirst()
            .pattern(Pattern::C).trace("checkDataEditable"),
        local("setDataEditable", {{"data", T::Data}, {"editableStatus", T::Editable}})
            .oneWay("setDataEditable").inout("manageableData", STRING, "data")
            .in("editableStatus", INT, "editableStatus")
            .pattern(Pattern::A).trace("setDataEditable"),
        local("invalidateTRVKCache")
            .oneWay("invalidateTRVKCache")
            .pattern(Pattern::A),
        local("clearAllUserData").returns("bool", "false")
            .sync("clearAllUserData")
            .result("result", BOOL)
            .pattern(Pattern::D, timeout("clearAllUserData: proxyReq->synchronousCall timeout.\n")),
        local("clearSpecificUserData", {{"group", T::UserDataGroup}})
            .oneWay("clearSpecificUserData").in("specificGroup", INT, "group")
            .pattern(Pattern::A),
        local("factoryResetPreservingData")
            .oneWay("factoryResetPreservingData")
            .pattern(Pattern::A),
        local("getUserDataSpaceInfo", {{"info", T::Info, Use::Out}})
            .sync("getUserDataSpaceInfo")
            .status().into("info", "spaceinfo", STRING, OUT)
            .pattern(Pattern::D, timeout("getUserDataSpaceInfo: proxyReq->synchronousCall timeout.\n"))
            .trace("getUserDataSpaceInfo"),
        local("validateFile", {fileType, filename}).returns("bool", "false")
            .sync("validateFile").in("fileType", INT, "fileType").in("filename", STRING, "filename")
            .result("result", BOOL)
            .pattern(Pattern::D, timeout("validateFile: proxyReq->synchronousCall timeout.\n")),
        local("deleteFile", {fileType, filename}).returns("bool", "false")
            .sync("deleteFile").in("fileType", INT, "fileType").in("filename", STRING, "filename")
            .result("result", BOOL)
            .pattern(Pattern::D, timeout("deleteFile: proxyReq->synchronousCall timeout.\n")),
        local("cleanupUserData", {fileType, userType})
            .oneWay("cleanupUserData").in("filetype", STRING, "fileType").in("userType", INT, "userType")
            .pattern(Pattern::A).trace("cleanupUserData"),
        local("refreshPictureClips")
            .oneWay("refreshPictureClips")
            .pattern(Pattern::A),
        local("getEnvironmentVariable", {{"variable", T::EnvVar}, {"value", T::Text, Use::Out}})
            .returns("bool", "false")
            .sync("getEnvironmentVariable").in("VariableSelection", INT, "variable")
            .status().into("value", "Result", STRING, OUT)
            .pattern(Pattern::C).trueOnceRead(),
        local("getPingOutput", {address}).returns("string", "")
            .sync("getPingOutput").in("Address", STRING, "address")
            .result("Result", STRING)
            .pattern(Pattern::C),
        local("getTracerouteOutput", {address}).returns("string", "")
            .sync("getTracerouteOutput").in("Address", STRING, "address")
            .result("Result", STRING)
            .pattern(Pattern::C),

        // Members of the proxy class alone.
        Row(Interface::LocalMgmtProxy, "validateSNMPTrapPort", {{"port", T::Text}}).returns("bool", "false")
            .sync("validateSNMPTrapPort").in("strPort", STRING, "port")
            .result("result", BOOL)
            .pattern(Pattern::E, error("findSchemaName: %s\n")).trace("validateSNMPTrapPort"),
        Row(Interface::LocalMgmtProxy, "validateSNMPTrapIPAddress", {address}).returns("bool", "false")
            .sync("validateSNMPTrapIPAddress").in("verboseSink", STRING, "address")
            .result("result", BOOL)
            .pattern(Pattern::E, error("findSchemaName: %s\n")).trace("validateSNMPTrapIPAddress"),

        Row(Interface::ActionEventRequest, "addActionEventRequest", {{"type", T::EventType}})
            .oneWay("addActionEventRequest").in("type", INT, "type")
            .pattern(Pattern::A),
        Row(Interface::ActionEventRequest, "addActionEventRequestWithData", {{"type", T::EventType}, {"data", T::Text}})
            .oneWay("addActionEventRequestWithData").in("type", INT, "type").in("data", STRING, "data")
            .pattern(Pattern::A),

        Row(Interface::LocationDeliveryRequest, "sendLocationDeliveryRequest")
            .oneWay("sendLocationDeliveryRequest")
            .pattern(Pattern::A).trace("sendLocationDeliveryRequest", 6),
    };
    return all;
}
// clang-format on

}  // namespace

const Argument* Operation::argument(std::string_view wanted) const {
    for (const Argument& candidate : arguments)
        if (wanted == candidate.name) return &candidate;
    return nullptr;
}

const std::vector<Operation>& operations() {
    static const std::vector<Operation> all = rows();
    return all;
}

const Operation* findOperation(std::string_view name) {
    for (const Operation& operation : operations())
        if (name == operation.name) return &operation;
    return nullptr;
}

std::vector<const Operation*> operationsSending(std::string_view remote) {
    std::vector<const Operation*> found;
    for (const Operation& operation : operations())
        if (remote == operation.remote) found.push_back(&operation);
    return found;
}

const char* remoteMethodNamed(std::string_view name) {
    for (const Operation& operation : operations())
        if (name == operation.remote) return operation.remote;
    const Operation* operation = findOperation(name);
    return operation != nullptr ? operation->remote : nullptr;
}

}  // namespace mgmtdesc
