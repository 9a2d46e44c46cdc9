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
        {"named by the operation", [&] { phone.fail("getListOfFilesOfTypeForUser", "gone"); },
         [&] {
             std::list<std::string> files;
             return std::to_string(local->getListOfFilesOfType(Ifc::FILETYPE_RINGER, &files, Ifc::USER_DEFAULT));
         },
         {"0", "1"}, "gone", milliseconds(0)},
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

TEST_F(KitTest, AnObserverHearsOfEveryWriteToItsNodesUntilItStops) {
    ListeningAgent agent, bystander;
    ASSERT_TRUE(local->observeManageableData("audio", &agent));
    ASSERT_TRUE(local->observeManageableData("display", &bystander));
    ManageableData written = dataOf({{"audio.ringVolume", "3"}, {"network.dhcp", "false"}});
    EXPECT_TRUE(other->setData(written));  // another component's proxy
    phone.changeData({{"audio.keyClick", "false"}});
    ManageableData announced = dataOf({{"audio.ringVolume", "4"}});
    EXPECT_EQ(other->manageableDataChanged(announced), 1);
    EXPECT_EQ(agent.heard, (std::vector<DataChanged>{{"audio", {{"audio.ringVolume", "3"}}},
                                                     {"audio", {{"audio.keyClick", "false"}}},
                                                     {"audio", {{"audio.ringVolume", "4"}}}}));
    EXPECT_TRUE(bystander.heard.empty());

    ASSERT_TRUE(local->stopObservingManageableData("audio", &agent));
    written = dataOf({{"audio.ringVolume", "5"}});
    other->setData(written);
    EXPECT_EQ(agent.heard.size(), 3u);
    EXPECT_EQ(phone.state().data.value("audio.ringVolume"), "5");
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
    EXPECT_EQ(phone.state().device.busy(), 2u);
}

TEST_F(KitTest, TheCallRecordAsJsonHasTheCallerTimeAndOutcomeWithPasswordsHidden) {
    ListeningAgent agent;
    local->observeManageableData("security", &agent);
    phone.clearCalls();
    clock.advance(std::chrono::microseconds(1500));
    phone.setCaller(":1.7");
    ManageableData secret = dataOf({{"security.webPassword", "hunter22"}});
    local->setData(secret);
    phone.fail("verifyFactoryResetPassword", "locked");
    local->verifyFactoryResetPassword("admin123");
    EXPECT_EQ(phone.callsDocument(),
              R"({"calls":[)"
              R"({"kind":"request","method":"setData","style":"synchronous","timeout":0,"callbackChannel":"",)"
              R"("caller":":1.7","time":"1970-01-01T00:00:00.001500Z","parameters":[{"name":"manageableData",)"
              R"("kind":"string","direction":"inout","value":"security.webPassword=********"}],"outcome":"answered",)"
              R"("reply":[{"name":"result","kind":"bool","direction":"out","value":true},{"name":"manageableData",)"
              R"("kind":"string","direction":"inout","value":"security.webPassword=********"}]},)"
              R"({"kind":"notification","method":"dataChanged","style":"one-way with callback channel","timeout":0,)"
              R"("callbackChannel":"agent-1","caller":":1.7","time":"1970-01-01T00:00:00.001500Z","parameters":[)"
              R"({"name":"nodeId","kind":"string","direction":"in","value":"security"},{"name":"manageableData",)"
              R"("kind":"string","direction":"in","value":"security.webPassword=********"}],"outcome":"sent"},)"
              R"({"kind":"request","method":"verifyFactoryResetPassword","style":"synchronous with time-out",)"
              R"("timeout":60000,"callbackChannel":"","caller":":1.7",)"
              R"("time":"1970-01-01T00:00:00.001500Z","parameters":[{"name":"password","kind":"string",)"
              R"("direction":"inout","value":"********"}],"outcome":"failed","failure":"locked"}],"dropped":0})");
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
    // A session that touches every area, faults and passwords included.
    ListeningAgent agent;
    local->setPhoneBusyStatus(6);
    local->observeManageableData("audio", &agent);
    local->registerManagementIdentity("mgr", &agent, true);
    local->changeCurrentUser(Ifc::USER_VISITOR);
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
    EXPECT_EQ(used.find("pin-4711"), std::string::npos);

    phone.setState(used);
    EXPECT_EQ(phone.stateDocument(), used);
    EXPECT_EQ(phone.state().data.value("security.webPassword"), "s3cret-s3cret");  // hidden, and kept
    EXPECT_EQ(local->verifyFactoryResetPassword("pin-4711"), 0);
    EXPECT_EQ(phone.faults().at("uploadUserFile").remaining, 3);

    phone.reset();
    EXPECT_EQ(phone.stateDocument(), fresh);
    EXPECT_TRUE(phone.calls().empty());
    EXPECT_EQ(local->uploadUserFile(Ifc::FILETYPE_RINGER, "Chirp.raw"), 0);
    phone.changeData({{"audio.ringVolume", "1"}});
    EXPECT_TRUE(agent.heard.empty()) << "observers are dropped";
}

TEST_F(KitTest, ADocumentSetsUpOnlyWhatItSaysAndOneThatDoesNotFitChangesNothing) {
    phone.setState(R"({"device": {"busyStatus": 4}, "files": {"types": {"ringer": {"files": ["A.raw"]}}},
                      "faults": {"observeManageableData": {"fail": "down"}}})");
    EXPECT_EQ(local->retrievePhoneBusyStatus(), 4u);
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

TEST(ProxyLibraryTest, SaysWhichLibraryAndWhatIsWrong) {
    const auto failure = [](const std::function<void()>& load) {
        try {
            load();
        } catch (const LibraryError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(failure([] { ProxyLibrary("/nonexistent/libX.so"); }).rfind("cannot load the proxy library /nonexistent/libX.so: ", 0),
              0u);
    EXPECT_EQ(failure([] { ProxyLibrary{FRAMEWORK_LIBRARY_PATH}; }).rfind(
                  std::string("the proxy library ") + FRAMEWORK_LIBRARY_PATH + " has no factory createLocalMgmtProxy", 0),
              0u);
    ProxyLibrary library(PROXY_LIBRARY_PATH);
    SimulatedPhone phone;
    EXPECT_EQ(failure([&] { LoadedProxy<LocalMgmtIfc>(library, kLocationFactory, phone); }),
              "createLocationDeliveryRequestProxy: the proxy is not a LocalMgmtIfc");
}

}  // namespace
