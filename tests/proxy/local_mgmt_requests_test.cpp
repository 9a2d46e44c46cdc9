// What every LocalMgmtProxy operation puts on the wire: the remote method, its
// parameters in order (name, kind, direction, value), the call style, the
// time-out and the callback channel, and the records written on the way, in
// their order relative to the send. What comes of replies and failures is the
// fault sweep's business (tests/reliability).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "ProxyRig.h"

using namespace testing_support;

namespace {

using Ifc = LocalMgmtIfc;

// An observer that is no Executable: the framework cannot name its channel.
struct BareAgent : MgmtAgentIfc {};

// What the caller hands over by reference.
struct Args {
    Args(MgmtAgentIfc* agent, Executable* observer) : agent(agent), observer(observer) {
        data.setValue("key", "v");
        trap.setValue("oid", "1.3.6");
        trap.setValue("text", "a=b;c");
    }
    MgmtAgentIfc* agent;
    Executable* observer;
    std::string id = "SEP1", name = "Desk", filename = "a.wav";
    std::list<std::string> files{"x"};
    ManageableData data;
    MemoryInfo info;
    SNMPTrapData trap;
};

// How a request went out.
struct Wire { CallStyle style; int timeout; const char* callbackChannel; };
const Wire oneWay{CallStyle::OneWay, 0, ""}, oneWayToAgent{CallStyle::OneWayWithChannel, 0, "agent-chan"},
    sync{CallStyle::Sync, 0, ""}, syncToAgent{CallStyle::Sync, 0, "agent-chan"},
    timed{CallStyle::SyncWithTimeout, 60000, ""}, longTimed{CallStyle::SyncWithTimeout, 600000, ""};

struct Row {
    const char* remote;
    std::function<void(LocalMgmtProxy&, Args&)> call;
    std::vector<std::string> params;  // as wireParams shows them
    Wire wire;
    std::vector<std::string> timeline;  // "<level> <message>" records, "send" where the request went out
};

std::vector<std::string> traced(const std::string& trace) { return {"5 " + trace, "send"}; }
std::vector<std::string> convertedThenSent(const std::string& trace, const char* conversion = "File") {
    return {"5 " + trace, std::string("5 convert") + conversion + "TypeEnumToString", "send"};
}
std::vector<std::string> resolvedThenSent(const std::string& trace, std::string remote = "") {
    if (remote.empty()) remote = trace;
    return {"5 " + trace, "5 findCallBackChan", "5 " + remote + ": callback channel set: agent-chan", "send"};
}

const std::vector<Row>& rows() {
    using P = LocalMgmtProxy;
    static const std::vector<Row> all = {
        // Device control and diagnostics.
        {"getIDAndDisplayName", [](P& p, Args& a) { p.getIDAndDisplayName(a.id, a.name); },
         {"S:identifier=SEP1", "S:displayname=Desk"}, sync, traced("getIDAndDisplayName")},
        {"setPhoneBusyStatus", [](P& p, Args&) { p.setPhoneBusyStatus(5); }, {"i:busyStatus=5"}, oneWay, {"send"}},
        {"retrievePhoneBusyStatus", [](P& p, Args&) { p.retrievePhoneBusyStatus(); }, {}, sync, {"send"}},
        {"clearPhoneBusyStatus", [](P& p, Args&) { p.clearPhoneBusyStatus(6); }, {"i:busyStatus=6"}, oneWay, {"send"}},
        {"performFactoryReset", [](P& p, Args&) { p.performFactoryReset("Pa55", true); },
         {"S:password=Pa55", "B:reboot=1"}, timed, {"send"}},
        {"verifyFactoryResetPassword", [](P& p, Args&) { p.verifyFactoryResetPassword("Pa55"); },
         {"S:password=Pa55"}, timed, {"send"}},
        {"performReboot", [](P& p, Args&) { p.performReboot("upgrade"); }, {"S:rebootReason=upgrade"}, timed,
         {"send"}},
        {"raiseGenericTrap", [](P& p, Args&) { p.raiseGenericTrap(Ifc::TRAP_DEST_SECONDARY, 42); },
         {"i:dest=2", "i:trapNo=42"}, oneWay, traced("raiseGenericTrap")},
        {"raiseSpecificTrap", [](P& p, Args& a) { p.raiseSpecificTrap(Ifc::TRAP_DEST_PRIMARY, a.trap); },
         {"i:dest=1", "s:SNMPTrapData=oid=1.3.6;text=a\\=b\\;c"}, oneWay, traced("raiseSpecificTrap")},
        {"invalidateTRVKCache", [](P& p, Args&) { p.invalidateTRVKCache(); }, {}, oneWay, {"send"}},
        {"refreshPictureClips", [](P& p, Args&) { p.refreshPictureClips(); }, {}, oneWay, {"send"}},
        {"factoryResetPreservingData", [](P& p, Args&) { p.factoryResetPreservingData(); }, {}, oneWay, {"send"}},
        {"getUserDataSpaceInfo", [](P& p, Args& a) { p.getUserDataSpaceInfo(a.info); }, {}, sync,
         traced("getUserDataSpaceInfo")},
        {"getEnvironmentVariable", [](P& p, Args& a) { p.getEnvironmentVariable(ENV_SERIAL_NUMBER, a.name); },
         {"i:VariableSelection=3"}, sync, {"send"}},
        {"getPingOutput", [](P& p, Args&) { p.getPingOutput("10.0.0.9"); }, {"s:Address=10.0.0.9"}, sync, {"send"}},
        {"getTracerouteOutput", [](P& p, Args&) { p.getTracerouteOutput("10.0.0.8"); }, {"s:Address=10.0.0.8"},
         sync, {"send"}},
        {"validateSNMPTrapPort", [](P& p, Args&) { p.validateSNMPTrapPort("162"); }, {"s:strPort=162"}, sync,
         traced("validateSNMPTrapPort")},
        {"validateSNMPTrapIPAddress", [](P& p, Args&) { p.validateSNMPTrapIPAddress("10.0.0.7"); },
         {"s:verboseSink=10.0.0.7"}, sync, traced("validateSNMPTrapIPAddress")},

        // The file catalogue: types travel by name.
        {"getListOfFilesOfType", [](P& p, Args& a) { p.getListOfFilesOfType(Ifc::FILETYPE_RINGER, &a.files); },
         {"s:FileType=ringer", "S:FileNames=[x]"}, sync, convertedThenSent("getListOfFilesOfType")},
        {"getListOfFilesOfTypeAndUser",
         [](P& p, Args& a) { p.getListOfFilesOfType(Ifc::FILETYPE_TONE, &a.files, Ifc::USER_VISITOR_QEL); },
         {"s:FileType=tone", "S:FileNames=[x]", "i:userType=7"}, sync,
         convertedThenSent("getListOfFilesOfType for given user")},
        {"getFilePathFromType", [](P& p, Args& a) { p.getFilePathFromType(Ifc::FILETYPE_RINGER, a.filename); },
         {"S:filename=a.wav", "s:filetype=ringer"}, sync,
         {"5 convertFileTypeEnumToString", "send", "4 getFilePathFromType[11][a.wav][false]"}},
        {"getFilePathFromTypeAndUser",
         [](P& p, Args& a) { p.getFilePathFromType(Ifc::FILETYPE_HELP, a.filename, Ifc::USER_DEFAULT); },
         {"S:filename=a.wav", "s:filetype=help", "i:userType=4"}, sync,
         {"5 convertFileTypeEnumToString", "send", "4 getFilePathFromType for user[13][a.wav][4][false]"}},
        {"getFileTypeMetadata", [](P& p, Args&) { p.getFileTypeMetadata(Ifc::FILETYPE_IMAGES); },
         {"s:FileType=images"}, sync, convertedThenSent("getFileTypeMetadata")},
        {"getFileTypeCountLimit", [](P& p, Args&) { p.getFileTypeCountLimit(Ifc::FILETYPE_LOGO); },
         {"s:FileType=logo"}, sync, convertedThenSent("getFileTypeCountLimit")},
        {"getFileTypeNameLimit", [](P& p, Args&) { p.getFileTypeNameLimit(Ifc::FILETYPE_JAR); }, {"s:FileType=jar"},
         sync, convertedThenSent("getFileTypeNameLimit")},

        // User data: user kinds travel by name, except to cleanupUserData.
        {"changeCurrentUser", [](P& p, Args&) { p.changeCurrentUser(Ifc::USER_CLEAR_DATA_VISITOR_QEL); },
         {"s:userType=ClearDataVisitorUserQel"}, sync, convertedThenSent("changeCurrentUser", "User")},
        {"clearMobileUserData", [](P& p, Args&) { p.clearMobileUserData(); }, {}, sync, traced("clearMobileUserData")},
        {"clearAllUserData", [](P& p, Args&) { p.clearAllUserData(); }, {}, sync, {"send"}},
        {"clearSpecificUserData", [](P& p, Args&) { p.clearSpecificUserData(Ifc::RESET_USER_FILES); },
         {"i:specificGroup=3"}, oneWay, {"send"}},
        {"cleanupUserData", [](P& p, Args&) { p.cleanupUserData(Ifc::FILETYPE_MOH, Ifc::USER_VISITOR); },
         {"s:filetype=moh", "i:userType=2"}, oneWay, convertedThenSent("cleanupUserData")},

        // File transfer: types travel by value; the stored-file pair spells it "fileType".
        {"startDownloadWithFileType",
         [](P& p, Args&) { p.startDownload(Ifc::FILETYPE_RINGER, true, Ifc::CERTIFICATE_DEVICE); },
         {"i:filetype=11", "b:displayProgress=1", "i:certificateType=1"}, sync, traced("startDownloadWithFileType")},
        {"startDownloadWithFileTypeAndCallback",
         [](P& p, Args& a) { p.startDownload(Ifc::FILETYPE_JAR, a.observer, false, Ifc::CERTIFICATE_SERVER); },
         {"i:filetype=15", "b:displayProgress=0", "i:certificateType=2"}, syncToAgent,
         resolvedThenSent("startDownloadWithFileTypeAndCallback")},
        {"startDownloadWithManyParams",
         [](P& p, Args&) {
             p.startDownload(Ifc::PROTOCOL_HTTPS, "8443", "files.example", "engineer", "Pw-1", Ifc::FILETYPE_RINGER,
                             "/pub", "bell.raw", false, Ifc::CERTIFICATE_SERVER);
         },
         {"i:downloadProtocol=3", "s:port=8443", "s:server=files.example", "s:username=engineer", "s:password=Pw-1",
          "i:filetype=11", "s:sourcepath=/pub", "s:filename=bell.raw", "b:displayProgress=0", "i:certificateType=2"},
         longTimed, traced("startDownloadWithManyParams")},
        {"startDownloadWithManyParamsAndCallback",
         [](P& p, Args& a) {
             p.startDownload(Ifc::PROTOCOL_FTP, "21", "srv", "operator", "Pw-2", Ifc::FILETYPE_HELP, "/help",
                             "manual.txt", a.observer, true, "4.2", true, Ifc::CERTIFICATE_NONE);
         },
         {"i:downloadProtocol=1", "s:port=21", "s:server=srv", "s:username=operator", "s:password=Pw-2",
          "i:filetype=13", "s:sourcepath=/help", "s:filename=manual.txt", "b:overrideBusy=1", "s:version=4.2",
          "b:displayProgress=1", "i:certificateType=0"},
         syncToAgent, resolvedThenSent("startDownloadWithManyParamsAndCallback")},
        {"upgradeSoftwareImageWithFile", [](P& p, Args&) { p.upgradeSoftwareImageWithFile("image.bin"); },
         {"s:filename=image.bin"}, sync, traced("upgradeSoftwareImageWithFile")},
        {"uploadUserFile", [](P& p, Args&) { p.uploadUserFile(Ifc::FILETYPE_LOGO, "logo.png"); },
         {"i:filetype=4", "s:filename=logo.png"}, sync, traced("uploadUserFile")},
        {"requestCurrentDownloadStatus",
         [](P& p, Args&) { p.requestCurrentDownloadStatus(Ifc::FILETYPE_RINGER, "bell.raw"); },
         {"i:filetype=11", "s:filename=bell.raw"}, sync, traced("requestCurrentDownloadStatus")},
        {"validateFile", [](P& p, Args&) { p.validateFile(Ifc::FILETYPE_JAR, "game.jar"); },
         {"i:fileType=15", "s:filename=game.jar"}, sync, {"send"}},
        {"deleteFile", [](P& p, Args&) { p.deleteFile(Ifc::FILETYPE_TONE, "beep.raw"); },
         {"i:fileType=7", "s:filename=beep.raw"}, sync, {"send"}},

        // Manageable data: objects travel as their key/value text.
        {"setData", [](P& p, Args& a) { p.setData(a.data); }, {"S:manageableData=key=v"}, sync,
         {"5 Proxy - setData - sent = key=v\n", "send"}},
        {"getData", [](P& p, Args& a) { p.getData(a.data); }, {"S:manageableData=key=v"}, sync, traced("getData")},
        {"manageableDataChanged", [](P& p, Args& a) { p.manageableDataChanged(a.data); }, {"S:manageableData=key=v"},
         sync, traced("manageableDataChanged")},
        {"findSchemaName", [](P& p, Args&) { p.findSchemaName("node.1"); }, {"s:nodeId=node.1"}, sync,
         traced("findSchemaName")},
        {"getSchema", [](P& p, Args& a) { p.getSchema("schema.a", a.data); },
         {"s:schemaName=schema.a", "S:manageableData="}, sync, traced("getSchema")},
        {"exportSchema", [](P& p, Args&) { p.exportSchema("schema.b"); }, {"s:schemaName=schema.b"}, sync,
         traced("exportSchema")},
        {"checkDataEditable", [](P& p, Args& a) { p.checkDataEditable(a.data, Ifc::ACCESS_ADMIN); },
         {"S:manageableData=key=v", "i:accessLevel=1"}, sync, traced("checkDataEditable")},
        {"setDataEditable", [](P& p, Args& a) { p.setDataEditable(a.data, Ifc::EDITABLE_YES); },
         {"S:manageableData=key=v", "i:editableStatus=1"}, oneWay, traced("setDataEditable")},

        // Agents and observation: every request carries the agent's channel.
        {"registerManagementIdentity", [](P& p, Args& a) { p.registerManagementIdentity("mgr-1", a.agent); },
         {"s:managementId=mgr-1"}, oneWayToAgent, resolvedThenSent("registerManagementIdentity")},
        {"registerManagementIdentityBulkData",
         [](P& p, Args& a) { p.registerManagementIdentity("mgr-2", a.agent, true); },
         {"s:managementId=mgr-2", "b:bulkDataManageable=1"}, oneWayToAgent,
         resolvedThenSent("registerManagementIdentity - with bulk data handling",
                          "registerManagementIdentityBulkData")},
        {"observeData", [](P& p, Args& a) { p.observeManageableData("node.1", a.agent); }, {"s:nodeId=node.1"},
         syncToAgent, resolvedThenSent("observeManageableData", "observeData")},
        {"observeDataBulkData", [](P& p, Args& a) { p.observeManageableData("node.2", a.agent, false); },
         {"s:nodeId=node.2", "b:bulkDataManageable=0"}, syncToAgent,
         resolvedThenSent("observeManageableData - with bulk data handling", "observeDataBulkData")},
        {"observeListDataBulkData",
         [](P& p, Args& a) { p.observeManageableData(std::list<std::string>{"a", "b;c"}, a.agent); },
         {"s:rootIds=[a,b;c]"}, syncToAgent,
         resolvedThenSent("observeManageableData of a list of rootIDs - with implied bulk data handling",
                          "observeListDataBulkData")},
        {"stopObservingData", [](P& p, Args& a) { p.stopObservingManageableData("node.3", a.agent); },
         {"s:nodeId=node.3"}, syncToAgent, resolvedThenSent("stopObservingManageableData", "stopObservingData")},
    };
    return all;
}

}  // namespace

