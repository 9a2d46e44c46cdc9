// Manageable data access: the requests, how replies refill the caller's
// object, the failure records, and the in-process shortcut of the four
// operations that may skip the channel.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "LocalMgmtProxy.h"
#include "LogCapture.h"
#include "TestChannel.h"

using namespace testing_support;
using ::testing::PrintToString;
using ::testing::Ref;
using ::testing::Return;

namespace {

using Ifc = LocalMgmtIfc;

// An in-process implementation of the service. Only the four data operations
// may be called directly; the rest answer trivially.
class LocalServiceDouble : public Service, public LocalMgmtIfc {
public:
    MOCK_METHOD(bool, setData, (ManageableData&), (override));
    MOCK_METHOD(bool, getData, (ManageableData&), (override));
    MOCK_METHOD(int, manageableDataChanged, (ManageableData&), (override));
    MOCK_METHOD(std::string, findSchemaName, (const std::string&), (override));

    void init(Context&) override {}
    void shutdown() override {}
    void run() override {}
    std::string exportSchema(const std::string&) override { return {}; }
    bool startDownload(eFiletype, bool, eCertificateType) override { return false; }
    bool startDownload(eFiletype, Executable*, bool, eCertificateType) override { return false; }
    bool startDownload(eDownloadProtocol, const std::string&, const std::string&, const std::string&,
                       const std::string&, eFiletype, const std::string&, const std::string&, bool,
                       eCertificateType) override { return false; }
    bool startDownload(eDownloadProtocol, const std::string&, const std::string&, const std::string&,
                       const std::string&, eFiletype, const std::string&, const std::string&, Executable*,
                       bool, std::string, bool, eCertificateType) override { return false; }
    int upgradeSoftwareImageWithFile(const std::string&) override { return 0; }
    int uploadUserFile(eFiletype, const std::string&) override { return 0; }
    int requestCurrentDownloadStatus(eFiletype, const std::string&) override { return 0; }
    bool getIDAndDisplayName(std::string&, std::string&) override { return false; }
    bool changeCurrentUser(eUsertype) override { return false; }
    bool clearMobileUserData() override { return false; }
    bool getFilePathFromType(eFiletype, std::string&) override { return false; }
    bool getFilePathFromType(eFiletype, std::string&, eUsertype) override { return false; }
    bool getListOfFilesOfType(eFiletype, std::list<std::string>*) override { return false; }
    bool getListOfFilesOfType(eFiletype, std::list<std::string>*, eUsertype) override { return false; }
    std::string getFileTypeMetadata(eFiletype) override { return {}; }
    int getFileTypeCountLimit(eFiletype) override { return 0; }
    int getFileTypeNameLimit(eFiletype) override { return 0; }
    void setPhoneBusyStatus(unsigned int) override {}
    unsigned int retrievePhoneBusyStatus() override { return 0; }
    void clearPhoneBusyStatus(unsigned int) override {}
    bool performFactoryReset(const std::string&, bool) override { return false; }
    int verifyFactoryResetPassword(const std::string&) override { return 0; }
    bool performReboot(const std::string&) override { return false; }
    bool getSchema(const std::string&, ManageableData&) override { return false; }
    void registerManagementIdentity(const std::string&, MgmtAgentIfc*) override {}
    void registerManagementIdentity(const std::string&, MgmtAgentIfc*, bool) override {}
    bool observeManageableData(const std::string&, MgmtAgentIfc*) override { return false; }
    bool observeManageableData(const std::string&, MgmtAgentIfc*, bool) override { return false; }
    bool observeManageableData(const std::list<std::string>&, MgmtAgentIfc*) override { return false; }
    bool stopObservingManageableData(const std::string&, MgmtAgentIfc*) override { return false; }
    bool raiseGenericTrap(TrapDest, int) override { return false; }
    bool raiseSpecificTrap(TrapDest, SNMPTrapData&) override { return false; }
    bool checkDataEditable(ManageableData&, eAccessLevel) override { return false; }
    void setDataEditable(ManageableData&, eEditableStatus) override {}
    void invalidateTRVKCache() override {}
    bool clearAllUserData() override { return false; }
    void clearSpecificUserData(eResetSpecificUserDataGroup) override {}
    void factoryResetPreservingData() override {}
    void getUserDataSpaceInfo(MemoryInfo&) override {}
    bool validateFile(eFiletype, const std::string&) override { return false; }
    bool deleteFile(eFiletype, const std::string&) override { return false; }
    void cleanupUserData(eFiletype, eUsertype) override {}
    void refreshPictureClips() override {}
    bool getEnvironmentVariable(envVar, std::string&) override { return false; }
    std::string getPingOutput(const std::string&) override { return {}; }
    std::string getTracerouteOutput(const std::string&) override { return {}; }
};

// Some other service living in the process.
struct UnrelatedService : Service {
    void init(Context&) override {}
    void shutdown() override {}
    void run() override {}
};

std::string textOf(ManageableData& data) { return data.serialize(ManageableData::KEY_VALUE_TEXT); }
std::string textOf(std::initializer_list<std::pair<const char*, const char*>> values) {
    ManageableData data;
    for (const auto& [key, value] : values) data.setValue(key, value);
    return textOf(data);
}

// A bound proxy whose framework knows no local service unless told.
struct Rig {
    TestChannel channel{"mgmt.local"};
    TestContext context;
    LocalMgmtProxy proxy;
    ManageableData data;
    Rig() {
        channel.frameworkContext = &context;
        proxy.initProxy(channel);
        data.setValue("key", "v");
    }
};

// Every operation of the area, its result shown as text ("" for none).
using Call = std::function<std::string(LocalMgmtProxy&, ManageableData&)>;
const Call kSetData = [](LocalMgmtProxy& p, ManageableData& d) { return PrintToString(p.setData(d)); };
const Call kGetData = [](LocalMgmtProxy& p, ManageableData& d) { return PrintToString(p.getData(d)); };
const Call kChanged = [](LocalMgmtProxy& p, ManageableData& d) { return PrintToString(p.manageableDataChanged(d)); };
const Call kFindSchemaName = [](LocalMgmtProxy& p, ManageableData&) { return p.findSchemaName("node.1"); };
const Call kGetSchema = [](LocalMgmtProxy& p, ManageableData& d) { return PrintToString(p.getSchema("schema.a", d)); };
const Call kExportSchema = [](LocalMgmtProxy& p, ManageableData&) { return p.exportSchema("schema.a"); };
const Call kCheckEditable = [](LocalMgmtProxy& p, ManageableData& d) {
    return PrintToString(p.checkDataEditable(d, Ifc::ACCESS_ADMIN));
};
const Call kSetEditable = [](LocalMgmtProxy& p, ManageableData& d) {
    p.setDataEditable(d, Ifc::EDITABLE_YES);
    return std::string();
};

const std::string kTrue = PrintToString(true), kFalse = PrintToString(false);
const std::string kKept = textOf({{"key", "v"}}), kAnswer = textOf({{"answer", "42"}});

}  // namespace

