// Manageable data: what setData's level-5 record shows, and the in-process
// shortcut of the four operations that may skip the channel. When a reply
// refills the caller's object is the conformance test's and the fault sweep's.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "ProxyRig.h"

using namespace testing_support;
using ::testing::Ref;
using ::testing::Return;

namespace {

using Ifc = LocalMgmtIfc;

// An in-process implementation of the service. LocalMgmtProxy implements the
// whole interface already; bound to a channel that refuses every call,
// anything but the four mocked operations fails.
class InProcessService : public Service, public LocalMgmtProxy {
public:
    InProcessService() {
        refusing.onCall = [] { throw std::logic_error("not one of the four shortcut operations"); };
        initProxy(refusing);
    }
    MOCK_METHOD(bool, setData, (ManageableData&), (override));
    MOCK_METHOD(bool, getData, (ManageableData&), (override));
    MOCK_METHOD(int, manageableDataChanged, (ManageableData&), (override));
    MOCK_METHOD(std::string, findSchemaName, (const std::string&), (override));
    void init(Context&) override {}
    void shutdown() override {}
    void run() override {}

private:
    TestChannel refusing;
};

// Some other service living in the process.
struct UnrelatedService : Service {
    void init(Context&) override {}
    void shutdown() override {}
    void run() override {}
};

ManageableData keyV() {
    ManageableData data;
    data.setValue("key", "v");
    return data;
}

using Call = std::function<void(LocalMgmtProxy&, ManageableData&)>;
const Call kSetData = [](LocalMgmtProxy& p, ManageableData& d) { p.setData(d); };
const Call kGetData = [](LocalMgmtProxy& p, ManageableData& d) { p.getData(d); };
const Call kChanged = [](LocalMgmtProxy& p, ManageableData& d) { p.manageableDataChanged(d); };
const Call kFindSchemaName = [](LocalMgmtProxy& p, ManageableData&) { p.findSchemaName("node.1"); };
const Call kGetSchema = [](LocalMgmtProxy& p, ManageableData& d) { p.getSchema("schema.a", d); };
const Call kExportSchema = [](LocalMgmtProxy& p, ManageableData&) { p.exportSchema("schema.a"); };
const Call kCheckEditable = [](LocalMgmtProxy& p, ManageableData& d) { p.checkDataEditable(d, Ifc::ACCESS_USER); };
const Call kSetEditable = [](LocalMgmtProxy& p, ManageableData& d) { p.setDataEditable(d, Ifc::EDITABLE_NO); };

}  // namespace

TEST(ManageableData, SetDataRecordMasksPasswordsWhileTheServiceGetsThemPlain) {
    for (bool levelFive : {false, true}) {
        SCOPED_TRACE(levelFive);
        ProxyRig rig;
        ManageableData data = keyV();
        data.setValue("adminPassword", "s3cret");
        LogCapture log = levelFive ? LogCapture{0, 1, 2, 3, 4, 5, 6} : LogCapture{0, 1, 2, 3, 4, 6};
        rig.proxy.setData(data);
        EXPECT_EQ(wireParams(rig.channel.only().request),
                  std::vector<std::string>{"S:manageableData=adminPassword=s3cret;key=v"});
        EXPECT_EQ(levelsAndMessages(log),
                  levelFive ? std::vector<std::string>{"5 Proxy - setData - sent = adminPassword=********;key=v\n"}
                            : std::vector<std::string>{});
    }
}

TEST(ManageableDataLookup, WithoutAnInProcessServiceTheOneLookupIsNeverRepeated) {
    UnrelatedService unrelated;
    for (Service* found : {static_cast<Service*>(nullptr), static_cast<Service*>(&unrelated)}) {
        SCOPED_TRACE(found == nullptr ? "nothing found" : "found service is not a LocalMgmtIfc");
        ProxyRig rig("mgmt.local");
        rig.context.service = found;
        EXPECT_EQ(rig.context.serviceLookups, 0) << "binding does not look";
        ManageableData data = keyV();
        for (int round = 0; round < 2; ++round)
            for (const Call& call : {kSetData, kGetData, kChanged, kFindSchemaName}) call(rig.proxy, data);
        EXPECT_EQ(rig.channel.requests().size(), 8u);
        EXPECT_EQ(rig.context.serviceLookups, 1);
        EXPECT_EQ(rig.context.lastServiceName, "mgmt.local");
        EXPECT_EQ(rig.context.lastInstance, "");
    }

    // A channel without a framework context knows no in-process service.
    TestChannel bare;
    LocalMgmtProxy proxy;
    proxy.initProxy(bare);
    EXPECT_EQ(proxy.getService(), nullptr);
}

TEST(ManageableDataLookup, AnInProcessServiceAnswersTheFourDataOperationsAndNothingElse) {
    ProxyRig rig;
    InProcessService service;
    rig.context.service = &service;
    ManageableData data = keyV();
    EXPECT_CALL(service, setData(Ref(data))).Times(2).WillRepeatedly(Return(true));
    EXPECT_CALL(service, getData(Ref(data))).Times(2).WillRepeatedly(Return(true));
    EXPECT_CALL(service, manageableDataChanged(Ref(data))).Times(2).WillRepeatedly(Return(5));
    EXPECT_CALL(service, findSchemaName("node.1")).Times(2).WillRepeatedly(Return("local.schema"));

    LogCapture log({5});
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(rig.proxy.setData(data));
        EXPECT_TRUE(rig.proxy.getData(data));
        EXPECT_EQ(rig.proxy.manageableDataChanged(data), 5);
        EXPECT_EQ(rig.proxy.findSchemaName("node.1"), "local.schema");
    }
    EXPECT_TRUE(rig.channel.requests().empty());
    EXPECT_EQ(rig.context.serviceLookups, 1);
    // The entry traces come before the shortcut; setData's data record after it.
    EXPECT_EQ(log.formats(), (std::vector<std::string>{"getData", "manageableDataChanged", "findSchemaName", "getData",
                                                       "manageableDataChanged", "findSchemaName"}));

    for (const Call& call : {kGetSchema, kExportSchema, kCheckEditable, kSetEditable}) call(rig.proxy, data);
    EXPECT_EQ(rig.channel.requests().size(), 4u);

    EXPECT_CALL(service, setData(Ref(data))).WillOnce([](ManageableData&) -> bool {
        throw CorvexException("local failure");
    });
    EXPECT_THROW(rig.proxy.setData(data), CorvexException);
}