TEST(LocalMgmtRequests, EachOperationSendsItsRecordAfterItsTraces) {
    std::set<std::string> remotes;
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.remote);
        remotes.insert(row.remote);
        ProxyRig rig;
        Args args{&rig.agent, &rig.agent};
        LogCapture log({0, 1, 2, 3, 4, 5, 6});
        std::size_t recordsAtSend = 0;
        rig.channel.onCall = [&] { recordsAtSend = log.records().size(); };
        row.call(rig.proxy, args);

        std::vector<std::string> timeline = levelsAndMessages(log);
        timeline.insert(timeline.begin() + static_cast<long>(std::min(recordsAtSend, timeline.size())), "send");
        EXPECT_EQ(timeline, row.timeline);
        const SentCall& sent = rig.channel.only();
        EXPECT_EQ(sent.request.name(), row.remote);
        EXPECT_EQ(sent.request.type(), Method::REQUEST);
        EXPECT_EQ(wireParams(sent.request), row.params);
        EXPECT_EQ(sent.style, row.wire.style);
        EXPECT_EQ(sent.timeout, row.wire.timeout);
        EXPECT_EQ(sent.callbackChannel, row.wire.callbackChannel);
    }
    EXPECT_EQ(remotes.size(), 53u) << "every operation of LocalMgmtProxy, the two trap checks included";
}

