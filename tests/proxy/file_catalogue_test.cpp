// The file type catalogue: type names, the per-type queries, path lookups and
// list exchanges, on the wire and in the log.
#include <gtest/gtest.h>

#include <functional>
#include <list>
#include <map>
#include <stdexcept>

#include "LocalMgmtProxy.h"
#include "LogCapture.h"
#include "TestChannel.h"

using namespace testing_support;

namespace {

using Ifc = LocalMgmtIfc;
using Rec = std::pair<int, std::string>;  // level, message

std::vector<Rec> levelsAndMessages(const LogCapture& log) {
    std::vector<Rec> out;
    for (const LogRecord& r : log.records()) out.emplace_back(r.level, r.message);
    return out;
}

std::string serialized(const std::list<std::string>& names) {
    std::string text;
    Serializer::serialize(text, names);
    return text;
}

// Every call shows its outcome and what the caller's argument holds afterwards.
std::string shown(bool ok, const std::string& held) { return (ok ? "true|" : "false|") + held; }
std::string shown(bool ok, const std::list<std::string>& held) {
    std::string joined;
    for (const std::string& name : held) joined += (joined.empty() ? "" : ",") + name;
    return shown(ok, joined);
}

struct Operation {
    const char* label;
    std::function<std::string(LocalMgmtProxy&)> call;
    const char* remote;
    std::vector<Param> params;
    std::string byDefault;  // failed or unanswered call
    std::string answered;   // against the reply of FileCatalogueTest::answer
    std::vector<Rec> onSuccess, onFailure;  // every level on
};

const Rec kConvert{5, "convertFileTypeEnumToString"};

std::vector<Operation> operations() {
    const auto ringer = Ifc::FILETYPE_RINGER;
    const auto user = static_cast<Ifc::eUsertype>(7);
    const std::vector<Param> list{stringParam("FileType", "ringer"),
                                  stringParam("FileNames", serialized({"x"}), Parameter::INOUT)};
    auto withUser = [](std::vector<Param> params) {
        params.push_back(intParam("userType", 7));
        return params;
    };
    const std::vector<Param> path{stringParam("filename", "a.wav", Parameter::INOUT),
                                  stringParam("filetype", "ringer")};
    const Rec listError{2, "getListOfFilesOfType: link lost\n"};
    return {
        {"metadata", [=](LocalMgmtProxy& p) { return p.getFileTypeMetadata(ringer); },
         "getFileTypeMetadata", {stringParam("FileType", "ringer")}, "", "meta",
         {{5, "getFileTypeMetadata"}, kConvert},
         {{5, "getFileTypeMetadata"}, kConvert, {2, "getFileTypeMetadata: link lost\n"}}},
        {"count limit", [=](LocalMgmtProxy& p) { return std::to_string(p.getFileTypeCountLimit(ringer)); },
         "getFileTypeCountLimit", {stringParam("FileType", "ringer")}, "0", "25",
         {{5, "getFileTypeCountLimit"}, kConvert},
         {{5, "getFileTypeCountLimit"}, kConvert, {2, "getFileTypeCountLimit: link lost\n"}}},
        {"name limit", [=](LocalMgmtProxy& p) { return std::to_string(p.getFileTypeNameLimit(ringer)); },
         "getFileTypeNameLimit", {stringParam("FileType", "ringer")}, "0", "40",
         {{5, "getFileTypeNameLimit"}, kConvert},
         {{5, "getFileTypeNameLimit"}, kConvert, {2, "getFileTypeCountLimit: link lost\n"}}},
        {"path",
         [=](LocalMgmtProxy& p) {
             std::string name = "a.wav";
             const bool ok = p.getFilePathFromType(ringer, name);
             return shown(ok, name);
         },
         "getFilePathFromType", path, "false|a.wav", "true|/p/r.wav",
         {kConvert, {4, "getFilePathFromType[11][/p/r.wav][true]"}},
         {kConvert, {3, "getFilePathFromType: proxyReq->synchronousCall timeout.\n"},
          {4, "getFilePathFromType[11][a.wav][false]"}}},
        {"path for user",
         [=](LocalMgmtProxy& p) {
             std::string name = "a.wav";
             const bool ok = p.getFilePathFromType(ringer, name, user);
             return shown(ok, name);
         },
         "getFilePathFromTypeAndUser", withUser(path), "false|a.wav", "true|/p/r.wav",
         {kConvert, {4, "getFilePathFromType for user[11][/p/r.wav][7][true]"}},
         {kConvert, {3, "getFilePathFromTypeAndUser: proxyReq->synchronousCall timeout"},
          {4, "getFilePathFromType for user[11][a.wav][7][false]"}}},
        {"list",
         [=](LocalMgmtProxy& p) {
             std::list<std::string> files{"x"};
             const bool ok = p.getListOfFilesOfType(ringer, &files);
             return shown(ok, files);
         },
         "getListOfFilesOfType", list, "false|x", "true|a,b",
         {{5, "getListOfFilesOfType"}, kConvert},
         {{5, "getListOfFilesOfType"}, kConvert, listError}},
        {"list for user",
         [=](LocalMgmtProxy& p) {
             std::list<std::string> files{"x"};
             const bool ok = p.getListOfFilesOfType(ringer, &files, user);
             return shown(ok, files);
         },
         "getListOfFilesOfTypeAndUser", withUser(list), "false|x", "true|a,b",
         {{5, "getListOfFilesOfType for given user"}, kConvert},
         {{5, "getListOfFilesOfType for given user"}, kConvert, listError}},
    };
}

struct FileCatalogueTest : ::testing::Test {
    TestChannel channel;
    LocalMgmtProxy proxy;
    void SetUp() override { proxy.initProxy(channel); }
    // One reply that answers every operation, each only through its own names.
    static void answer(TestChannel& c) {
        c.replyString("FileTypeMetadata", "meta")
            .replyInt("FileTypeCountLimit", 25)
            .replyInt("FileTypeNameLimit", 40)
            .replyBool("result", true)
            .replyString("filename", "/p/r.wav", Parameter::INOUT)
            .replyString("FileNames", serialized({"a", "b"}), Parameter::INOUT);
    }
};

}  // namespace

