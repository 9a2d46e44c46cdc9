#include "OperationTable.h"

#include <ostream>

namespace reliability {

namespace {

using Ifc = LocalMgmtIfc;

// Passwords the table hands out; none of them may ever reach a log or stdout.
const char* const kFactoryResetPassword = "Fr-Secret-4417";
const char* const kVerifyPassword = "Vf-Secret-8823";
const char* const kDownloadPassword = "Dl-Secret-1290";
const char* const kDownloadCallbackPassword = "DlCb-Secret-5561";
const char* const kDataPassword = "Md-Secret-3307";
const char* const kDataAdminPassword = "Md-Secret-7719";

// CallerArgs::data as it travels: every value in clear, passwords included.
const std::string kDataSent = std::string("S:manageableData=ADMIN_PASSWORD=") + kDataAdminPassword +
                              ";ringVolume=7;sipPassword=" + kDataPassword;

// Reads that most synchronous operations share.
const Read kBoolResult{"result", Parameter::BOOL, Parameter::OUT, Target::Result};
const Read kIntResult{"result", Parameter::INT, Parameter::OUT, Target::Result};
const Read kDataBack{"manageableData", Parameter::STRING, Parameter::INOUT, Target::Data};

// How requests go out.
const Wire kOneWay{"one-way", 0, ""}, kOneWayToAgent{"one-way with channel", 0, "agent-chan"},
    kSync{"sync", 0, ""}, kSyncToAgent{"sync", 0, "agent-chan"}, kTimed{"sync with timeout", 60000, ""},
    kLongTimed{"sync with timeout", 600000, ""};

// Record timelines most operations share: an entry trace, a type converted to
// its wire name, or the agent's channel looked up before the send.
std::vector<std::string> traced(const std::string& trace) { return {"5 " + trace, "send"}; }
std::vector<std::string> converted(const std::string& trace, const char* conversion = "File") {
    return {"5 " + trace, std::string("5 convert") + conversion + "TypeEnumToString", "send"};
}
std::vector<std::string> resolved(const std::string& trace, std::string remote = "") {
    if (remote.empty()) remote = trace;
    return {"5 " + trace, "5 findCallBackChan", "5 " + remote + ": callback channel set: agent-chan", "send"};
}

FailureRecord error(const char* format) { return {format, 2, false}; }
FailureRecord timeout(const char* format) { return {format, 3, false}; }

// The rows of one interface, each marked with its name.
std::vector<Operation> section(const char* interfaceName, std::vector<Operation> rows) {
    for (Operation& row : rows) row.interfaceName = interfaceName;
    return rows;
}

std::vector<Operation> buildTable() {
    const Result none;
    const Result no = show(false);
    const Result empty = std::string();
    std::vector<Operation> table = section("LocalMgmtIfc", {
        // Inherited from DxlDictionary.
        {"findSchemaName", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.findSchemaName("node-1")); },
         {"findSchemaName", {"s:nodeId=node-1"}, kSync, traced("findSchemaName")}, empty,
         {{"schemaName", Parameter::STRING, Parameter::OUT, Target::Result}},
         error("findSchemaName: %s\n"), kLocalService},
        {"exportSchema", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.exportSchema("phone-schema")); },
         {"exportSchema", {"s:schemaName=phone-schema"}, kSync, traced("exportSchema")}, empty,
         {{"schemaXml", Parameter::STRING, Parameter::OUT, Target::Result}},
         error("findSchemaName: %s\n")},

