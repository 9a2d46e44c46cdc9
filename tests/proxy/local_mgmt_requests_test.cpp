// What every proxy operation puts on the wire: the remote method, its
// parameters in order (name, kind, direction, value), the call style, the
// time-out and the callback channel, and the records written on the way, in
// their order relative to the send, as each row of the operation table expects
// them. What comes of replies and failures is the fault sweep's business.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <set>

#include "ActionEventRequestProxy.h"
#include "OperationTable.h"
#include "ProxyRig.h"

using namespace testing_support;
using reliability::Operation;

namespace {

using Ifc = LocalMgmtIfc;

// An observer that is no Executable: the framework cannot name its channel.
struct BareAgent : MgmtAgentIfc {};

// The proxies of the operation table on a scripted channel whose framework
// context knows the table's agent as "agent-chan".
struct Rig {
    TestChannel channel{"LocalMgmtService"};
    TestContext context;
    reliability::Proxies proxies{channel};
    reliability::CallerArgs args;
    Rig() {
        context.channelOf = [this](Executable* object) {
            return object == static_cast<Executable*>(&proxies.agent) ? std::string("agent-chan") : std::string();
        };
        channel.frameworkContext = &context;
    }
};

const char* styleName(CallStyle style) {
    static const char* const names[] = {"one-way", "one-way with channel", "sync", "sync with timeout"};
    return names[static_cast<int>(style)];
}

}  // namespace

TEST(LocalMgmtRequests, EachOperationSendsItsRecordAfterItsTraces) {
    std::set<std::string> remotes;
    for (const Operation& operation : reliability::operations()) {
        const reliability::Request& expected = operation.request;
        SCOPED_TRACE(operation.name);
        remotes.insert(expected.remote);
        Rig rig;
        LogCapture log({0, 1, 2, 3, 4, 5, 6});
        std::size_t recordsAtSend = 0;
        rig.channel.onCall = [&] { recordsAtSend = log.records().size(); };
        operation.call(rig.proxies, rig.args);

        std::vector<std::string> timeline = levelsAndMessages(log);
        timeline.insert(timeline.begin() + static_cast<long>(std::min(recordsAtSend, timeline.size())), "send");
        EXPECT_EQ(timeline, expected.timeline);
        const SentCall& sent = rig.channel.only();
        EXPECT_EQ(sent.request.name(), expected.remote);
        EXPECT_EQ(sent.request.type(), Method::REQUEST);
        EXPECT_EQ(wireParams(sent.request), expected.params);
        EXPECT_STREQ(styleName(sent.style), expected.wire.style);
        EXPECT_EQ(sent.timeout, expected.wire.timeout);
        EXPECT_EQ(sent.callbackChannel, expected.wire.callbackChannel);
    }
    EXPECT_EQ(remotes.size(), 56u) << "every operation of the three proxies, the two trap checks included";
}

