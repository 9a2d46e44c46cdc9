// Clearing user data and switching user kinds: names, requests, replies and
// what a failure leaves behind.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>

#include "LocalMgmtProxy.h"
#include "LogCapture.h"
#include "TestChannel.h"

using namespace testing_support;

namespace {

using Ifc = LocalMgmtIfc;

struct Operation {
    const char* label;
    std::function<bool(LocalMgmtProxy&)> call;  // one-way operations give false
    const char* remote;
    std::vector<Param> params;
    CallStyle style;
    std::vector<std::string> traces;
    const char* timeoutRecord;  // null for one-way operations
};

std::vector<Operation> operations() {
    const auto clearDataQel = static_cast<Ifc::eUsertype>(8);
    const auto unnamedUser = static_cast<Ifc::eUsertype>(12);
    const auto unnamedFile = static_cast<Ifc::eFiletype>(10);
    return {
        {"clear all", [](LocalMgmtProxy& p) { return p.clearAllUserData(); }, "clearAllUserData", {},
         CallStyle::Sync, {}, "clearAllUserData: proxyReq->synchronousCall timeout.\n"},
        {"clear mobile", [](LocalMgmtProxy& p) { return p.clearMobileUserData(); }, "clearMobileUserData", {},
         CallStyle::Sync, {"clearMobileUserData"}, "clearMobileUserData: proxyReq->synchronousCall timeout.\n"},
        {"change user", [=](LocalMgmtProxy& p) { return p.changeCurrentUser(clearDataQel); }, "changeCurrentUser",
         {stringParam("userType", "ClearDataVisitorUserQel")}, CallStyle::Sync,
         {"changeCurrentUser", "convertUserTypeEnumToString"},
         "changeCurrentUser: proxyReq->synchronousCall timeout.\n"},
        {"change to unnamed user", [=](LocalMgmtProxy& p) { return p.changeCurrentUser(unnamedUser); },
         "changeCurrentUser", {stringParam("userType", "baseUser")}, CallStyle::Sync,
         {"changeCurrentUser", "convertUserTypeEnumToString"},
         "changeCurrentUser: proxyReq->synchronousCall timeout.\n"},
        {"clear group",
         [](LocalMgmtProxy& p) {
             p.clearSpecificUserData(Ifc::RESET_USER_FILES);
             return false;
         },
         "clearSpecificUserData", {intParam("specificGroup", 3)}, CallStyle::OneWay, {}, nullptr},
        {"cleanup",
         [=](LocalMgmtProxy& p) {
             p.cleanupUserData(unnamedFile, unnamedUser);
             return false;
         },
         "cleanupUserData", {stringParam("filetype", "swBind"), intParam("userType", 12)}, CallStyle::OneWay,
         {"cleanupUserData", "convertFileTypeEnumToString"}, nullptr},
    };
}

struct UserDataTest : ::testing::Test {
    TestChannel channel;
    LocalMgmtProxy proxy;
    void SetUp() override { proxy.initProxy(channel); }
};

}  // namespace

TEST_F(UserDataTest, NamesEveryValueWithBaseUserAsFallback) {
    const std::map<int, std::string> named{
        {2, "visitorUser"},   {3, "migrateToVisitorUser"}, {4, "defaultUser"},
        {5, "clearDataVisitorUser"}, {6, "baseUserQel"}, {7, "visitorUserQel"},
        {8, "ClearDataVisitorUserQel"}};
    LogCapture log({5});
    for (int value = -2; value <= 25; ++value) {
        auto row = named.find(value);
        EXPECT_EQ(proxy.convertUserTypeEnumToString(static_cast<Ifc::eUsertype>(value)),
                  row == named.end() ? "baseUser" : row->second)
            << value;
    }
    EXPECT_EQ(log.formats(), std::vector<std::string>(28, "convertUserTypeEnumToString"));
    EXPECT_TRUE(channel.calls.empty());
}

TEST_F(UserDataTest, RequestsTracesAndReplies) {
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.label);
        for (bool answered : {false, true}) {
            TestChannel replying;
            if (answered) replying.replyBool("result", true);
            LocalMgmtProxy p;
            p.initProxy(replying);
            LogCapture log({5});
            EXPECT_EQ(op.call(p), answered && op.timeoutRecord != nullptr);
            EXPECT_EQ(log.formats(), op.traces);
            const SentCall& sent = replying.only();
            EXPECT_EQ(sent.style, op.style);
            EXPECT_EQ(sent.callbackChannel, "");
            EXPECT_EQ(sent.request.name(), op.remote);
            EXPECT_EQ(paramsOf(sent.request), op.params);
        }
    }
}

TEST_F(UserDataTest, FailuresByPattern) {
    channel.failWith("link lost");
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.label);
        for (bool levelThree : {true, false}) {
            LogCapture log = levelThree ? LogCapture{2, 3, 4, 5} : LogCapture{2, 4, 5};
            std::vector<std::string> expected = op.traces;
            if (op.timeoutRecord == nullptr) {
                EXPECT_THROW(op.call(proxy), CorvexException);
            } else {
                EXPECT_FALSE(op.call(proxy));
                if (levelThree) expected.push_back(op.timeoutRecord);
            }
            EXPECT_EQ(log.formats(), expected);
            for (const LogRecord& r : log.records()) EXPECT_EQ(r.level, op.timeoutRecord && r.format == op.timeoutRecord ? 3 : 5);
        }
    }
}

TEST_F(UserDataTest, LetsOtherExceptionsThrough) {
    channel.onCall = [] { throw std::runtime_error("not ours"); };
    LogCapture log({2, 3});
    for (const Operation& op : operations()) EXPECT_THROW(op.call(proxy), std::runtime_error) << op.label;
    EXPECT_TRUE(log.records().empty());
}