TEST(ManageableDataRequests, EachOperationSendsItsRecordWithTraceFirst) {
    const auto data = stringParam("manageableData", kKept, Parameter::INOUT);
    struct Row {
        const char* remote;
        Call call;
        std::vector<Param> params;
        CallStyle style;
        std::vector<std::string> records;  // with level 5 on
    } rows[] = {
        {"setData", kSetData, {data}, CallStyle::Sync, {"Proxy - setData - sent = %s\n"}},
        {"getData", kGetData, {data}, CallStyle::Sync, {"getData"}},
        {"manageableDataChanged", kChanged, {data}, CallStyle::Sync, {"manageableDataChanged"}},
        {"findSchemaName", kFindSchemaName, {stringParam("nodeId", "node.1")}, CallStyle::Sync, {"findSchemaName"}},
        {"getSchema", kGetSchema, {stringParam("schemaName", "schema.a"), stringParam("manageableData", "", Parameter::INOUT)},
         CallStyle::Sync, {"getSchema"}},
        {"exportSchema", kExportSchema, {stringParam("schemaName", "schema.a")}, CallStyle::Sync, {"exportSchema"}},
        {"checkDataEditable", kCheckEditable, {data, intParam("accessLevel", Ifc::ACCESS_ADMIN)}, CallStyle::Sync,
         {"checkDataEditable"}},
        {"setDataEditable", kSetEditable, {data, intParam("editableStatus", Ifc::EDITABLE_YES)}, CallStyle::OneWay,
         {"setDataEditable"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.remote);
        Rig rig;
        LogCapture log({5});
        row.call(rig.proxy, rig.data);
        const SentCall& sent = rig.channel.only();
        EXPECT_EQ(sent.request.name(), row.remote);
        EXPECT_EQ(sent.request.type(), Method::REQUEST);
        EXPECT_EQ(paramsOf(sent.request), row.params);
        EXPECT_EQ(sent.style, row.style);
        EXPECT_EQ(sent.callbackChannel, "");
        EXPECT_EQ(log.formats(), row.records);
    }
}

TEST(ManageableDataReplies, ResultsAndObjectComeOnlyFromWhatTheReplyHolds) {
    struct Row {
        const char* name;
        Call call;
        std::string fullResult, fullData, emptyResult, emptyData;
    } rows[] = {
        {"setData", kSetData, kTrue, kAnswer, kFalse, kKept},
        {"getData", kGetData, kTrue, kAnswer, kFalse, kKept},
        {"manageableDataChanged", kChanged, "3", kAnswer, "0", kKept},
        {"findSchemaName", kFindSchemaName, "schema.a", kKept, "", kKept},
        {"getSchema", kGetSchema, kTrue, kAnswer, kFalse, kKept},
        {"exportSchema", kExportSchema, "<schema/>", kKept, "", kKept},
        // Always cleared, then refilled from whatever came back.
        {"checkDataEditable", kCheckEditable, kTrue, kAnswer, kFalse, ""},
        {"setDataEditable", kSetEditable, "", kKept, "", kKept},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LogCapture log;
        Rig full;
        full.channel.replyBool("result", true).replyInt("numObservers", 3).replyString("schemaName", "schema.a");
        full.channel.replyString("schemaXml", "<schema/>").replyString("manageableData", kAnswer, Parameter::INOUT);
        EXPECT_EQ(row.call(full.proxy, full.data), row.fullResult);
        EXPECT_EQ(textOf(full.data), row.fullData);

        // The object's text under the wrong direction counts as absent.
        Rig empty;
        empty.channel.replyString("manageableData", kAnswer, Parameter::OUT);
        EXPECT_EQ(row.call(empty.proxy, empty.data), row.emptyResult);
        EXPECT_EQ(textOf(empty.data), row.emptyData);
        EXPECT_TRUE(log.records().empty());
    }
}

TEST(ManageableDataReplies, UnreadableReturnedObjectIsAFailureAfterTheResultWasRead) {
    std::string bad = "broken\\", why;
    try {
        ManageableData probe;
        probe.deserialize(bad);
    } catch (const CorvexException& failure) {
        why = failure.what();
    }
    ASSERT_FALSE(why.empty()) << "the text must be unreadable for this test";

    struct Row {
        const char* name;
        Call call;
        std::string result;
        const char* label;
    } rows[] = {
        {"setData", kSetData, kTrue, "setData: "},
        {"getData", kGetData, kTrue, "getData: "},
        {"manageableDataChanged", kChanged, "0", "findSchemaName: "},  // refilled before the count is read
        {"getSchema", kGetSchema, kTrue, "findSchemaName: "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig;
        rig.channel.replyBool("result", true).replyInt("numObservers", 3).replyString("manageableData", bad, Parameter::INOUT);
        LogCapture log;
        EXPECT_EQ(row.call(rig.proxy, rig.data), row.result);
        EXPECT_EQ(textOf(rig.data), kKept);
        auto records = log.records();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].level, 2);
        EXPECT_EQ(records[0].message, row.label + why + "\n");
    }

    Rig editable;
    editable.channel.replyBool("result", true).replyString("manageableData", bad, Parameter::INOUT);
    LogCapture log;
    EXPECT_THROW(kCheckEditable(editable.proxy, editable.data), CorvexException);
    EXPECT_EQ(textOf(editable.data), "") << "cleared before the refill failed";
    EXPECT_TRUE(log.records().empty());
}