        // LocalMgmtIfc's own operations, in interface order.
        {"startDownload", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.startDownload(Ifc::FILETYPE_RINGER, true, Ifc::CERTIFICATE_DEVICE));
         },
         {"startDownloadWithFileType", {"i:filetype=11", "b:displayProgress=1", "i:certificateType=1"}, kSync,
          traced("startDownloadWithFileType")},
         no, {kBoolResult}, error("startDownloadWithFileType: %s\n")},
        {"startDownloadWithObserver", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.startDownload(Ifc::FILETYPE_RINGER, p.handedObserver, true,
                                               Ifc::CERTIFICATE_DEVICE));
         },
         {"startDownloadWithFileTypeAndCallback", {"i:filetype=11", "b:displayProgress=1",
          "i:certificateType=1"}, kSyncToAgent, resolved("startDownloadWithFileTypeAndCallback")},
         no, {kBoolResult}, error("startDownloadWithFileTypeAndCallback: %s\n"), kObserver},
        {"startDownloadFrom", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.startDownload(Ifc::PROTOCOL_HTTPS, "8443", "files.local", "operator",
                                               kDownloadPassword, Ifc::FILETYPE_RINGER, "/ringers",
                                               "bell.wav", true, Ifc::CERTIFICATE_SERVER));
         },
         {"startDownloadWithManyParams", {"i:downloadProtocol=3", "s:port=8443", "s:server=files.local",
          "s:username=operator", std::string("s:password=") + kDownloadPassword, "i:filetype=11",
          "s:sourcepath=/ringers", "s:filename=bell.wav", "b:displayProgress=1", "i:certificateType=2"},
          kLongTimed, traced("startDownloadWithManyParams")},
         no, {kBoolResult}, error("startDownloadWithManyParams: %s\n")},
        {"startDownloadFromWithObserver", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.startDownload(Ifc::PROTOCOL_FTP, "2121", "files.local", "operator",
                                               kDownloadCallbackPassword, Ifc::FILETYPE_HELP, "/help",
                                               "manual.txt", p.handedObserver, true, "2.1", false,
                                               Ifc::CERTIFICATE_SERVER));
         },
         {"startDownloadWithManyParamsAndCallback", {"i:downloadProtocol=1", "s:port=2121",
          "s:server=files.local", "s:username=operator",
          std::string("s:password=") + kDownloadCallbackPassword, "i:filetype=13", "s:sourcepath=/help",
          "s:filename=manual.txt", "b:overrideBusy=1", "s:version=2.1", "b:displayProgress=0",
          "i:certificateType=2"}, kSyncToAgent, resolved("startDownloadWithManyParamsAndCallback")},
         no, {kBoolResult}, error("startDownloadWithManyParamsAndCallback: %s\n"), kObserver},
        {"upgradeSoftwareImageWithFile", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.upgradeSoftwareImageWithFile("image.bin")); },
         {"upgradeSoftwareImageWithFile", {"s:filename=image.bin"}, kSync,
          traced("upgradeSoftwareImageWithFile")},
         show(-1), {kIntResult}, error("requestUpgradeSoftwareImageWithFile: %s\n")},
        {"uploadUserFile", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.uploadUserFile(Ifc::FILETYPE_LOGO, "logo.png")); },
         {"uploadUserFile", {"i:filetype=4", "s:filename=logo.png"}, kSync, traced("uploadUserFile")},
         show(-1), {kIntResult}, error("uploadUserFile: %s\n")},
        {"requestCurrentDownloadStatus", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.requestCurrentDownloadStatus(Ifc::FILETYPE_RINGER, "bell.wav"));
         },
         {"requestCurrentDownloadStatus", {"i:filetype=11", "s:filename=bell.wav"}, kSync,
          traced("requestCurrentDownloadStatus")},
         show(-1), {kIntResult}, error("requestCurrentDownloadStatus: %s\n")},
        {"getIDAndDisplayName", Pattern::D,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getIDAndDisplayName(a.identifier,
          a.displayName)); },
         {"getIDAndDisplayName", {"S:identifier=caller-identifier", "S:displayname=caller-display-name"},
          kSync, traced("getIDAndDisplayName")},
         no,
         {kBoolResult,
          {"identifier", Parameter::STRING, Parameter::INOUT, Target::Identifier},
          {"displayname", Parameter::STRING, Parameter::INOUT, Target::DisplayName}},
         timeout("getIDAndDisplayName: proxyReq->synchronousCall timeout.\n")},
        {"changeCurrentUser", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.changeCurrentUser(Ifc::USER_VISITOR)); },
         {"changeCurrentUser", {"s:userType=visitorUser"}, kSync, converted("changeCurrentUser", "User")}, no,
         {kBoolResult}, timeout("changeCurrentUser: proxyReq->synchronousCall timeout.\n")},
        {"clearMobileUserData", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.clearMobileUserData()); },
         {"clearMobileUserData", {}, kSync, traced("clearMobileUserData")}, no, {kBoolResult},
         timeout("clearMobileUserData: proxyReq->synchronousCall timeout.\n")},
        {"getFilePathFromType", Pattern::D,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getFilePathFromType(Ifc::FILETYPE_RINGER,
          a.filename)); },
         {"getFilePathFromType", {"S:filename=caller/bell.wav", "s:filetype=ringer"}, kSync,
          {"5 convertFileTypeEnumToString", "send", "4 getFilePathFromType[11][caller/bell.wav][false]"}},
         no, {kBoolResult, {"filename", Parameter::STRING, Parameter::INOUT, Target::Filename}},
         timeout("getFilePathFromType: proxyReq->synchronousCall timeout.\n")},
        {"getFilePathFromTypeForUser", Pattern::D,
         [](Proxies& p, CallerArgs& a) {
             return show(p.local.getFilePathFromType(Ifc::FILETYPE_RINGER, a.filename, Ifc::USER_DEFAULT));
         },
         {"getFilePathFromTypeAndUser", {"S:filename=caller/bell.wav", "s:filetype=ringer", "i:userType=4"},
          kSync, {"5 convertFileTypeEnumToString", "send",
          "4 getFilePathFromType for user[11][caller/bell.wav][4][false]"}},
         no, {kBoolResult, {"filename", Parameter::STRING, Parameter::INOUT, Target::Filename}},
         timeout("getFilePathFromTypeAndUser: proxyReq->synchronousCall timeout")},
        {"getListOfFilesOfType", Pattern::E,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getListOfFilesOfType(Ifc::FILETYPE_RINGER,
          &a.files)); },
         {"getListOfFilesOfType", {"s:FileType=ringer", "S:FileNames=[caller-1.wav,caller-2.wav]"}, kSync,
          converted("getListOfFilesOfType")},
         no, {{"FileNames", Parameter::STRING, Parameter::INOUT, Target::Files}},
         error("getListOfFilesOfType: %s\n"), kTrueOnceAllRead},
        {"getListOfFilesOfTypeForUser", Pattern::E,
         [](Proxies& p, CallerArgs& a) {
             return show(p.local.getListOfFilesOfType(Ifc::FILETYPE_TONE, &a.files, Ifc::USER_VISITOR_QEL));
         },
         {"getListOfFilesOfTypeAndUser", {"s:FileType=tone", "S:FileNames=[caller-1.wav,caller-2.wav]",
          "i:userType=7"}, kSync, converted("getListOfFilesOfType for given user")},
         no, {{"FileNames", Parameter::STRING, Parameter::INOUT, Target::Files}},
         error("getListOfFilesOfType: %s\n"), kTrueOnceAllRead},
        {"getFileTypeMetadata", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.getFileTypeMetadata(Ifc::FILETYPE_IMAGES)); },
         {"getFileTypeMetadata", {"s:FileType=images"}, kSync, converted("getFileTypeMetadata")}, empty,
         {{"FileTypeMetadata", Parameter::STRING, Parameter::OUT, Target::Result}},
         error("getFileTypeMetadata: %s\n")},
        {"getFileTypeCountLimit", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.getFileTypeCountLimit(Ifc::FILETYPE_IMAGES)); },
         {"getFileTypeCountLimit", {"s:FileType=images"}, kSync, converted("getFileTypeCountLimit")},
         show(0), {{"FileTypeCountLimit", Parameter::INT, Parameter::OUT, Target::Result}},
         error("getFileTypeCountLimit: %s\n")},
        {"getFileTypeNameLimit", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.getFileTypeNameLimit(Ifc::FILETYPE_IMAGES)); },
         {"getFileTypeNameLimit", {"s:FileType=images"}, kSync, converted("getFileTypeNameLimit")},
         show(0), {{"FileTypeNameLimit", Parameter::INT, Parameter::OUT, Target::Result}},
         error("getFileTypeCountLimit: %s\n")},
        {"setPhoneBusyStatus", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.setPhoneBusyStatus(3); return Result(); },
         {"setPhoneBusyStatus", {"i:busyStatus=3"}, kOneWay}, none},
        {"retrievePhoneBusyStatus", Pattern::C,
         [](Proxies& p, CallerArgs&) { return show(p.local.retrievePhoneBusyStatus()); },
         {"retrievePhoneBusyStatus", {}, kSync}, show(0u),
         {{"busyStatus", Parameter::INT, Parameter::OUT, Target::Result}}},
        {"clearPhoneBusyStatus", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.clearPhoneBusyStatus(3); return Result(); },
         {"clearPhoneBusyStatus", {"i:busyStatus=3"}, kOneWay}, none},
        {"performFactoryReset", Pattern::F,
         [](Proxies& p, CallerArgs&) { return show(p.local.performFactoryReset(kFactoryResetPassword,
          false)); },
         {"performFactoryReset", {std::string("S:password=") + kFactoryResetPassword, "B:reboot=0"}, kTimed},
         no, {kBoolResult}, error("performFactoryReset: %s\n")},
        {"verifyFactoryResetPassword", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.verifyFactoryResetPassword(kVerifyPassword)); },
         {"verifyFactoryResetPassword", {std::string("S:password=") + kVerifyPassword}, kTimed},
         show(7), {kIntResult}, timeout("verifyFactoryResetPassword: proxyReq->synchronousCall timeout.\n")},
        {"performReboot", Pattern::F,
         [](Proxies& p, CallerArgs&) { return show(p.local.performReboot("maintenance window")); },
         {"performReboot", {"S:rebootReason=maintenance window"}, kTimed}, no,
         {kBoolResult}, {"performReboot:%s\n", 0, true}},
        {"setData", Pattern::E,
         [](Proxies& p, CallerArgs& a) { return show(p.local.setData(a.data)); },
         {"setData", {kDataSent}, kSync,
          traced("Proxy - setData - sent = ADMIN_PASSWORD=********;ringVolume=7;sipPassword=********\n")}, no,
          {kBoolResult, kDataBack},
         error("setData: %s\n"), kLocalService},
        {"getData", Pattern::E,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getData(a.data)); },
         {"getData", {kDataSent}, kSync, traced("getData")}, no, {kBoolResult, kDataBack},
         error("getData: %s\n"), kLocalService},
        {"getSchema", Pattern::E,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getSchema("phone-schema", a.data)); },
         {"getSchema", {"s:schemaName=phone-schema", "S:manageableData="}, kSync, traced("getSchema")}, no,
         {kBoolResult, kDataBack}, error("findSchemaName: %s\n")},
        {"manageableDataChanged", Pattern::E,
         [](Proxies& p, CallerArgs& a) { return show(p.local.manageableDataChanged(a.data)); },
         {"manageableDataChanged", {kDataSent}, kSync, traced("manageableDataChanged")}, show(0),
         {kDataBack, {"numObservers", Parameter::INT, Parameter::OUT, Target::Result}},
         error("findSchemaName: %s\n"), kLocalService},
        {"registerManagementIdentity", Pattern::B,
         [](Proxies& p, CallerArgs&) { p.local.registerManagementIdentity("agent-7",
          p.handedAgent); return Result(); },
         {"registerManagementIdentity", {"s:managementId=agent-7"}, kOneWayToAgent,
          resolved("registerManagementIdentity")},
         none, {}, {}, kObserver},
        {"registerManagementIdentityBulk", Pattern::B,
         [](Proxies& p, CallerArgs&) {
             p.local.registerManagementIdentity("agent-7", p.handedAgent, true);
             return Result();
         },
         {"registerManagementIdentityBulkData", {"s:managementId=agent-7", "b:bulkDataManageable=1"},
          kOneWayToAgent, resolved("registerManagementIdentity - with bulk data handling",
          "registerManagementIdentityBulkData")},
         none, {}, {}, kObserver},
        {"observeManageableData", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.observeManageableData("node-1", p.handedAgent)); },
         {"observeData", {"s:nodeId=node-1"}, kSyncToAgent, resolved("observeManageableData", "observeData")},
          no,
         {kBoolResult}, error("findSchemaName: %s\n"), kObserver},
        {"observeManageableDataBulk", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.observeManageableData("node-1", p.handedAgent,
          true)); },
         {"observeDataBulkData", {"s:nodeId=node-1", "b:bulkDataManageable=1"}, kSyncToAgent,
          resolved("observeManageableData - with bulk data handling", "observeDataBulkData")},
         no, {kBoolResult}, error("findSchemaName: %s\n"), kObserver},
        {"observeManageableDataList", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.observeManageableData(std::list<std::string>{"root-1", "root-2"},
              p.handedAgent));
         },
         {"observeListDataBulkData", {"s:rootIds=[root-1,root-2]"}, kSyncToAgent,
          resolved("observeManageableData of a list of rootIDs - with implied bulk data handling",
          "observeListDataBulkData")},
         no, {kBoolResult}, error("findSchemaName: %s\n"), kObserver},
        {"stopObservingManageableData", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.stopObservingManageableData("node-1",
          p.handedAgent)); },
         {"stopObservingData", {"s:nodeId=node-1"}, kSyncToAgent, resolved("stopObservingManageableData",
          "stopObservingData")},
         no, {kBoolResult}, error("findSchemaName: %s\n"), kObserver},
        {"raiseGenericTrap", Pattern::A,
         [](Proxies& p, CallerArgs&) { return show(p.local.raiseGenericTrap(Ifc::TRAP_DEST_PRIMARY, 6)); },
         {"raiseGenericTrap", {"i:dest=1", "i:trapNo=6"}, kOneWay, traced("raiseGenericTrap")},
         show(true)},
        {"raiseSpecificTrap", Pattern::A,
         [](Proxies& p, CallerArgs&) {
             SNMPTrapData trap;
             trap.setValue("oid", "1.3.6.1.4.1.9999.1");
             trap.setValue("text", "a=b;c");  // separators inside a value travel escaped
             return show(p.local.raiseSpecificTrap(Ifc::TRAP_DEST_ALL, trap));
         },
         {"raiseSpecificTrap", {"i:dest=0", "s:SNMPTrapData=oid=1.3.6.1.4.1.9999.1;text=a\\=b\\;c"}, kOneWay,
          traced("raiseSpecificTrap")},
         show(true)},
        {"checkDataEditable", Pattern::C,
         [](Proxies& p, CallerArgs& a) { return show(p.local.checkDataEditable(a.data, Ifc::ACCESS_ADMIN)); },
         {"checkDataEditable", {kDataSent, "i:accessLevel=1"}, kSync, traced("checkDataEditable")}, no,
         {kBoolResult, {"manageableData", Parameter::STRING, Parameter::INOUT, Target::Data, true}}},
        {"setDataEditable", Pattern::A,
         [](Proxies& p, CallerArgs& a) { p.local.setDataEditable(a.data,
          Ifc::EDITABLE_YES); return Result(); },
         {"setDataEditable", {kDataSent, "i:editableStatus=1"}, kOneWay, traced("setDataEditable")},
         none},
        {"invalidateTRVKCache", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.invalidateTRVKCache(); return Result(); },
         {"invalidateTRVKCache", {}, kOneWay}, none},
        {"clearAllUserData", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.clearAllUserData()); },
         {"clearAllUserData", {}, kSync}, no, {kBoolResult},
         timeout("clearAllUserData: proxyReq->synchronousCall timeout.\n")},
        {"clearSpecificUserData", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.clearSpecificUserData(Ifc::RESET_CONTACTS); return Result(); },
         {"clearSpecificUserData", {"i:specificGroup=1"}, kOneWay},
         none},
        {"factoryResetPreservingData", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.factoryResetPreservingData(); return Result(); },
         {"factoryResetPreservingData", {}, kOneWay}, none},
        {"getUserDataSpaceInfo", Pattern::D,
         [](Proxies& p, CallerArgs& a) { p.local.getUserDataSpaceInfo(a.info); return Result(); },
         {"getUserDataSpaceInfo", {}, kSync, traced("getUserDataSpaceInfo")}, none,
         {{"Acknowledge", Parameter::STRING, Parameter::OUT, Target::Acknowledge},
          {"spaceinfo", Parameter::STRING, Parameter::OUT, Target::Info}},
         timeout("getUserDataSpaceInfo: proxyReq->synchronousCall timeout.\n")},
        {"validateFile", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.validateFile(Ifc::FILETYPE_JAR, "game.jar")); },
         {"validateFile", {"i:fileType=15", "s:filename=game.jar"}, kSync}, no,
         {kBoolResult}, timeout("validateFile: proxyReq->synchronousCall timeout.\n")},
        {"deleteFile", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.deleteFile(Ifc::FILETYPE_JAR, "game.jar")); },
         {"deleteFile", {"i:fileType=15", "s:filename=game.jar"}, kSync}, no,
         {kBoolResult}, timeout("deleteFile: proxyReq->synchronousCall timeout.\n")},
        {"cleanupUserData", Pattern::A,
         [](Proxies& p, CallerArgs&) {
             p.local.cleanupUserData(Ifc::FILETYPE_IMAGES, Ifc::USER_DEFAULT);
             return Result();
         },
         {"cleanupUserData", {"s:filetype=images", "i:userType=4"}, kOneWay, converted("cleanupUserData")},
         none},
        {"refreshPictureClips", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.refreshPictureClips(); return Result(); },
         {"refreshPictureClips", {}, kOneWay}, none},
        {"getEnvironmentVariable", Pattern::C,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getEnvironmentVariable(ENV_SERIAL_NUMBER,
          a.value)); },
         {"getEnvironmentVariable", {"i:VariableSelection=3"}, kSync},
         no,
         {{"Acknowledge", Parameter::STRING, Parameter::OUT, Target::Acknowledge},
          {"Result", Parameter::STRING, Parameter::OUT, Target::Value}},
         {}, kTrueOnceAllRead},
        {"getPingOutput", Pattern::C,
         [](Proxies& p, CallerArgs&) { return show(p.local.getPingOutput("gateway.local")); },
         {"getPingOutput", {"s:Address=gateway.local"}, kSync}, empty,
         {{"Result", Parameter::STRING, Parameter::OUT, Target::Result}}},
        {"getTracerouteOutput", Pattern::C,
         [](Proxies& p, CallerArgs&) { return show(p.local.getTracerouteOutput("gateway.local")); },
         {"getTracerouteOutput", {"s:Address=gateway.local"}, kSync}, empty,
         {{"Result", Parameter::STRING, Parameter::OUT, Target::Result}}},
    });
    // Members of the proxy class only.
    const auto proxyOnly = section("LocalMgmtProxy", {
        {"validateSNMPTrapPort", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.validateSNMPTrapPort("162")); },
         {"validateSNMPTrapPort", {"s:strPort=162"}, kSync, traced("validateSNMPTrapPort")}, no,
          {kBoolResult},
         error("findSchemaName: %s\n")},
        {"validateSNMPTrapIPAddress", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.validateSNMPTrapIPAddress("trap-sink.local")); },
         {"validateSNMPTrapIPAddress", {"s:verboseSink=trap-sink.local"}, kSync,
          traced("validateSNMPTrapIPAddress")}, no,
         {kBoolResult}, error("findSchemaName: %s\n")},
    });
    const auto actionEvents = section("ActionEventRequestIfc", {
        {"addActionEventRequest", Pattern::A,
         [](Proxies& p, CallerArgs&) {
             p.actions.addActionEventRequest(ActionEventRequestIfc::EVENT_KEY_PRESS);
             return Result();
         },
         {"addActionEventRequest", {"i:type=1"}, kOneWay},
         none},
        {"addActionEventRequestWithData", Pattern::A,
         [](Proxies& p, CallerArgs&) {
             p.actions.addActionEventRequestWithData(ActionEventRequestIfc::EVENT_CONFIG_CHANGED, "volume=5");
             return Result();
         },
         {"addActionEventRequestWithData", {"i:type=3", "s:data=volume=5"}, kOneWay},
         none},
    });
    const auto location = section("LocationDeliveryRequestIfc", {
        {"sendLocationDeliveryRequest", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.location.sendLocationDeliveryRequest(); return Result(); },
         {"sendLocationDeliveryRequest", {}, kOneWay, {"6 sendLocationDeliveryRequest", "send"}},
          none},
    });
    for (const auto* rows : {&proxyOnly, &actionEvents, &location})
        table.insert(table.end(), rows->begin(), rows->end());
    return table;
}

}  // namespace

