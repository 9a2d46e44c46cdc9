// Device control and diagnostics: what each operation sends, what it makes of
// the reply, and what it does, logs and prints when the channel fails.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>

#include "LocalMgmtProxy.h"
#include "LogCapture.h"
#include "TestChannel.h"

using namespace testing_support;

namespace {

using Ifc = LocalMgmtIfc;
using Rec = std::pair<int, std::string>;  // level, message
const Parameter::directions INOUT = Parameter::INOUT;
const std::string kPassword = "Pa55-w0rd";

std::string spaceText(const std::string& free) {
    MemoryInfo info;
    info.setValue("free", free);
    return info.serialize();
}

std::string trapText() {
    SNMPTrapData trap;
    trap.setValue("oid", "1.3.6");
    return trap.serialize();
}

// Outcome and what the caller's arguments hold afterwards, as one text.
std::string shown(bool ok, const std::string& held) { return (ok ? "true|" : "false|") + held; }

struct Operation {
    const char* remote;  // also the operation's name
    std::function<std::string(LocalMgmtProxy&)> call;
    std::vector<Param> params;
    CallStyle style;
    std::vector<Rec> trace;
    std::function<void(TestChannel&)> answer;  // none for one-way calls
    std::string unanswered, answered, failed;  // empty reply, `answer`, CorvexException("link lost")
    std::vector<Rec> failureRecords = {};      // after the trace
    std::string printed = "";                  // on standard output when failing
    bool rebootsOnFailure = false;
};

const char* const kThrew = "threw link lost";

std::vector<Operation> operations() {
    const auto oneWay = [](const char* remote, std::function<void(LocalMgmtProxy&)> send,
                           std::vector<Param> params = {}) {
        auto call = [send](LocalMgmtProxy& p) { return send(p), std::string("sent"); };
        return Operation{remote, call, std::move(params), CallStyle::OneWay, {}, nullptr, "sent", "", kThrew};
    };
    const auto accepted = [](TestChannel& c) { c.replyBool("result", true); };
    const auto diagnostic = [](const char* remote, std::string (LocalMgmtProxy::*op)(const std::string&)) {
        return Operation{remote, [op](LocalMgmtProxy& p) { return (p.*op)("10.0.0.9"); },
                         {stringParam("Address", "10.0.0.9")},
                         CallStyle::Sync, {}, [](TestChannel& c) { c.replyString("Result", "3 hops"); },
                         "", "3 hops", kThrew};
    };
    const auto trapCheck = [accepted](const char* remote, const char* wireName,
                                      bool (LocalMgmtProxy::*op)(const std::string&)) {
        return Operation{remote, [op](LocalMgmtProxy& p) { return std::to_string((p.*op)("162")); },
                         {stringParam(wireName, "162")},
                         CallStyle::Sync, {{5, remote}}, accepted,
                         "0", "1", "0", {{2, "findSchemaName: link lost\n"}}};
    };
    return {
        oneWay("setPhoneBusyStatus", [](LocalMgmtProxy& p) { p.setPhoneBusyStatus(5); },
               {intParam("busyStatus", 5)}),
        oneWay("clearPhoneBusyStatus", [](LocalMgmtProxy& p) { p.clearPhoneBusyStatus(6); },
               {intParam("busyStatus", 6)}),
        oneWay("invalidateTRVKCache", [](LocalMgmtProxy& p) { p.invalidateTRVKCache(); }),
        oneWay("refreshPictureClips", [](LocalMgmtProxy& p) { p.refreshPictureClips(); }),
        oneWay("factoryResetPreservingData", [](LocalMgmtProxy& p) { p.factoryResetPreservingData(); }),
        {"raiseGenericTrap",
         [](LocalMgmtProxy& p) { return std::to_string(p.raiseGenericTrap(Ifc::TRAP_DEST_SECONDARY, 42)); },
         {intParam("dest", 2), intParam("trapNo", 42)},
         CallStyle::OneWay, {{5, "raiseGenericTrap"}}, nullptr,
         "1", "", kThrew},
        {"raiseSpecificTrap",
         [](LocalMgmtProxy& p) {
             SNMPTrapData trap;
             trap.setValue("oid", "1.3.6");
             return std::to_string(p.raiseSpecificTrap(Ifc::TRAP_DEST_PRIMARY, trap));
         },
         {intParam("dest", 1), stringParam("SNMPTrapData", trapText())},
         CallStyle::OneWay, {{5, "raiseSpecificTrap"}}, nullptr,
         "1", "", kThrew},
        {"retrievePhoneBusyStatus",
         [](LocalMgmtProxy& p) { return std::to_string(p.retrievePhoneBusyStatus()); },
         {},
         CallStyle::Sync, {}, [](TestChannel& c) { c.replyInt("busyStatus", -2); },
         "0", "4294967294", kThrew},
        diagnostic("getPingOutput", &LocalMgmtProxy::getPingOutput),
        diagnostic("getTracerouteOutput", &LocalMgmtProxy::getTracerouteOutput),
        {"getEnvironmentVariable",
         [](LocalMgmtProxy& p) {
             std::string value = "keep";
             const bool ok = p.getEnvironmentVariable(ENV_SERIAL_NUMBER, value);
             return shown(ok, value);
         },
         {intParam("VariableSelection", 3)},
         CallStyle::Sync, {},
         [](TestChannel& c) { c.replyString("Acknowledge", "SUCCESS").replyString("Result", "SN-1"); },
         "false|keep", "true|SN-1", kThrew},
        trapCheck("validateSNMPTrapPort", "strPort", &LocalMgmtProxy::validateSNMPTrapPort),
        trapCheck("validateSNMPTrapIPAddress", "verboseSink", &LocalMgmtProxy::validateSNMPTrapIPAddress),
        {"getIDAndDisplayName",
         [](LocalMgmtProxy& p) {
             std::string id, name = "Desk";
             const bool ok = p.getIDAndDisplayName(id, name);
             return shown(ok, id + "|" + name);
         },
         {stringParam("identifier", "", INOUT), stringParam("displayname", "Desk", INOUT)},
         CallStyle::Sync, {{5, "getIDAndDisplayName"}},
         [](TestChannel& c) {
             c.replyBool("result", false)
                 .replyString("identifier", "SEP1", INOUT)
                 .replyString("displayname", "Hall", INOUT);
         },
         "false||Desk", "false|SEP1|Hall", "false||Desk",
         {{3, "getIDAndDisplayName: proxyReq->synchronousCall timeout.\n"}}},
        {"getUserDataSpaceInfo",
         [](LocalMgmtProxy& p) {
             MemoryInfo info;
             info.setValue("free", "1");
             p.getUserDataSpaceInfo(info);
             return info.getValue("free");
         },
         {},
         CallStyle::Sync, {{5, "getUserDataSpaceInfo"}},
         [](TestChannel& c) {
             c.replyString("Acknowledge", "SUCCESS").replyString("spaceinfo", spaceText("2048"));
         },
         "1", "2048", "1", {{3, "getUserDataSpaceInfo: proxyReq->synchronousCall timeout.\n"}}},
        {"performReboot", [](LocalMgmtProxy& p) { return std::to_string(p.performReboot("upgrade")); },
         {stringParam("rebootReason", "upgrade", INOUT)},
         CallStyle::SyncWithTimeout, {}, accepted,
         "0", "1", "1", {}, "performReboot:link lost\n", true},
        {"performFactoryReset",
         [](LocalMgmtProxy& p) { return std::to_string(p.performFactoryReset(kPassword, false)); },
         {stringParam("password", kPassword, INOUT), boolParam("reboot", false, INOUT)},
         CallStyle::SyncWithTimeout, {}, accepted,
         "0", "1", "1", {{2, "performFactoryReset: link lost\n"}}, "", true},
        {"verifyFactoryResetPassword",
         [](LocalMgmtProxy& p) { return std::to_string(p.verifyFactoryResetPassword(kPassword)); },
         {stringParam("password", kPassword, INOUT)},
         CallStyle::SyncWithTimeout, {}, [](TestChannel& c) { c.replyInt("result", 3); },
         "7", "3", "7", {{3, "verifyFactoryResetPassword: proxyReq->synchronousCall timeout.\n"}}},
    };
}

std::string outcome(const Operation& op, LocalMgmtProxy& proxy) {
    try {
        return op.call(proxy);
    } catch (const CorvexException& failure) {
        return std::string("threw ") + failure.what();
    }
}

// Levels and messages, checking on the way what every record must satisfy.
std::vector<Rec> checkedRecords(const LogCapture& log) {
    std::vector<Rec> out;
    for (const LogRecord& r : log.records()) {
        EXPECT_EQ(r.component, "LocalMgmtProxy");
        EXPECT_EQ(r.file, "./src/LocalMgmtProxy");
        EXPECT_EQ(r.message.find(kPassword), std::string::npos) << r.message;
        out.emplace_back(r.level, r.message);
    }
    return out;
}

struct DeviceControlTest : ::testing::Test {
    int reboots = 0;
    void SetUp() override { GPALAdmin::setRebootHandler([this] { ++reboots; }); }
    void TearDown() override { GPALAdmin::setRebootHandler({}); }
};

struct Bound {
    TestChannel channel;
    LocalMgmtProxy proxy;
    Bound() { proxy.initProxy(channel); }
};

}  // namespace

