// Registration and observation by management agents: each request carries the
// agent's callback channel, resolved before the request is built.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "LocalMgmtProxy.h"
#include "LogCapture.h"
#include "TestChannel.h"

using namespace testing_support;
using ::testing::PrintToString;

namespace {

// An agent the framework can reach.
struct Agent : MgmtAgentIfc, Executable {
    void init(Context&) override {}
    void shutdown() override {}
};
// An observer the framework cannot reach: it is no Executable.
struct BareAgent : MgmtAgentIfc {};

// A bound proxy whose framework knows one agent's channel.
struct Rig {
    TestChannel channel;
    TestContext context;
    LocalMgmtProxy proxy;
    Agent known;
    Rig() {
        context.channelOf = [this](Executable* object) {
            return object == &known ? std::string("agent-chan") : std::string();
        };
        channel.frameworkContext = &context;
        proxy.initProxy(channel);
    }
};

using Ids = std::list<std::string>;

std::string serialized(const Ids& ids) {
    std::string text;
    Serializer::serialize(text, ids);
    return text;
}

using Call = std::function<std::string(LocalMgmtProxy&, MgmtAgentIfc*)>;
struct Operation {
    const char* remote;
    const char* trace;
    Call call;  // the result as text, "" for none
    std::vector<Param> params;
    bool synchronous;
};

const std::vector<Operation>& operations() {
    static const std::vector<Operation> all = {
        {"registerManagementIdentity", "registerManagementIdentity",
         [](LocalMgmtProxy& p, MgmtAgentIfc* a) { p.registerManagementIdentity("mgr-1", a); return std::string(); },
         {stringParam("managementId", "mgr-1")}, false},
        {"registerManagementIdentityBulkData", "registerManagementIdentity - with bulk data handling",
         [](LocalMgmtProxy& p, MgmtAgentIfc* a) { p.registerManagementIdentity("mgr-1", a, true); return std::string(); },
         {stringParam("managementId", "mgr-1"), boolParam("bulkDataManageable", true)}, false},
        {"observeData", "observeManageableData",
         [](LocalMgmtProxy& p, MgmtAgentIfc* a) { return PrintToString(p.observeManageableData("node.1", a)); },
         {stringParam("nodeId", "node.1")}, true},
        {"observeDataBulkData", "observeManageableData - with bulk data handling",
         [](LocalMgmtProxy& p, MgmtAgentIfc* a) { return PrintToString(p.observeManageableData("node.1", a, false)); },
         {stringParam("nodeId", "node.1"), boolParam("bulkDataManageable", false)}, true},
        {"observeListDataBulkData", "observeManageableData of a list of rootIDs - with implied bulk data handling",
         [](LocalMgmtProxy& p, MgmtAgentIfc* a) { return PrintToString(p.observeManageableData(Ids{"a", "b;c"}, a)); },
         {stringParam("rootIds", serialized({"a", "b;c"}))}, true},
        {"observeListDataBulkData", "observeManageableData of a list of rootIDs - with implied bulk data handling",
         [](LocalMgmtProxy& p, MgmtAgentIfc* a) { return PrintToString(p.observeManageableData(Ids{}, a)); },
         {stringParam("rootIds", serialized({}))}, true},
        {"stopObservingData", "stopObservingManageableData",
         [](LocalMgmtProxy& p, MgmtAgentIfc* a) { return PrintToString(p.stopObservingManageableData("node.1", a)); },
         {stringParam("nodeId", "node.1")}, true},
    };
    return all;
}

}  // namespace

TEST(ObservationRequests, AgentChannelIsResolvedThenSentWithTheRequest) {
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.remote);
        Rig rig;
        rig.channel.replyBool("result", true);
        LogCapture log({5});
        EXPECT_EQ(op.call(rig.proxy, &rig.known), op.synchronous ? PrintToString(true) : "");
        const SentCall& sent = rig.channel.only();
        EXPECT_EQ(sent.request.name(), op.remote);
        EXPECT_EQ(paramsOf(sent.request), op.params);
        EXPECT_EQ(sent.style, op.synchronous ? CallStyle::Sync : CallStyle::OneWayWithChannel);
        EXPECT_EQ(sent.callbackChannel, "agent-chan");
        auto records = log.records();
        ASSERT_EQ(records.size(), 3u);
        EXPECT_EQ(records[0].format, op.trace);
        EXPECT_EQ(records[1].format, "findCallBackChan");
        EXPECT_EQ(records[2].format, "%s: callback channel set: %s");
        EXPECT_EQ(records[2].message, std::string(op.remote) + ": callback channel set: agent-chan");
    }
}

TEST(ObservationRequests, AgentsWithoutAChannelStillGetTheRequestSent) {
    Agent unknown;
    BareAgent bare;
    struct Case {
        const char* name;
        MgmtAgentIfc* agent;
        bool reachable;  // an Executable the framework was asked about
    } cases[] = {{"null agent", nullptr, false}, {"not an Executable", &bare, false}, {"unknown to the framework", &unknown, true}};
    for (const Operation& op : operations()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(op.remote) + ", " + c.name);
            Rig rig;
            rig.channel.replyBool("result", true);
            LogCapture log({2, 5});
            op.call(rig.proxy, c.agent);
            EXPECT_EQ(rig.channel.only().callbackChannel, "");
            EXPECT_EQ(rig.channel.only().request.name(), op.remote);
            auto records = log.records();
            ASSERT_EQ(records.size(), 3u);
            EXPECT_EQ(records[1].format, "findCallBackChan");
            if (c.reachable) {
                EXPECT_EQ(records[2].level, 5);
                EXPECT_EQ(records[2].message, std::string(op.remote) + ": callback channel set: ");
            } else {
                EXPECT_EQ(records[2].level, 2);
                EXPECT_EQ(records[2].message,
                          "method:" + std::string(op.remote) + " observer is not an Executable callbackChan is null");
            }
        }
    }
}

TEST(ObservationReplies, MissingResultAndFailuresGiveFalseOneWayFailuresPassThrough) {
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.remote);
        LogCapture log;  // every level off
        Rig silent;
        EXPECT_EQ(op.call(silent.proxy, &silent.known), op.synchronous ? PrintToString(false) : "");
        EXPECT_TRUE(log.records().empty());

        Rig failing;
        failing.channel.failWith("link down");
        if (op.synchronous) {
            EXPECT_EQ(op.call(failing.proxy, &failing.known), PrintToString(false));
            auto records = log.records();
            ASSERT_EQ(records.size(), 1u);
            EXPECT_EQ(records[0].level, 2);
            EXPECT_EQ(records[0].format, "findSchemaName: %s\n");
            EXPECT_EQ(records[0].message, "findSchemaName: link down\n");
        } else {
            EXPECT_THROW(op.call(failing.proxy, &failing.known), CorvexException);
            EXPECT_TRUE(log.records().empty());
        }

        Rig other;
        other.channel.onCall = [] { throw std::runtime_error("not a framework failure"); };
        log.clear();
        EXPECT_THROW(op.call(other.proxy, &other.known), std::runtime_error);
        EXPECT_TRUE(log.records().empty());
    }
}
