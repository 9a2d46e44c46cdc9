// The kit as a client test uses it: the built library loaded by path, its
// proxies bound to a SimulatedPhone, faults scripted on a fake clock,
// observers called back, the call record read and the state set up and read
// back whole. Links the kit only, as a client would.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <list>
#include <stdexcept>
#include <string>
#include <vector>

#include "LocalMgmtIfc.h"
#include "testing/Clock.h"
#include "testing/DataChanged.h"
#include "testing/PhoneState.h"
#include "testing/ProxyLibrary.h"
#include "testing/SimulatedPhone.h"

using namespace mgmtkit;

namespace {

using Ifc = LocalMgmtIfc;

struct KitTest : ::testing::Test {
    ProxyLibrary library{PROXY_LIBRARY_PATH};
    SimulatedPhone phone;
    SimulatedContext context;
    FakeClock clock;
    LoadedProxy<LocalMgmtIfc> local{library, kLocalMgmtFactory, phone};
    LoadedProxy<LocalMgmtIfc> other{library, kLocalMgmtFactory, phone};
    KitTest() {
        context.attach(phone);
        phone.useClock(clock);
    }
};

// An agent as a client writes one: the framework knows it as an Executable,
// and it hears what it observes.
struct ListeningAgent : MgmtAgentIfc, Executable, NotificationSink {
    std::vector<DataChanged> heard;
    void init(Context&) override {}
    void shutdown() override {}
    void notify(const Method& notification) override { heard.push_back(readDataChanged(notification).value()); }
};

ManageableData dataOf(const KeyValues& values) {
    ManageableData data;
    for (const auto& [key, value] : values) data.setValue(key, value);
    return data;
}

using std::chrono::milliseconds;
using std::chrono::seconds;

// A fault named by the operation rather than its remote method: the worked
// example's tests.
TEST_F(KitTest, EachScriptedFaultShowsInWhatTheProxyReturnsAndIsRestored) {
    const auto countLimit = [&] { return std::to_string(local->getFileTypeCountLimit(Ifc::FILETYPE_RINGER)); };
    const auto upload = [&] { return std::to_string(local->uploadUserFile(Ifc::FILETYPE_RINGER, "Chirp.raw")); };
    const auto verify = [&] { return std::to_string(local->verifyFactoryResetPassword("admin123")); };
    const auto nameLimit = [&] { return std::to_string(local->getFileTypeNameLimit(Ifc::FILETYPE_RINGER)); };
    const auto ringers = [&] {
        std::list<std::string> files{"kept.raw"};
        const bool found = local->getListOfFilesOfType(Ifc::FILETYPE_RINGER, &files);
        return std::string(found ? "true " : "false ") + std::to_string(files.size());
    };
    const struct {
        const char* name;
        std::function<void()> script;
        std::function<std::string()> call;
        std::vector<std::string> results;  // of successive calls, then one more after restoreAll
        std::string failure;               // of the first call, as the call record has it
        milliseconds waited;               // by the clock, over all calls
    } cases[] = {
        {"fail always", [&] { phone.fail("getFileTypeCountLimit", "link lost"); }, countLimit,
         {"0", "0", "8"}, "link lost", milliseconds(0)},
        {"fail the next two", [&] { phone.failNext("uploadUserFile", 2, "busy"); }, upload,
         {"-1", "-1", "0", "0"}, "busy", milliseconds(0)},
        {"answer after the call's time-out",
         [&] { phone.answerLate("verifyFactoryResetPassword", std::chrono::minutes(2)); }, verify, {"7", "0"},
         "verifyFactoryResetPassword: no answer within 60000 ms", milliseconds(60000)},
        {"answer late, within the time-out", [&] { phone.answerLate("getFileTypeCountLimit", seconds(30)); },
         countLimit, {"8", "8"}, "", milliseconds(30000)},
        {"answer after the channel's default time-out",
         [&] {
             phone.setDefaultTimeout(seconds(25));
             phone.answerLate("getFileTypeNameLimit", seconds(30));
         },
         nameLimit, {"0", "24"}, "getFileTypeNameLimit: no answer within 25000 ms", milliseconds(25000)},
        {"answer malformed", [&] { phone.answerMalformed("getListOfFilesOfType"); }, ringers,
         {"false 1", "true 2"}, "", milliseconds(0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        phone.clearCalls();
        const Clock::Time start = clock.now();
        c.script();
        std::vector<std::string> results;
        for (std::size_t i = 0; i + 1 < c.results.size(); ++i) results.push_back(c.call());
        phone.restoreAll();
        results.push_back(c.call());
        EXPECT_EQ(results, c.results);
        EXPECT_EQ(clock.now() - start, c.waited);
        const std::vector<Exchange> calls = phone.calls();
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front().failure.value_or(""), c.failure);
        phone.setDefaultTimeout(milliseconds(0));
    }
}

// Writes through setData and the telephone's own changes reach observers in the
// worked example's tests (examples/settings); here an announced change, and
// nothing once the observer stops.
TEST_F(KitTest, AnObserverHearsAnnouncedChangesUntilItStops) {
    ListeningAgent agent;
    ASSERT_TRUE(local->observeManageableData("audio", &agent));
    ManageableData announced = dataOf({{"audio.ringVolume", "4"}});
    EXPECT_EQ(other->manageableDataChanged(announced), 1);  // another component's proxy
    ASSERT_TRUE(local->stopObservingManageableData("audio", &agent));
    other->manageableDataChanged(announced);
    EXPECT_EQ(agent.heard, (std::vector<DataChanged>{{"audio", {{"audio.ringVolume", "4"}}}}));
}

TEST(DataChangedTest, ReadsANotificationAsItIsHandedOverAndRefusesOneWithoutItsValues) {
    const Method notification = notificationOf({"audio", {{"audio.ringVolume", "7"}, {"audio.keyClick", "a;b=c"}}});
    EXPECT_EQ(readDataChanged(notification),
              (DataChanged{"audio", {{"audio.ringVolume", "7"}, {"audio.keyClick", "a;b=c"}}}));
    EXPECT_EQ(readDataChanged(Method("somethingElse", Method::REQUEST)), std::nullopt);
    Method bare(kDataChanged, Method::REQUEST);
    bare.addStringParameter("nodeId", "audio", Parameter::IN);
    EXPECT_THROW(readDataChanged(bare), CorvexException);
}

TEST_F(KitTest, TheCallRecordHoldsRequestsRepliesFailuresAndNotificationsInOrder) {
    ListeningAgent agent;
    phone.state().device.setIdentity("SEP-7", "Lab");
    std::string identifier, name;
    local->getIDAndDisplayName(identifier, name);
    local->setPhoneBusyStatus(2);
    local->observeManageableData("audio", &agent);
    phone.failNext("setData", 1, "link lost");
    ManageableData data = dataOf({{"audio.ringVolume", "1"}});
    local->setData(data);
    local->setData(data);
    EXPECT_EQ(callsText(phone.calls()),
              "-> getIDAndDisplayName (synchronous) S:identifier= S:displayname=\n"
              "<- >b:result=1 S:identifier=SEP-7 S:displayname=Lab\n"
              "-> setPhoneBusyStatus (one-way) i:busyStatus=2\n"
              "-> observeData (synchronous with callback channel) @agent-1 s:nodeId=audio\n"
              "<- >b:result=1\n"
              "-> setData (synchronous) S:manageableData=audio.ringVolume=1\n"
              "<- failed: link lost\n"
              "-> setData (synchronous) S:manageableData=audio.ringVolume=1\n"
              "<- >b:result=1 S:manageableData=audio.ringVolume=1\n"
              "=> dataChanged @agent-1 s:nodeId=audio s:manageableData=audio.ringVolume=1\n");
}

// How answered requests and notifications look in it, data passwords hidden,
// the served telephone's tests show (tests/bus, examples/python); here what
// the kit's clock and caller fill in, a failed call with a time-out, the cap.
TEST_F(KitTest, TheCallRecordAsJsonHasTheCallerTimeAndOutcomeWithPasswordsHidden) {
    clock.advance(std::chrono::microseconds(1500));
    phone.setCaller(":1.7");
    phone.fail("verifyFactoryResetPassword", "locked");
    local->verifyFactoryResetPassword("admin123");
    EXPECT_EQ(phone.callsDocument(),
              R"({"calls":[{"kind":"request","method":"verifyFactoryResetPassword","style":"synchronous with time-out",)"
              R"("timeout":60000,"callbackChannel":"","caller":":1.7","time":"1970-01-01T00:00:00.001500Z",)"
              R"("parameters":[{"name":"password","kind":"string","direction":"inout","value":"********"}],)"
              R"("outcome":"failed","failure":"locked"}],"dropped":0})");
    local->setPhoneBusyStatus(1);
    local->setPhoneBusyStatus(2);
    phone.keepCalls(1);
    EXPECT_EQ(phone.calls().size(), 1u);
    EXPECT_NE(phone.callsDocument().find(R"("dropped":2})"), std::string::npos);
}

TEST_F(KitTest, StateSetUpIsWhatTheProxiesRead) {
    PhoneState& state = phone.state();
    ASSERT_TRUE(state.files.addFile("ringer", "Mine.raw", "visitorUser"));
    EXPECT_FALSE(state.files.addFile("no-such-type", "x"));
    state.device.setEnvironmentVariable(3, "SN-42");
    state.data.addSchema("lab", "LabSettings");

    std::list<std::string> visitor, base;
    local->getListOfFilesOfType(Ifc::FILETYPE_RINGER, &visitor, Ifc::USER_VISITOR);
    local->getListOfFilesOfType(Ifc::FILETYPE_RINGER, &base);
    EXPECT_EQ(visitor, (std::list<std::string>{"Classic.raw", "Chirp.raw", "Mine.raw"}));
    EXPECT_EQ(base, (std::list<std::string>{"Classic.raw", "Chirp.raw"}));
    std::string value;
    EXPECT_TRUE(local->getEnvironmentVariable(ENV_SERIAL_NUMBER, value));
    EXPECT_EQ(value, "SN-42");
    EXPECT_EQ(local->findSchemaName("lab.bench"), "LabSettings");
}

TEST_F(KitTest, TheStateDocumentGoesBackInAsItCameOutAndResetStartsAfresh) {
    const std::string fresh = phone.stateDocument();
    // A session that touches the areas, faults and passwords included; the busy
    // status and the current user go back in through mgmtctl (tests/bus).
    ListeningAgent agent;
    local->observeManageableData("audio", &agent);
    local->registerManagementIdentity("mgr", &agent, true);
    local->clearSpecificUserData(Ifc::RESET_USER_FILES);
    local->startDownload(Ifc::FILETYPE_TONE, false, Ifc::CERTIFICATE_NONE);
    ManageableData data = dataOf({{"security.webPassword", "s3cret-s3cret"}, {"lab.bench", "7"}});
    local->setData(data);
    local->raiseGenericTrap(Ifc::TRAP_DEST_PRIMARY, 4);
    phone.state().device.setFactoryResetPassword("pin-4711");
    phone.failNext("uploadUserFile", 3, "full");
    phone.answerLate("getData", milliseconds(250));
    phone.answerMalformed("getSchema");
    const std::string used = phone.stateDocument();
    EXPECT_EQ(used.find("s3cret"), std::string::npos);

    phone.setState(used);
    EXPECT_EQ(phone.stateDocument(), used);
    EXPECT_EQ(phone.state().data.value("security.webPassword"), "s3cret-s3cret");  // hidden, and kept
    EXPECT_EQ(local->verifyFactoryResetPassword("pin-4711"), 0);
    EXPECT_EQ(phone.faults().at("uploadUserFile").remaining, 3);

    phone.reset();
    EXPECT_EQ(phone.stateDocument(), fresh);
    EXPECT_EQ(local->uploadUserFile(Ifc::FILETYPE_RINGER, "Chirp.raw"), 0);
    phone.changeData({{"audio.ringVolume", "1"}});
    EXPECT_TRUE(agent.heard.empty()) << "observers are dropped";
}

TEST_F(KitTest, ADocumentSetsUpOnlyWhatItSaysAndOneThatDoesNotFitChangesNothing) {
    phone.setState(R"({"files": {"types": {"ringer": {"files": ["A.raw"]}}},
                      "faults": {"observeManageableData": {"fail": "down"}}})");
    std::list<std::string> ringers;
    local->getListOfFilesOfType(Ifc::FILETYPE_RINGER, &ringers);
    EXPECT_EQ(ringers, std::list<std::string>{"A.raw"});
    EXPECT_EQ(phone.state().files.countLimit("ringer"), 8) << "the rest of the type as it starts";
    EXPECT_EQ(phone.faults().at("observeData").text, "down");

    const std::string before = phone.stateDocument();
    const struct {
        const char* document;
        const char* refusal;
    } bad[] = {
        {R"({"device": {"busystatus": 1}})", "state document: device.busystatus: unknown key"},
        {R"({"device": {"busyStatus": -1}})", "state document: device.busyStatus: must be a number of 0 or more"},
        {R"({"files": {"types": {"ringtone": {}}}})", "state document: files.types.ringtone: no file type is named ringtone"},
        {R"({"users": {"current": "nobody"}})", "state document: users.current: no user kind is named nobody"},
        {R"({"data": {"nodes": {"a": 1}}})", "state document: data.nodes.a: type must be string, but is number"},
        {R"({"faults": {"frobnicate": {"fail": "x"}}})", "no remote method or operation is named frobnicate"},
        {"{", "state document: (the whole): not JSON"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.document);
        try {
            phone.setState(c.document);
            ADD_FAILURE() << "taken";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.refusal, 0), 0u) << error.what();
        }
        EXPECT_EQ(phone.stateDocument(), before);
    }
}

// A library that cannot be loaded, or has no such factory: mgmtctl_test.py's (BadInput).
TEST(ProxyLibraryTest, SaysWhenAFactoryMakesAnotherInterface) {
    ProxyLibrary library(PROXY_LIBRARY_PATH);
    SimulatedPhone phone;
    try {
        LoadedProxy<LocalMgmtIfc>(library, kLocationFactory, phone);
        ADD_FAILURE() << "loaded";
    } catch (const LibraryError& error) {
        EXPECT_STREQ(error.what(), "createLocationDeliveryRequestProxy: the proxy is not a LocalMgmtIfc");
    }
}

}  // namespace