TEST_F(DeviceControlTest, RequestsAndReplies) {
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.remote);
        Bound empty, answering;
        LogCapture log({2, 3, 4, 5, 6});
        EXPECT_EQ(outcome(op, empty.proxy), op.unanswered) << "a reply without values";
        EXPECT_EQ(checkedRecords(log), op.trace);
        const SentCall& sent = empty.channel.only();
        EXPECT_EQ(sent.request.name(), op.remote);
        EXPECT_EQ(paramsOf(sent.request), op.params);
        EXPECT_EQ(sent.style, op.style);
        EXPECT_EQ(sent.timeout, op.style == CallStyle::SyncWithTimeout ? 60000 : 0);
        EXPECT_EQ(sent.callbackChannel, "");
        if (!op.answer) continue;
        op.answer(answering.channel);
        log.clear();
        EXPECT_EQ(outcome(op, answering.proxy), op.answered);
        EXPECT_EQ(checkedRecords(log), op.trace);
    }
    EXPECT_EQ(reboots, 0);
}

TEST_F(DeviceControlTest, FailuresFollowEachPatternAtEveryLevelSetting) {
    for (const Operation& op : operations()) {
        for (bool levelsOn : {true, false}) {
            SCOPED_TRACE(std::string(op.remote) + (levelsOn ? " levels on" : " levels off"));
            Bound failing;
            std::optional<LogCapture> log;
            levelsOn ? log.emplace({2, 3, 4, 5, 6}) : log.emplace();
            size_t recordsAtSend = 0;
            failing.channel.onCall = [&] {
                recordsAtSend = log->records().size();
                throw CorvexException("link lost");
            };
            reboots = 0;
            testing::internal::CaptureStdout();
            EXPECT_EQ(outcome(op, failing.proxy), op.failed);
            EXPECT_EQ(testing::internal::GetCapturedStdout(), op.printed);
            EXPECT_EQ(reboots, op.rebootsOnFailure ? 1 : 0);

            std::vector<Rec> expected = levelsOn ? op.trace : std::vector<Rec>{};
            EXPECT_EQ(recordsAtSend, expected.size()) << "the entry trace comes before the send";
            for (const Rec& r : op.failureRecords)
                if (levelsOn || r.first == 2) expected.push_back(r);
            EXPECT_EQ(checkedRecords(*log), expected);
        }
    }
}

