// What every proxy operation puts on the wire: the remote method, its
// parameters in order (name, kind, direction, value), the call style, the
// time-out and the callback channel, and the records written on the way, in
// their order relative to the send, as each row of the operation table expects
// them. What comes of replies and failures is the fault sweep's business.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

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
        Executable* observer;  // what the download operations get
    } cases[] = {{"null", nullptr, nullptr}, {"not an Executable", &bare, nullptr}, {"unknown", &unknown, &unknown}};
    for (const Operation& operation : reliability::operations()) {
        const reliability::Request& expected = operation.request;
        if (expected.remote == nullptr || *expected.wire.callbackChannel == '\0') continue;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(operation.name) + ", agent " + c.name);
            Rig rig;
            rig.proxies.handedAgent = c.agent;
            rig.proxies.handedObserver = c.observer;
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
