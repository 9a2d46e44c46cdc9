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

// Reads that most synchronous operations share.
const Read kBoolResult{"result", Parameter::BOOL, Parameter::OUT, Target::Result};
const Read kIntResult{"result", Parameter::INT, Parameter::OUT, Target::Result};
const Read kDataBack{"manageableData", Parameter::STRING, Parameter::INOUT, Target::Data};

FailureRecord error(const char* format) { return {format, 2, false}; }
FailureRecord timeout(const char* format) { return {format, 3, false}; }

std::vector<Operation> buildTable() {
    const Result none;
    const Result no = show(false);
    const Result empty = std::string();
    return {
        // LocalMgmtIfc, inherited from DxlDictionary.
        {"findSchemaName", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.findSchemaName("node-1")); }, empty,
         {{"schemaName", Parameter::STRING, Parameter::OUT, Target::Result}},
         error("findSchemaName: %s\n"), kLocalService},
        {"exportSchema", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.exportSchema("phone-schema")); }, empty,
         {{"schemaXml", Parameter::STRING, Parameter::OUT, Target::Result}},
         error("findSchemaName: %s\n")},

        // LocalMgmtIfc's own operations, in interface order.
        {"startDownload(fileType)", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.startDownload(Ifc::FILETYPE_RINGER, true, Ifc::CERTIFICATE_DEVICE));
         },
         no, {kBoolResult}, error("startDownloadWithFileType: %s\n")},
        {"startDownload(fileType, observer)", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.startDownload(Ifc::FILETYPE_RINGER, &p.agent, true,
                                               Ifc::CERTIFICATE_DEVICE));
         },
         no, {kBoolResult}, error("startDownloadWithFileTypeAndCallback: %s\n"), kObserver},
        {"startDownload(server, credentials)", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.startDownload(Ifc::PROTOCOL_HTTPS, "8443", "files.local", "operator",
                                               kDownloadPassword, Ifc::FILETYPE_RINGER, "/ringers",
                                               "bell.wav", true, Ifc::CERTIFICATE_SERVER));
         },
         no, {kBoolResult}, error("startDownloadWithManyParams: %s\n")},
        {"startDownload(server, credentials, observer)", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.startDownload(Ifc::PROTOCOL_FTP, "2121", "files.local", "operator",
                                               kDownloadCallbackPassword, Ifc::FILETYPE_HELP, "/help",
                                               "manual.txt", &p.agent, true, "2.1", false,
                                               Ifc::CERTIFICATE_SERVER));
         },
         no, {kBoolResult}, error("startDownloadWithManyParamsAndCallback: %s\n"), kObserver},
        {"upgradeSoftwareImageWithFile", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.upgradeSoftwareImageWithFile("image.bin")); },
         show(-1), {kIntResult}, error("requestUpgradeSoftwareImageWithFile: %s\n")},
        {"uploadUserFile", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.uploadUserFile(Ifc::FILETYPE_LOGO, "logo.png")); },
         show(-1), {kIntResult}, error("uploadUserFile: %s\n")},
        {"requestCurrentDownloadStatus", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.requestCurrentDownloadStatus(Ifc::FILETYPE_RINGER, "bell.wav"));
         },
         show(-1), {kIntResult}, error("requestCurrentDownloadStatus: %s\n")},
        {"getIDAndDisplayName", Pattern::D,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getIDAndDisplayName(a.identifier, a.displayName)); },
         no,
         {kBoolResult,
          {"identifier", Parameter::STRING, Parameter::INOUT, Target::Identifier},
          {"displayname", Parameter::STRING, Parameter::INOUT, Target::DisplayName}},
         timeout("getIDAndDisplayName: proxyReq->synchronousCall timeout.\n")},
        {"changeCurrentUser", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.changeCurrentUser(Ifc::USER_VISITOR)); }, no,
         {kBoolResult}, timeout("changeCurrentUser: proxyReq->synchronousCall timeout.\n")},
        {"clearMobileUserData", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.clearMobileUserData()); }, no, {kBoolResult},
         timeout("clearMobileUserData: proxyReq->synchronousCall timeout.\n")},
        {"getFilePathFromType", Pattern::D,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getFilePathFromType(Ifc::FILETYPE_RINGER, a.filename)); },
         no, {kBoolResult, {"filename", Parameter::STRING, Parameter::INOUT, Target::Filename}},
         timeout("getFilePathFromType: proxyReq->synchronousCall timeout.\n")},
        {"getFilePathFromType(user)", Pattern::D,
         [](Proxies& p, CallerArgs& a) {
             return show(p.local.getFilePathFromType(Ifc::FILETYPE_RINGER, a.filename, Ifc::USER_DEFAULT));
         },
         no, {kBoolResult, {"filename", Parameter::STRING, Parameter::INOUT, Target::Filename}},
         timeout("getFilePathFromTypeAndUser: proxyReq->synchronousCall timeout")},
        {"getListOfFilesOfType", Pattern::E,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getListOfFilesOfType(Ifc::FILETYPE_RINGER, &a.files)); },
         no, {{"FileNames", Parameter::STRING, Parameter::INOUT, Target::Files}},
         error("getListOfFilesOfType: %s\n"), kTrueOnceAllRead},
        {"getListOfFilesOfType(user)", Pattern::E,
         [](Proxies& p, CallerArgs& a) {
             return show(p.local.getListOfFilesOfType(Ifc::FILETYPE_TONE, &a.files, Ifc::USER_VISITOR_QEL));
         },
         no, {{"FileNames", Parameter::STRING, Parameter::INOUT, Target::Files}},
         error("getListOfFilesOfType: %s\n"), kTrueOnceAllRead},
        {"getFileTypeMetadata", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.getFileTypeMetadata(Ifc::FILETYPE_IMAGES)); }, empty,
         {{"FileTypeMetadata", Parameter::STRING, Parameter::OUT, Target::Result}},
         error("getFileTypeMetadata: %s\n")},
        {"getFileTypeCountLimit", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.getFileTypeCountLimit(Ifc::FILETYPE_IMAGES)); },
         show(0), {{"FileTypeCountLimit", Parameter::INT, Parameter::OUT, Target::Result}},
         error("getFileTypeCountLimit: %s\n")},
        {"getFileTypeNameLimit", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.getFileTypeNameLimit(Ifc::FILETYPE_IMAGES)); },
         show(0), {{"FileTypeNameLimit", Parameter::INT, Parameter::OUT, Target::Result}},
         error("getFileTypeCountLimit: %s\n")},
        {"setPhoneBusyStatus", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.setPhoneBusyStatus(3); return Result(); }, none},
        {"retrievePhoneBusyStatus", Pattern::C,
         [](Proxies& p, CallerArgs&) { return show(p.local.retrievePhoneBusyStatus()); }, show(0u),
         {{"busyStatus", Parameter::INT, Parameter::OUT, Target::Result}}},
        {"clearPhoneBusyStatus", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.clearPhoneBusyStatus(3); return Result(); }, none},
        {"performFactoryReset", Pattern::F,
         [](Proxies& p, CallerArgs&) { return show(p.local.performFactoryReset(kFactoryResetPassword, false)); },
         no, {kBoolResult}, error("performFactoryReset: %s\n")},
        {"verifyFactoryResetPassword", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.verifyFactoryResetPassword(kVerifyPassword)); },
         show(7), {kIntResult}, timeout("verifyFactoryResetPassword: proxyReq->synchronousCall timeout.\n")},
        {"performReboot", Pattern::F,
         [](Proxies& p, CallerArgs&) { return show(p.local.performReboot("maintenance window")); }, no,
         {kBoolResult}, {"performReboot:%s\n", 0, true}},
        {"setData", Pattern::E,
         [](Proxies& p, CallerArgs& a) { return show(p.local.setData(a.data)); }, no, {kBoolResult, kDataBack},
         error("setData: %s\n"), kLocalService},
        {"getData", Pattern::E,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getData(a.data)); }, no, {kBoolResult, kDataBack},
         error("getData: %s\n"), kLocalService},
        {"getSchema", Pattern::E,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getSchema("phone-schema", a.data)); }, no,
         {kBoolResult, kDataBack}, error("findSchemaName: %s\n")},
        {"manageableDataChanged", Pattern::E,
         [](Proxies& p, CallerArgs& a) { return show(p.local.manageableDataChanged(a.data)); }, show(0),
         {kDataBack, {"numObservers", Parameter::INT, Parameter::OUT, Target::Result}},
         error("findSchemaName: %s\n"), kLocalService},
        {"registerManagementIdentity", Pattern::B,
         [](Proxies& p, CallerArgs&) { p.local.registerManagementIdentity("agent-7", &p.agent); return Result(); },
         none, {}, {}, kObserver},
        {"registerManagementIdentity(bulk)", Pattern::B,
         [](Proxies& p, CallerArgs&) {
             p.local.registerManagementIdentity("agent-7", &p.agent, true);
             return Result();
         },
         none, {}, {}, kObserver},
        {"observeManageableData", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.observeManageableData("node-1", &p.agent)); }, no,
         {kBoolResult}, error("findSchemaName: %s\n"), kObserver},
        {"observeManageableData(bulk)", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.observeManageableData("node-1", &p.agent, true)); },
         no, {kBoolResult}, error("findSchemaName: %s\n"), kObserver},
        {"observeManageableData(rootIds)", Pattern::E,
         [](Proxies& p, CallerArgs&) {
             return show(p.local.observeManageableData(std::list<std::string>{"root-1", "root-2"}, &p.agent));
         },
         no, {kBoolResult}, error("findSchemaName: %s\n"), kObserver},
        {"stopObservingManageableData", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.stopObservingManageableData("node-1", &p.agent)); },
         no, {kBoolResult}, error("findSchemaName: %s\n"), kObserver},
        {"raiseGenericTrap", Pattern::A,
         [](Proxies& p, CallerArgs&) { return show(p.local.raiseGenericTrap(Ifc::TRAP_DEST_PRIMARY, 6)); },
         show(true)},
        {"raiseSpecificTrap", Pattern::A,
         [](Proxies& p, CallerArgs&) {
             SNMPTrapData trap;
             trap.setValue("oid", "1.3.6.1.4.1.9999.1");
             return show(p.local.raiseSpecificTrap(Ifc::TRAP_DEST_ALL, trap));
         },
         show(true)},
        {"checkDataEditable", Pattern::C,
         [](Proxies& p, CallerArgs& a) { return show(p.local.checkDataEditable(a.data, Ifc::ACCESS_ADMIN)); }, no,
         {kBoolResult, {"manageableData", Parameter::STRING, Parameter::INOUT, Target::Data, true}}},
        {"setDataEditable", Pattern::A,
         [](Proxies& p, CallerArgs& a) { p.local.setDataEditable(a.data, Ifc::EDITABLE_YES); return Result(); },
         none},
        {"invalidateTRVKCache", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.invalidateTRVKCache(); return Result(); }, none},
        {"clearAllUserData", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.clearAllUserData()); }, no, {kBoolResult},
         timeout("clearAllUserData: proxyReq->synchronousCall timeout.\n")},
        {"clearSpecificUserData", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.clearSpecificUserData(Ifc::RESET_CONTACTS); return Result(); },
         none},
        {"factoryResetPreservingData", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.factoryResetPreservingData(); return Result(); }, none},
        {"getUserDataSpaceInfo", Pattern::D,
         [](Proxies& p, CallerArgs& a) { p.local.getUserDataSpaceInfo(a.info); return Result(); }, none,
         {{"Acknowledge", Parameter::STRING, Parameter::OUT, Target::Acknowledge},
          {"spaceinfo", Parameter::STRING, Parameter::OUT, Target::Info}},
         timeout("getUserDataSpaceInfo: proxyReq->synchronousCall timeout.\n")},
        {"validateFile", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.validateFile(Ifc::FILETYPE_JAR, "game.jar")); }, no,
         {kBoolResult}, timeout("validateFile: proxyReq->synchronousCall timeout.\n")},
        {"deleteFile", Pattern::D,
         [](Proxies& p, CallerArgs&) { return show(p.local.deleteFile(Ifc::FILETYPE_JAR, "game.jar")); }, no,
         {kBoolResult}, timeout("deleteFile: proxyReq->synchronousCall timeout.\n")},
        {"cleanupUserData", Pattern::A,
         [](Proxies& p, CallerArgs&) {
             p.local.cleanupUserData(Ifc::FILETYPE_IMAGES, Ifc::USER_DEFAULT);
             return Result();
         },
         none},
        {"refreshPictureClips", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.local.refreshPictureClips(); return Result(); }, none},
        {"getEnvironmentVariable", Pattern::C,
         [](Proxies& p, CallerArgs& a) { return show(p.local.getEnvironmentVariable(ENV_SERIAL_NUMBER, a.value)); },
         no,
         {{"Acknowledge", Parameter::STRING, Parameter::OUT, Target::Acknowledge},
          {"Result", Parameter::STRING, Parameter::OUT, Target::Value}},
         {}, kTrueOnceAllRead},
        {"getPingOutput", Pattern::C,
         [](Proxies& p, CallerArgs&) { return show(p.local.getPingOutput("gateway.local")); }, empty,
         {{"Result", Parameter::STRING, Parameter::OUT, Target::Result}}},
        {"getTracerouteOutput", Pattern::C,
         [](Proxies& p, CallerArgs&) { return show(p.local.getTracerouteOutput("gateway.local")); }, empty,
         {{"Result", Parameter::STRING, Parameter::OUT, Target::Result}}},

        // Members of the proxy class only.
        {"validateSNMPTrapPort", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.validateSNMPTrapPort("162")); }, no, {kBoolResult},
         error("findSchemaName: %s\n")},
        {"validateSNMPTrapIPAddress", Pattern::E,
         [](Proxies& p, CallerArgs&) { return show(p.local.validateSNMPTrapIPAddress("trap-sink.local")); }, no,
         {kBoolResult}, error("findSchemaName: %s\n")},

        // The event proxies.
        {"addActionEventRequest", Pattern::A,
         [](Proxies& p, CallerArgs&) {
             p.actions.addActionEventRequest(ActionEventRequestIfc::EVENT_KEY_PRESS);
             return Result();
         },
         none},
        {"addActionEventRequestWithData", Pattern::A,
         [](Proxies& p, CallerArgs&) {
             p.actions.addActionEventRequestWithData(ActionEventRequestIfc::EVENT_CONFIG_CHANGED, "volume=5");
             return Result();
         },
         none},
        {"sendLocationDeliveryRequest", Pattern::A,
         [](Proxies& p, CallerArgs&) { p.location.sendLocationDeliveryRequest(); return Result(); }, none},
    };
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