TEST_F(DeviceControlTest, OtherExceptionsPassThroughWithoutRebootOrRecord) {
    Bound bound;
    bound.channel.onCall = [] { throw std::runtime_error("not ours"); };
    LogCapture log({2, 3, 4});
    for (const Operation& op : operations())
        EXPECT_THROW(op.call(bound.proxy), std::runtime_error) << op.remote;
    EXPECT_TRUE(log.records().empty());
    EXPECT_EQ(reboots, 0);
}

TEST_F(DeviceControlTest, OnlyAnExactSuccessAcknowledgeDeliversData) {
    const std::vector<std::optional<std::string>> refused{"success", "SUCCESS ", "SUCCESS\n", "",
                                                          std::nullopt};
    for (const auto& acknowledge : refused) {
        SCOPED_TRACE(acknowledge.value_or("(missing)"));
        Bound bound;
        if (acknowledge) bound.channel.replyString("Acknowledge", *acknowledge);
        bound.channel.replyString("Result", "SN-1").replyString("spaceinfo", spaceText("2048"));
        std::string value = "keep";
        const bool ok = bound.proxy.getEnvironmentVariable(ENV_DEVICE_NAME, value);
        EXPECT_EQ(shown(ok, value), "false|keep");
        MemoryInfo info;
        info.setValue("free", "1");
        bound.proxy.getUserDataSpaceInfo(info);
        EXPECT_EQ(info.getValue("free"), "1");
    }
}