TEST_F(FileCatalogueTest, NamesEveryValueWithSwBindAsFallback) {
    const std::map<int, std::string> named{
        {1, "swBind"}, {2, "moh"},    {3, "images"}, {4, "logo"}, {5, "midlets"}, {6, "ldap"},
        {7, "tone"},   {9, "screensaver"}, {11, "ringer"}, {12, "hpt"}, {13, "help"}, {15, "jar"},
        {16, "agd"},   {18, "phd"},   {19, "vraudio"}, {20, "vrpat"}};
    LogCapture log({5});
    for (int value = -2; value <= 25; ++value) {
        auto row = named.find(value);
        EXPECT_EQ(proxy.convertFileTypeEnumToString(static_cast<Ifc::eFiletype>(value)),
                  row == named.end() ? "swBind" : row->second)
            << value;
    }
    EXPECT_EQ(log.formats(), std::vector<std::string>(28, "convertFileTypeEnumToString"));
    EXPECT_TRUE(channel.calls.empty());
}

TEST_F(FileCatalogueTest, RequestsRepliesAndRecords) {
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.label);
        TestChannel empty, answering;
        LocalMgmtProxy quiet, busy;
        quiet.initProxy(empty);
        busy.initProxy(answering);
        {
            LogCapture errors;
            EXPECT_EQ(op.call(quiet), op.byDefault) << "a reply without values";
            EXPECT_TRUE(errors.records().empty());
        }

        answer(answering);
        LogCapture log({2, 3, 4, 5, 6});
        EXPECT_EQ(op.call(busy), op.answered);
        EXPECT_EQ(levelsAndMessages(log), op.onSuccess);
        const SentCall& sent = answering.only();
        EXPECT_EQ(sent.style, CallStyle::Sync);
        EXPECT_EQ(sent.callbackChannel, "");
        EXPECT_EQ(sent.request.name(), op.remote);
        EXPECT_EQ(paramsOf(sent.request), op.params);
    }
}

TEST_F(FileCatalogueTest, FailuresGiveDefaultsAndTheirRecordsByLevel) {
    channel.failWith("link lost");
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.label);
        {
            LogCapture log({2, 3, 4, 5, 6});
            EXPECT_EQ(op.call(proxy), op.byDefault);
            EXPECT_EQ(levelsAndMessages(log), op.onFailure);
            for (const LogRecord& r : log.records()) {
                EXPECT_EQ(r.component, "LocalMgmtProxy");
                EXPECT_EQ(r.file, "./src/LocalMgmtProxy");
            }
        }
        LogCapture off;  // level 2 is written regardless, nothing else is
        EXPECT_EQ(op.call(proxy), op.byDefault);
        std::vector<Rec> errorsOnly;
        for (const Rec& r : op.onFailure)
            if (r.first == 2) errorsOnly.push_back(r);
        EXPECT_EQ(levelsAndMessages(off), errorsOnly);
    }
}

TEST_F(FileCatalogueTest, LetsOtherExceptionsThrough) {
    channel.onCall = [] { throw std::runtime_error("not ours"); };
    LogCapture log({2, 3});
    for (const Operation& op : operations()) EXPECT_THROW(op.call(proxy), std::runtime_error) << op.label;
    EXPECT_TRUE(log.records().empty());
}

TEST_F(FileCatalogueTest, ListReplies) {
    struct Case {
        std::string fileNames;
        bool ok;
        std::string held;
        std::vector<std::string> errors;
    };
    const std::vector<Case> cases{
        {"empty", true, "", {}},
        {serialized({"empty", ""}), true, "empty,", {}},
        {"[a", false, "x,y", {"getListOfFilesOfType: %s\n"}},
    };
    for (bool forUser : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.fileNames + (forUser ? " for user" : ""));
            TestChannel replying;
            replying.replyString("FileNames", c.fileNames, Parameter::INOUT);
            LocalMgmtProxy p;
            p.initProxy(replying);
            LogCapture log;
            std::list<std::string> files{"x", "y"};
            const bool ok = forUser ? p.getListOfFilesOfType(Ifc::FILETYPE_TONE, &files, Ifc::USER_DEFAULT)
                                    : p.getListOfFilesOfType(Ifc::FILETYPE_TONE, &files);
            EXPECT_EQ(shown(ok, files), shown(c.ok, std::string(c.held)));
            EXPECT_EQ(log.formats(), c.errors);
        }
    }
}