const char* nameOf(Pattern pattern) {
    static const char* const names[] = {"A", "B", "C", "D", "E", "F"};
    return names[static_cast<int>(pattern)];
}

CallerArgs::CallerArgs()
    : identifier("caller-identifier"),
      displayName("caller-display-name"),
      filename("caller/bell.wav"),
      value("caller-value"),
      files{"caller-1.wav", "caller-2.wav"} {
    data.setValue("ringVolume", "7");
    data.setValue("sipPassword", kDataPassword);
    data.setValue("ADMIN_PASSWORD", kDataAdminPassword);
    info.setValue("free", "1");
}

bool CallerArgs::operator==(const CallerArgs& other) const {
    return identifier == other.identifier && displayName == other.displayName &&
           filename == other.filename && value == other.value && files == other.files &&
           data == other.data && info == other.info;
}

std::ostream& operator<<(std::ostream& out, const CallerArgs& args) {
    out << "{identifier=\"" << args.identifier << "\" displayName=\"" << args.displayName
        << "\" filename=\"" << args.filename << "\" value=\"" << args.value << "\" files=[";
    for (const std::string& file : args.files) out << '"' << file << "\" ";
    ManageableData data = args.data;
    return out << "] data=\"" << data.serialize(ManageableData::KEY_VALUE_TEXT) << "\" info=\""
               << args.info.serialize() << "\"}";
}

