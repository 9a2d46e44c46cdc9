// The kit as a client test uses it: the built library loaded by path, its
// proxies bound to a SimulatedPhone, faults scripted, observers called back
// and the traffic read. Links the kit only, as a client would.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <list>
#include <stdexcept>
#include <string>
#include <vector>

#include "LocalMgmtIfc.h"
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
    LoadedProxy<LocalMgmtIfc> local{library, kLocalMgmtFactory, phone, "LocalMgmtIfc"};
    LoadedProxy<LocalMgmtIfc> other{library, kLocalMgmtFactory, phone, "LocalMgmtIfc"};
    KitTest() { context.attach(phone); }
};

// An agent as a client writes one: the framework knows it as an Executable,
// and it hears what it observes.
struct ListeningAgent : MgmtAgentIfc, Executable, NotificationSink {
    std::vector<std::string> heard;  // "nodeId: manageableData"
    void init(Context&) override {}
    void shutdown() override {}
    void notify(const Method& notification) override {
        Method copy = notification;
        std::string node, data;
        copy.getStringParameter("nodeId", node, Parameter::IN);
        copy.getStringParameter("manageableData", data, Parameter::IN);
        heard.push_back(notification.name() + " " + node + ": " + data);
    }
};

ManageableData dataOf(const KeyValues& values) {
    ManageableData data;
    for (const auto& [key, value] : values) data.setValue(key, value);
    return data;
}

TEST_F(KitTest, EachScriptedFaultShowsInWhatTheProxyReturnsAndIsRestored) {
    const auto countLimit = [&] { return std::to_string(local->getFileTypeCountLimit(Ifc::FILETYPE_RINGER)); };
    const auto upload = [&] { return std::to_string(local->uploadUserFile(Ifc::FILETYPE_RINGER, "Chirp.raw")); };
    const auto verify = [&] { return std::to_string(local->verifyFactoryResetPassword("admin123")); };
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
        std::string failure;               // of the first call, as the traffic records it
    } cases[] = {
        {"fail always", [&] { phone.failMethod("getFileTypeCountLimit", "link lost"); }, countLimit,
         {"0", "0", "8"}, "link lost"},
        {"fail the next two", [&] { phone.failNext("uploadUserFile", 2, "busy"); }, upload,
         {"-1", "-1", "0", "0"}, "busy"},
        {"answer after the time-out", [&] { phone.answerLate("verifyFactoryResetPassword", std::chrono::minutes(2)); },
         verify, {"7", "0"}, "verifyFactoryResetPassword: no answer within 60000 ms"},
        {"answer malformed", [&] { phone.answerMalformed("getListOfFilesOfType"); }, ringers,
         {"false 1", "true 2"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        phone.clearTraffic();
        c.script();
        std::vector<std::string> results;
        for (std::size_t i = 0; i + 1 < c.results.size(); ++i) results.push_back(c.call());
        phone.restoreAll();
        results.push_back(c.call());
        EXPECT_EQ(results, c.results);
        const std::vector<TrafficEntry> traffic = phone.traffic();
        ASSERT_FALSE(traffic.empty());
        EXPECT_EQ(traffic.front().failure.value_or(""), c.failure);
    }
    EXPECT_THROW(phone.failMethod("getFileTypeCountLimits", "typo"), std::invalid_argument);
}

TEST_F(KitTest, ALateAnswerWithinItsTimeOutArrivesLate) {
    const auto delay = std::chrono::milliseconds(30);
    phone.answerLate("getFileTypeNameLimit", delay);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(local->getFileTypeNameLimit(Ifc::FILETYPE_RINGER), 24);
    EXPECT_GE(std::chrono::steady_clock::now() - start, delay);
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
    EXPECT_EQ(agent.heard, (std::vector<std::string>{"dataChanged audio: audio.ringVolume=3",
                                                      "dataChanged audio: audio.keyClick=false",
                                                      "dataChanged audio: audio.ringVolume=4"}));
    EXPECT_TRUE(bystander.heard.empty());

    ASSERT_TRUE(local->stopObservingManageableData("audio", &agent));
    written = dataOf({{"audio.ringVolume", "5"}});
    other->setData(written);
    EXPECT_EQ(agent.heard.size(), 3u);
    EXPECT_EQ(phone.state().data.value("audio.ringVolume"), "5");
}

TEST_F(KitTest, TheTrafficRecordsRequestsRepliesFailuresAndNotificationsInOrder) {
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
    EXPECT_EQ(trafficText(phone.traffic()),
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
    EXPECT_EQ(failure([&] { LoadedProxy<LocalMgmtIfc>(library, kLocationFactory, phone, "LocalMgmtIfc"); }),
              "createLocationDeliveryRequestProxy made an object that is not a LocalMgmtIfc");
}

}  // namespace