TEST(LocalMgmtRequests, AnAgentWithoutAKnownChannelIsReportedAndTheRequestStillGoesOut) {
    Agent unknown;
    BareAgent bare;
    const struct {
        const char* name;
        MgmtAgentIfc* agent;
        Executable* observer;  // what the download operations get
    } cases[] = {{"null", nullptr, nullptr}, {"not an Executable", &bare, nullptr}, {"unknown", &unknown, &unknown}};
    for (const Row& row : rows()) {
        if (*row.wire.callbackChannel == '\0') continue;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(row.remote) + ", agent " + c.name);
            ProxyRig rig;
            Args args{c.agent, c.observer};
            LogCapture log({2, 5});
            row.call(rig.proxy, args);
            EXPECT_EQ(rig.channel.only().request.name(), row.remote);
            EXPECT_EQ(rig.channel.only().callbackChannel, "");
            const std::string remote = row.remote;
            EXPECT_EQ(levelsAndMessages(log),
                      (std::vector<std::string>{
                          row.timeline.front(), "5 findCallBackChan",
                          c.observer != nullptr
                              ? "5 " + remote + ": callback channel set: "
                              : "2 method:" + remote + " observer is not an Executable callbackChan is null"}));
        }
    }
}

TEST(LocalMgmtNames, EveryTypeValueHasItsWireNameOrTheFallback) {
    const std::map<int, std::string> fileTypes{
        {1, "swBind"}, {2, "moh"},     {3, "images"}, {4, "logo"}, {5, "midlets"}, {6, "ldap"},
        {7, "tone"},   {9, "screensaver"}, {11, "ringer"}, {12, "hpt"}, {13, "help"}, {15, "jar"},
        {16, "agd"},   {18, "phd"},    {19, "vraudio"}, {20, "vrpat"}};
    // 0 and 1 are the base user on purpose.
    const std::map<int, std::string> userTypes{
        {2, "visitorUser"},          {3, "migrateToVisitorUser"}, {4, "defaultUser"},
        {5, "clearDataVisitorUser"}, {6, "baseUserQel"},          {7, "visitorUserQel"},
        {8, "ClearDataVisitorUserQel"}};
    ProxyRig rig;
    LogCapture log({5});
    std::vector<std::string> traces;
    for (int value = -2; value <= 25; ++value) {
        EXPECT_EQ(rig.proxy.convertFileTypeEnumToString(static_cast<Ifc::eFiletype>(value)),
                  fileTypes.count(value) ? fileTypes.at(value) : std::string("swBind"))
            << value;
        EXPECT_EQ(rig.proxy.convertUserTypeEnumToString(static_cast<Ifc::eUsertype>(value)),
                  userTypes.count(value) ? userTypes.at(value) : std::string("baseUser"))
            << value;
        traces.insert(traces.end(), {"convertFileTypeEnumToString", "convertUserTypeEnumToString"});
    }
    EXPECT_EQ(log.formats(), traces);
    EXPECT_TRUE(rig.channel.calls.empty());
}