TEST(LocalMgmtRequests, AnAgentWithoutAKnownChannelIsReportedAndTheRequestStillGoesOut) {
    reliability::Agent unknown;
    BareAgent bare;
    const struct {
        const char* name;
        MgmtAgentIfc* agent;
        Executable* observer;     // what the download operations get
        bool withContext = true;  // false: the channel has no framework context to ask
    } cases[] = {{"null", nullptr, nullptr},
                 {"not an Executable", &bare, nullptr},
                 {"unknown", &unknown, &unknown},
                 {"on a channel without a framework context", &unknown, &unknown, false}};
    for (const Operation& operation : reliability::operations()) {
        const reliability::Request& expected = operation.request;
        if (expected.remote == nullptr || *expected.wire.callbackChannel == '\0') continue;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(operation.name) + ", agent " + c.name);
            Rig rig;
            rig.proxies.handedAgent = c.agent;
            rig.proxies.handedObserver = c.observer;
            if (!c.withContext) rig.channel.frameworkContext = nullptr;
            LogCapture log({2, 5});
            operation.call(rig.proxies, rig.args);
            EXPECT_EQ(rig.channel.only().request.name(), expected.remote);
            EXPECT_EQ(rig.channel.only().callbackChannel, "");
            const std::string remote = expected.remote;
            EXPECT_EQ(levelsAndMessages(log),
                      (std::vector<std::string>{
                          expected.timeline.front(), "5 findCallBackChan",
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

namespace {

// Values no enumerator names: below the first, just past the last, the largest int.
enum Case { kNegative, kPastLargest, kLargestInt };

template <class E>
int valueFor(Case c) {
    if (c == kNegative) return -1;
    if (c == kLargestInt) return INT_MAX;
    if constexpr (std::is_same_v<E, Ifc::eFiletype>) return Ifc::FILETYPE_VRPAT + 1;
    else if constexpr (std::is_same_v<E, Ifc::eUsertype>) return Ifc::USER_CLEAR_DATA_VISITOR_QEL + 1;
    else if constexpr (std::is_same_v<E, Ifc::TrapDest>) return Ifc::TRAP_DEST_SECONDARY + 1;
    else if constexpr (std::is_same_v<E, Ifc::eResetSpecificUserDataGroup>) return Ifc::RESET_USER_FILES + 1;
    else if constexpr (std::is_same_v<E, Ifc::eDownloadProtocol>) return Ifc::PROTOCOL_HTTPS + 1;
    else if constexpr (std::is_same_v<E, Ifc::eCertificateType>) return Ifc::CERTIFICATE_SERVER + 1;
    else if constexpr (std::is_same_v<E, Ifc::eAccessLevel>) return Ifc::ACCESS_SERVICE + 1;
    else if constexpr (std::is_same_v<E, Ifc::eEditableStatus>) return Ifc::EDITABLE_YES + 1;
    else if constexpr (std::is_same_v<E, envVar>) return ENV_HARDWARE_MODEL + 1;
    else {
        static_assert(std::is_same_v<E, ActionEventRequestIfc::EventType>, "name the last enumerator");
        return ActionEventRequestIfc::EVENT_USER_ACTIVITY + 1;
    }
}
template <class E>
E bad(Case c) {
    return static_cast<E>(valueFor<E>(c));
}
template <class E>
std::string num(Case c) {
    return std::to_string(valueFor<E>(c));
}

using F = Ifc::eFiletype;
using U = Ifc::eUsertype;
using Cert = Ifc::eCertificateType;
using Proto = Ifc::eDownloadProtocol;
using Wire = std::vector<std::string>;

struct EnumRig : ProxyRig {
    ActionEventRequestProxy actions;
    EnumRig() { actions.initProxy(channel); }
};

struct OutOfRangeRow {
    const char* operation;
    void (*call)(EnumRig&, Case);
    Wire (*sent)(Case);  // parameters the request must carry
};

const OutOfRangeRow kOutOfRange[] = {
    {"startDownload", [](EnumRig& r, Case c) { r.proxy.startDownload(bad<F>(c), true, bad<Cert>(c)); },
     [](Case c) { return Wire{"i:filetype=" + num<F>(c), "i:certificateType=" + num<Cert>(c)}; }},
    {"startDownload(observer)",
     [](EnumRig& r, Case c) { r.proxy.startDownload(bad<F>(c), &r.agent, true, bad<Cert>(c)); },
     [](Case c) { return Wire{"i:filetype=" + num<F>(c), "i:certificateType=" + num<Cert>(c)}; }},
    {"startDownload(server)",
     [](EnumRig& r, Case c) { r.proxy.startDownload(bad<Proto>(c), "", "", "", "", bad<F>(c), "", "", true, bad<Cert>(c)); },
     [](Case c) {
         return Wire{"i:downloadProtocol=" + num<Proto>(c), "i:filetype=" + num<F>(c), "i:certificateType=" + num<Cert>(c)};
     }},
    {"startDownload(server, observer)",
     [](EnumRig& r, Case c) {
         r.proxy.startDownload(bad<Proto>(c), "", "", "", "", bad<F>(c), "", "", &r.agent, false, "", true, bad<Cert>(c));
     },
     [](Case c) {
         return Wire{"i:downloadProtocol=" + num<Proto>(c), "i:filetype=" + num<F>(c), "i:certificateType=" + num<Cert>(c)};
     }},
    {"uploadUserFile", [](EnumRig& r, Case c) { r.proxy.uploadUserFile(bad<F>(c), "f"); },
     [](Case c) { return Wire{"i:filetype=" + num<F>(c)}; }},
    {"requestCurrentDownloadStatus", [](EnumRig& r, Case c) { r.proxy.requestCurrentDownloadStatus(bad<F>(c), "f"); },
     [](Case c) { return Wire{"i:filetype=" + num<F>(c)}; }},
    {"getListOfFilesOfType",
     [](EnumRig& r, Case c) {
         std::list<std::string> files;
         r.proxy.getListOfFilesOfType(bad<F>(c), &files);
     },
     [](Case) { return Wire{"s:FileType=swBind"}; }},
    {"getListOfFilesOfType(user)",
     [](EnumRig& r, Case c) {
         std::list<std::string> files;
         r.proxy.getListOfFilesOfType(bad<F>(c), &files, bad<U>(c));
     },
     [](Case c) { return Wire{"s:FileType=swBind", "i:userType=" + num<U>(c)}; }},
    {"changeCurrentUser", [](EnumRig& r, Case c) { r.proxy.changeCurrentUser(bad<U>(c)); },
     [](Case) { return Wire{"s:userType=baseUser"}; }},
    {"getFilePathFromType",
     [](EnumRig& r, Case c) {
         std::string path;
         r.proxy.getFilePathFromType(bad<F>(c), path);
     },
     [](Case) { return Wire{"s:filetype=swBind"}; }},
    {"getFilePathFromType(user)",
     [](EnumRig& r, Case c) {
         std::string path;
         r.proxy.getFilePathFromType(bad<F>(c), path, bad<U>(c));
     },
     [](Case c) { return Wire{"s:filetype=swBind", "i:userType=" + num<U>(c)}; }},
    {"getFileTypeMetadata", [](EnumRig& r, Case c) { r.proxy.getFileTypeMetadata(bad<F>(c)); },
     [](Case) { return Wire{"s:FileType=swBind"}; }},
    {"getFileTypeCountLimit", [](EnumRig& r, Case c) { r.proxy.getFileTypeCountLimit(bad<F>(c)); },
     [](Case) { return Wire{"s:FileType=swBind"}; }},
    {"getFileTypeNameLimit", [](EnumRig& r, Case c) { r.proxy.getFileTypeNameLimit(bad<F>(c)); },
     [](Case) { return Wire{"s:FileType=swBind"}; }},
    {"raiseGenericTrap", [](EnumRig& r, Case c) { r.proxy.raiseGenericTrap(bad<Ifc::TrapDest>(c), 1); },
     [](Case c) { return Wire{"i:dest=" + num<Ifc::TrapDest>(c)}; }},
    {"raiseSpecificTrap",
     [](EnumRig& r, Case c) {
         SNMPTrapData trap;
         r.proxy.raiseSpecificTrap(bad<Ifc::TrapDest>(c), trap);
     },
     [](Case c) { return Wire{"i:dest=" + num<Ifc::TrapDest>(c)}; }},
    {"checkDataEditable",
     [](EnumRig& r, Case c) {
         ManageableData data;
         r.proxy.checkDataEditable(data, bad<Ifc::eAccessLevel>(c));
     },
     [](Case c) { return Wire{"i:accessLevel=" + num<Ifc::eAccessLevel>(c)}; }},
    {"setDataEditable",
     [](EnumRig& r, Case c) {
         ManageableData data;
         r.proxy.setDataEditable(data, bad<Ifc::eEditableStatus>(c));
     },
     [](Case c) { return Wire{"i:editableStatus=" + num<Ifc::eEditableStatus>(c)}; }},
    {"clearSpecificUserData",
     [](EnumRig& r, Case c) { r.proxy.clearSpecificUserData(bad<Ifc::eResetSpecificUserDataGroup>(c)); },
     [](Case c) { return Wire{"i:specificGroup=" + num<Ifc::eResetSpecificUserDataGroup>(c)}; }},
    {"validateFile", [](EnumRig& r, Case c) { r.proxy.validateFile(bad<F>(c), "f"); },
     [](Case c) { return Wire{"i:fileType=" + num<F>(c)}; }},
    {"deleteFile", [](EnumRig& r, Case c) { r.proxy.deleteFile(bad<F>(c), "f"); },
     [](Case c) { return Wire{"i:fileType=" + num<F>(c)}; }},
    {"cleanupUserData", [](EnumRig& r, Case c) { r.proxy.cleanupUserData(bad<F>(c), bad<U>(c)); },
     [](Case c) { return Wire{"s:filetype=swBind", "i:userType=" + num<U>(c)}; }},
    {"getEnvironmentVariable",
     [](EnumRig& r, Case c) {
         std::string value;
         r.proxy.getEnvironmentVariable(bad<envVar>(c), value);
     },
     [](Case c) { return Wire{"i:VariableSelection=" + num<envVar>(c)}; }},
    {"addActionEventRequest",
     [](EnumRig& r, Case c) { r.actions.addActionEventRequest(bad<ActionEventRequestIfc::EventType>(c)); },
     [](Case c) { return Wire{"i:type=" + num<ActionEventRequestIfc::EventType>(c)}; }},
    {"addActionEventRequestWithData",
     [](EnumRig& r, Case c) { r.actions.addActionEventRequestWithData(bad<ActionEventRequestIfc::EventType>(c), "d"); },
     [](Case c) { return Wire{"i:type=" + num<ActionEventRequestIfc::EventType>(c)}; }},
};

}  // namespace

// Every int is a value of every enumeration: unnamed file and user types
// travel under their fallback names, everything else as its number.
TEST(LocalMgmtNames, UnnamedEnumerationValuesTravelDefined) {
    for (const OutOfRangeRow& row : kOutOfRange) {
        for (Case c : {kNegative, kPastLargest, kLargestInt}) {
            SCOPED_TRACE(std::string(row.operation) + ", case " + std::to_string(c));
            EnumRig rig;
            LogCapture log({0, 1, 2, 3, 4, 5, 6});  // the records print some of the values too
            row.call(rig, c);
            for (const std::string& param : row.sent(c))
                EXPECT_THAT(wireParams(rig.channel.only().request), ::testing::Contains(param));
        }
    }
}