TEST_F(DeviceControlTest, AcknowledgedRepliesWithoutUsableData) {
    LogCapture log({3});
    // Acknowledged: a missing "Result" is still an answer, the value is not cleared.
    Bound env;
    env.channel.replyString("Acknowledge", "SUCCESS");
    std::string value = "keep";
    const bool ok = env.proxy.getEnvironmentVariable(ENV_MAC_ADDRESS, value);
    EXPECT_EQ(shown(ok, value), "true|keep");

    // "spaceinfo" missing, then malformed ("free" has no '='): only the malformed one is a failure.
    for (const char* spaceinfo : {static_cast<const char*>(nullptr), "free"}) {
        Bound space;
        space.channel.replyString("Acknowledge", "SUCCESS");
        if (spaceinfo) space.channel.replyString("spaceinfo", spaceinfo);
        MemoryInfo info;
        info.setValue("free", "1");
        space.proxy.getUserDataSpaceInfo(info);
        EXPECT_EQ(info.serialize(), spaceText("1"));
    }
    EXPECT_EQ(log.formats(),
              std::vector<std::string>{"getUserDataSpaceInfo: proxyReq->synchronousCall timeout.\n"});
}

TEST_F(DeviceControlTest, IdentityKeepsWhatWasReadBeforeAFailingRead) {
    // Each reply has one value of the wrong kind; the reads before it stand.
    const std::vector<std::pair<std::function<void(TestChannel&)>, std::string>> cases{
        {[](TestChannel& c) { c.replyString("result", "yes"); }, "false|old|Desk"},
        {[](TestChannel& c) { c.replyBool("result", true).replyInt("identifier", 9, INOUT); },
         "true|old|Desk"},
        {[](TestChannel& c) {
             c.replyBool("result", true)
                 .replyString("identifier", "SEP1", INOUT)
                 .replyInt("displayname", 9, INOUT);
         },
         "true|SEP1|Desk"},
    };
    for (const auto& [script, expected] : cases) {
        Bound bound;
        script(bound.channel);
        LogCapture log({3});
        std::string id = "old", name = "Desk";
        const bool ok = bound.proxy.getIDAndDisplayName(id, name);
        EXPECT_EQ(shown(ok, id + "|" + name), expected);
        EXPECT_EQ(checkedRecords(log),
                  (std::vector<Rec>{{3, "getIDAndDisplayName: proxyReq->synchronousCall timeout.\n"}}));
    }
}

TEST_F(DeviceControlTest, TrapRecordThatCannotBeSerialisedStopsTheTrap) {
    struct Broken : SNMPTrapData {
        std::string serialize() override { throw CorvexException("bad trap"); }
    } broken;
    Bound bound;
    EXPECT_THROW(bound.proxy.raiseSpecificTrap(Ifc::TRAP_DEST_ALL, broken), CorvexException);
    EXPECT_TRUE(bound.channel.calls.empty());
}