TEST(ManageableDataFailures, CaughtFailuresLogUnderTheirLabelOthersPassThrough) {
    struct Row {
        const char* name;
        Call call;
        std::string result;
        const char* message;  // null: the failure reaches the caller
    } rows[] = {
        {"setData", kSetData, kFalse, "setData: link down\n"},
        {"getData", kGetData, kFalse, "getData: link down\n"},
        {"manageableDataChanged", kChanged, "0", "findSchemaName: link down\n"},
        {"findSchemaName", kFindSchemaName, "", "findSchemaName: link down\n"},
        {"getSchema", kGetSchema, kFalse, "findSchemaName: link down\n"},
        {"exportSchema", kExportSchema, "", "findSchemaName: link down\n"},
        {"checkDataEditable", kCheckEditable, "", nullptr},
        {"setDataEditable", kSetEditable, "", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig;
        rig.channel.failWith("link down");
        LogCapture log;  // every level off: the error record is written anyway
        if (row.message == nullptr) {
            EXPECT_THROW(row.call(rig.proxy, rig.data), CorvexException);
            EXPECT_TRUE(log.records().empty());
        } else {
            EXPECT_EQ(row.call(rig.proxy, rig.data), row.result);
            auto records = log.records();
            ASSERT_EQ(records.size(), 1u);
            EXPECT_EQ(records[0].level, 2);
            EXPECT_EQ(records[0].component, "LocalMgmtProxy");
            EXPECT_EQ(records[0].file, "./src/LocalMgmtProxy");
            EXPECT_EQ(records[0].message, row.message);
        }
        EXPECT_EQ(textOf(rig.data), kKept);

        Rig other;
        other.channel.onCall = [] { throw std::runtime_error("not a framework failure"); };
        LogCapture quiet({2, 3});
        EXPECT_THROW(row.call(other.proxy, other.data), std::runtime_error);
        EXPECT_TRUE(quiet.records().empty());
    }
}

TEST(ManageableDataLookup, WithoutALocalServiceTheLookupIsMadeOnceAndEverythingIsSent) {
    UnrelatedService unrelated;
    for (Service* found : {static_cast<Service*>(nullptr), static_cast<Service*>(&unrelated)}) {
        SCOPED_TRACE(found == nullptr ? "nothing found" : "found service is not ours");
        Rig rig;
        rig.context.service = found;
        EXPECT_EQ(rig.context.serviceLookups, 0) << "binding does not look";
        for (int round = 0; round < 2; ++round)
            for (const Call& call : {kSetData, kGetData, kChanged, kFindSchemaName}) call(rig.proxy, rig.data);
        EXPECT_EQ(rig.channel.calls.size(), 8u);
        EXPECT_EQ(rig.context.serviceLookups, 1);
        EXPECT_EQ(rig.context.lastServiceName, "mgmt.local");
        EXPECT_EQ(rig.context.lastInstance, "");
        EXPECT_TRUE(rig.proxy.serviceLookedUp());
        EXPECT_EQ(rig.proxy.cachedService(), nullptr);
    }
}

TEST(ManageableDataLookup, AFoundServiceAnswersTheFourDataOperationsAndNothingElse) {
    Rig rig;
    LocalServiceDouble service;
    rig.context.service = &service;
    EXPECT_CALL(service, setData(Ref(rig.data))).Times(2).WillRepeatedly(Return(true));
    EXPECT_CALL(service, getData(Ref(rig.data))).Times(2).WillRepeatedly(Return(true));
    EXPECT_CALL(service, manageableDataChanged(Ref(rig.data))).Times(2).WillRepeatedly(Return(5));
    EXPECT_CALL(service, findSchemaName("node.1")).Times(2).WillRepeatedly(Return("local.schema"));

    LogCapture log({5});
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(kSetData(rig.proxy, rig.data), kTrue);
        EXPECT_EQ(kGetData(rig.proxy, rig.data), kTrue);
        EXPECT_EQ(kChanged(rig.proxy, rig.data), "5");
        EXPECT_EQ(kFindSchemaName(rig.proxy, rig.data), "local.schema");
    }
    EXPECT_TRUE(rig.channel.calls.empty());
    EXPECT_EQ(rig.context.serviceLookups, 1);
    EXPECT_EQ(rig.proxy.cachedService(), static_cast<LocalMgmtIfc*>(&service));
    const std::vector<std::string> traces = {"getData", "manageableDataChanged", "findSchemaName"};
    std::vector<std::string> twice = traces;
    twice.insert(twice.end(), traces.begin(), traces.end());
    EXPECT_EQ(log.formats(), twice) << "entry traces only; setData writes nothing";

    for (const Call& call : {kGetSchema, kExportSchema, kCheckEditable, kSetEditable}) call(rig.proxy, rig.data);
    EXPECT_EQ(rig.channel.calls.size(), 4u);

    EXPECT_CALL(service, setData(Ref(rig.data))).WillOnce([](ManageableData&) -> bool {
        throw CorvexException("local failure");
    });
    EXPECT_THROW(rig.proxy.setData(rig.data), CorvexException);
}

TEST(ManageableDataSetData, OnlyTheLevelFiveRecordMasksThePassword) {
    for (bool levelFive : {false, true}) {
        SCOPED_TRACE(levelFive);
        Rig rig;
        rig.data.setValue("adminPassword", "s3cret");
        const std::string sent = textOf(rig.data);
        LogCapture log = levelFive ? LogCapture{2, 3, 4, 5, 6} : LogCapture{2, 3, 4, 6};
        rig.proxy.setData(rig.data);
        EXPECT_EQ(paramsOf(rig.channel.only().request),
                  std::vector<Param>{stringParam("manageableData", sent, Parameter::INOUT)});
        auto records = log.records();
        if (!levelFive) {
            EXPECT_TRUE(records.empty());
            continue;
        }
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].level, 5);
        EXPECT_EQ(records[0].message,
                  "Proxy - setData - sent = " +
                      ClientUtils::hideValuesForKnownPasswords(sent.c_str(), static_cast<int>(sent.size())) + "\n");
        EXPECT_EQ(records[0].message.find("s3cret"), std::string::npos);
        EXPECT_NE(records[0].message.find(kKept), std::string::npos);
    }
}