Proxies::Proxies(ProxyRequest& channel) {
    local.initProxy(channel);
    actions.initProxy(channel);
    location.initProxy(channel);
}

const Read* Operation::dataRead() const {
    for (const Read& read : reads)
        if (isObject(read.target)) return &read;
    return nullptr;
}

const std::vector<Operation>& operations() {
    static const std::vector<Operation> table = buildTable();
    return table;
}

const std::vector<std::string>& secrets() {
    static const std::vector<std::string> all = {kFactoryResetPassword, kVerifyPassword,
                                                 kDownloadPassword,     kDownloadCallbackPassword,
                                                 kDataPassword,         kDataAdminPassword};
    return all;
}

int scriptedInt() { return 42; }

bool isObject(Target target) {
    return target == Target::Files || target == Target::Data || target == Target::Info;
}

std::string validText(Target target) {
    switch (target) {
        case Target::Files: return "[reply-a.wav,reply-b.wav]";
        case Target::Data: return "answer=42;source=reply";
        case Target::Info: return "free=10;total=20";
        default: return std::string();
    }
}

std::string malformedText(Target target) {
    switch (target) {
        case Target::Files: return "[unterminated";
        case Target::Data: return "entry-without-equals";
        case Target::Info: return "free=10;broken";
        default: return std::string();
    }
}

std::string scriptedString(const Read& read) {
    if (read.target == Target::Acknowledge) return "SUCCESS";
    if (isObject(read.target)) return validText(read.target);
    return std::string("reply:") + read.name;
}

void applyScripted(const Read& read, CallerArgs& args, Result& result) {
    std::string text = scriptedString(read);
    switch (read.target) {
        case Target::Result:
            if (read.kind == Parameter::INT)
                result = show(scriptedInt());
            else if (read.kind == Parameter::BOOL)
                result = show(true);
            else
                result = text;
            break;
        case Target::Acknowledge: break;
        case Target::Identifier: args.identifier = text; break;
        case Target::DisplayName: args.displayName = text; break;
        case Target::Filename: args.filename = text; break;
        case Target::Value: args.value = text; break;
        case Target::Files: Serializer::deserialize(text, args.files); break;
        case Target::Data: args.data.deserialize(text); break;
        case Target::Info: args.info.deserialize(text); break;
    }
}

std::string show(bool value) { return value ? "true" : "false"; }
std::string show(int value) { return std::to_string(value); }
std::string show(unsigned value) { return std::to_string(value); }
std::string show(const std::string& value) { return value; }

}  // namespace reliability
