// Downloads, uploads, stored files and the software image: what each operation
// sends, how it reads the answer, and what it logs when the channel fails.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "LocalMgmtProxy.h"
#include "LogCapture.h"
#include "TestChannel.h"

using namespace testing_support;

namespace {

using Ifc = LocalMgmtIfc;

struct Observer : Executable {
    void init(Context&) override {}
    void shutdown() override {}
};

const char* const kUser = "field-engineer";
const char* const kPassword = "Tr0ub4dor&3";
const char* const kObserverChannel = "observer-channel-9";

struct Operation {
    const char* remoteName;
    std::function<int(LocalMgmtProxy&, Executable*)> call;  // bool results as 0 / 1
    std::vector<Param> params;
    CallStyle style;
    int timeout;
    bool callback;      // sends the observer's channel
    const char* trace;  // nullptr: none
    bool intResult;     // int "result" defaulting to -1, else bool defaulting to false
    const char* failureFormat;
    int failureLevel;   // 3: time-out record (pattern D), 2: exception record (pattern E)
};

std::vector<Param> manyParams(bool withBusyAndVersion) {
    std::vector<Param> params{intParam("downloadProtocol", Ifc::PROTOCOL_HTTPS), stringParam("port", "8443"),
                              stringParam("server", "files.example"), stringParam("username", kUser),
                              stringParam("password", kPassword), intParam("filetype", Ifc::FILETYPE_RINGER),
                              stringParam("sourcepath", "/pub/tones"), stringParam("filename", "bell.raw")};
    if (withBusyAndVersion) params.insert(params.end(), {boolParam("overrideBusy", true), stringParam("version", "4.2")});
    params.insert(params.end(), {boolParam("displayProgress", false), intParam("certificateType", Ifc::CERTIFICATE_SERVER)});
    return params;
}

std::vector<Operation> operations() {
    const auto ringer = Ifc::FILETYPE_RINGER;
    const std::vector<Param> typeAndName{intParam("filetype", ringer), stringParam("filename", "bell.raw")};
    const std::vector<Param> storedFile{intParam("fileType", ringer), stringParam("filename", "bell.raw")};
    const std::vector<Param> typeOnly{intParam("filetype", ringer), boolParam("displayProgress", true),
                                      intParam("certificateType", Ifc::CERTIFICATE_DEVICE)};
    return {
        {"deleteFile", [](LocalMgmtProxy& p, Executable*) { return int(p.deleteFile(Ifc::FILETYPE_RINGER, "bell.raw")); },
         storedFile, CallStyle::Sync, 0, false, nullptr, false, "deleteFile: proxyReq->synchronousCall timeout.\n", 3},
        {"validateFile", [](LocalMgmtProxy& p, Executable*) { return int(p.validateFile(Ifc::FILETYPE_RINGER, "bell.raw")); },
         storedFile, CallStyle::Sync, 0, false, nullptr, false, "validateFile: proxyReq->synchronousCall timeout.\n", 3},
        {"uploadUserFile", [](LocalMgmtProxy& p, Executable*) { return p.uploadUserFile(Ifc::FILETYPE_RINGER, "bell.raw"); },
         typeAndName, CallStyle::Sync, 0, false, "uploadUserFile", true, "uploadUserFile: %s\n", 2},
        {"requestCurrentDownloadStatus",
         [](LocalMgmtProxy& p, Executable*) { return p.requestCurrentDownloadStatus(Ifc::FILETYPE_RINGER, "bell.raw"); },
         typeAndName, CallStyle::Sync, 0, false, "requestCurrentDownloadStatus", true, "requestCurrentDownloadStatus: %s\n", 2},
        {"upgradeSoftwareImageWithFile", [](LocalMgmtProxy& p, Executable*) { return p.upgradeSoftwareImageWithFile("image.bin"); },
         {stringParam("filename", "image.bin")}, CallStyle::Sync, 0, false, "upgradeSoftwareImageWithFile", true,
         "requestUpgradeSoftwareImageWithFile: %s\n", 2},
        {"startDownloadWithFileType",
         [](LocalMgmtProxy& p, Executable*) { return int(p.startDownload(Ifc::FILETYPE_RINGER, true, Ifc::CERTIFICATE_DEVICE)); },
         typeOnly, CallStyle::Sync, 0, false, "startDownloadWithFileType", false, "startDownloadWithFileType: %s\n", 2},
        {"startDownloadWithFileTypeAndCallback",
         [](LocalMgmtProxy& p, Executable* o) { return int(p.startDownload(Ifc::FILETYPE_RINGER, o, true, Ifc::CERTIFICATE_DEVICE)); },
         typeOnly, CallStyle::Sync, 0, true, "startDownloadWithFileTypeAndCallback", false,
         "startDownloadWithFileTypeAndCallback: %s\n", 2},
        {"startDownloadWithManyParams",
         [](LocalMgmtProxy& p, Executable*) {
             return int(p.startDownload(Ifc::PROTOCOL_HTTPS, "8443", "files.example", kUser, kPassword, Ifc::FILETYPE_RINGER,
                                        "/pub/tones", "bell.raw", false, Ifc::CERTIFICATE_SERVER));
         },
         manyParams(false), CallStyle::SyncWithTimeout, 600000, false, "startDownloadWithManyParams", false,
         "startDownloadWithManyParams: %s\n", 2},
        {"startDownloadWithManyParamsAndCallback",
         [](LocalMgmtProxy& p, Executable* o) {
             return int(p.startDownload(Ifc::PROTOCOL_HTTPS, "8443", "files.example", kUser, kPassword, Ifc::FILETYPE_RINGER,
                                        "/pub/tones", "bell.raw", o, true, "4.2", false, Ifc::CERTIFICATE_SERVER));
         },
         manyParams(true), CallStyle::Sync, 0, true, "startDownloadWithManyParamsAndCallback", false,
         "startDownloadWithManyParamsAndCallback: %s\n", 2},
    };
}

struct FileTransferTest : ::testing::Test {
    TestChannel channel;
    TestContext context;
    LocalMgmtProxy proxy;
    Observer observer;
    void SetUp() override {
        channel.frameworkContext = &context;
        context.channelOf = [this](Executable* e) { return e == &observer ? kObserverChannel : ""; };
        proxy.initProxy(channel);
    }
    int defaultOf(const Operation& op) const { return op.intResult ? -1 : 0; }
};

}  // namespace

TEST_F(FileTransferTest, EveryOperationSendsItsOwnRecordInItsOwnStyle) {
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.remoteName);
        channel.calls.clear();
        channel.reply = Method();
        op.intResult ? channel.replyInt("result", 7) : channel.replyBool("result", true);
        LogCapture log({5});
        EXPECT_EQ(op.call(proxy, &observer), op.intResult ? 7 : 1);
        const SentCall& sent = channel.only();
        EXPECT_EQ(sent.request.name(), op.remoteName);
        EXPECT_EQ(sent.request.type(), Method::REQUEST);
        EXPECT_EQ(paramsOf(sent.request), op.params);
        EXPECT_EQ(sent.style, op.style);
        EXPECT_EQ(sent.timeout, op.timeout);
        EXPECT_EQ(sent.callbackChannel, op.callback ? kObserverChannel : "");
        auto formats = log.formats();
        EXPECT_EQ(formats.empty() ? std::string() : formats.front(), op.trace ? op.trace : "");
    }
}

TEST_F(FileTransferTest, ReplyWithoutResultGivesTheDefaultAndServiceCodesPassUnchanged) {
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.remoteName);
        channel.reply = Method();
        channel.replyInt("Result", 5).replyBool("result", true, Parameter::INOUT);  // neither is "result" OUT
        EXPECT_EQ(op.call(proxy, &observer), defaultOf(op));
        if (!op.intResult) continue;
        for (int code : {0, -5}) {
            channel.reply = Method();
            channel.replyInt("result", code);
            EXPECT_EQ(op.call(proxy, &observer), code);
        }
    }
}

TEST_F(FileTransferTest, FailuresWriteTheirPatternsRecordAndReturnTheDefault) {
    channel.failWith("peer closed %s");
    for (const Operation& op : operations()) {
        for (bool levelsOn : {true, false}) {
            SCOPED_TRACE(std::string(op.remoteName) + (levelsOn ? " levels on" : " levels off"));
            LogCapture log = levelsOn ? LogCapture{2, 3, 4, 5, 6} : LogCapture{};
            EXPECT_EQ(op.call(proxy, &observer), defaultOf(op));
            std::vector<LogRecord> failures;
            for (const LogRecord& r : log.records())
                if (r.level < 5) failures.push_back(r);
            if (op.failureLevel == 3 && !levelsOn) {
                EXPECT_TRUE(log.records().empty());
                continue;
            }
            ASSERT_EQ(failures.size(), 1u);
            EXPECT_EQ(failures[0].level, op.failureLevel);
            EXPECT_EQ(failures[0].component, "LocalMgmtProxy");
            EXPECT_EQ(failures[0].file, "./src/LocalMgmtProxy");
            EXPECT_EQ(failures[0].format, op.failureFormat);
            std::string expected = op.failureFormat;
            if (op.failureLevel == 2) expected.replace(expected.find("%s"), 2, "peer closed %s");
            EXPECT_EQ(failures[0].message, expected);
            EXPECT_EQ(log.records().back().format, op.failureFormat) << "the failure record comes last";
            if (op.failureLevel == 3) {
                EXPECT_EQ(log.records().size(), 1u) << "no trace besides the time-out record";
            }
        }
    }
}

TEST_F(FileTransferTest, OtherExceptionTypesPassThroughUnlogged) {
    channel.onCall = [] { throw std::runtime_error("out of memory"); };
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.remoteName);
        LogCapture log({2, 3});
        EXPECT_THROW(op.call(proxy, &observer), std::runtime_error);
        EXPECT_TRUE(log.records().empty());
    }
}

TEST_F(FileTransferTest, CallbackVariantsResolveTheChannelFirstAndOutsideTheGuard) {
    for (const Operation& op : operations()) {
        if (!op.callback) continue;
        SCOPED_TRACE(op.remoteName);
        channel.reply = Method();
        channel.replyBool("result", true);
        {  // traces and the resolution records are all written before the send
            LogCapture log({5});
            size_t recordsAtSend = 0;
            channel.onCall = [&] { recordsAtSend = log.records().size(); };
            op.call(proxy, &observer);
            auto records = log.records();
            ASSERT_EQ(records.size(), 3u);
            EXPECT_EQ(recordsAtSend, 3u);
            EXPECT_EQ(records[0].format, op.trace);
            EXPECT_EQ(records[1].format, "findCallBackChan");
            EXPECT_EQ(records[2].format, "%s: callback channel set: %s");
            EXPECT_EQ(records[2].message, std::string(op.remoteName) + ": callback channel set: " + kObserverChannel);
        }
        {  // a null observer is reported and the request still goes out, without a channel
            channel.onCall = nullptr;
            channel.calls.clear();
            LogCapture log({2});
            EXPECT_EQ(op.call(proxy, nullptr), 1);
            EXPECT_EQ(channel.only().callbackChannel, "");
            ASSERT_EQ(log.records().size(), 1u);
            EXPECT_EQ(log.records()[0].level, 2);
            EXPECT_EQ(log.records()[0].format, "method:%s observer is not an Executable callbackChan is null");
            EXPECT_EQ(log.records()[0].message,
                      std::string("method:") + op.remoteName + " observer is not an Executable callbackChan is null");
        }
        {  // a framework failure while resolving is not the call's failure: it reaches the caller
            channel.calls.clear();
            auto knownChannels = context.channelOf;
            context.channelOf = [](Executable*) -> std::string { throw CorvexException("no registry"); };
            LogCapture log({2, 3});
            EXPECT_THROW(op.call(proxy, &observer), CorvexException);
            EXPECT_TRUE(channel.calls.empty());
            EXPECT_TRUE(log.records().empty());
            context.channelOf = knownChannels;
        }
    }
}

TEST_F(FileTransferTest, CredentialsAreSentAsGivenAndNeverLogged) {
    Observer watcher;
    proxy.startDownload(Ifc::PROTOCOL_FTP, "21", "h", "", "", Ifc::FILETYPE_LDAP, "s", "f", false, Ifc::CERTIFICATE_NONE);
    proxy.startDownload(Ifc::PROTOCOL_FTP, "21", "h", "", "", Ifc::FILETYPE_LDAP, "s", "f", &watcher, false, "", false,
                        Ifc::CERTIFICATE_NONE);
    ASSERT_EQ(channel.calls.size(), 2u);
    for (const SentCall& sent : channel.calls) {
        auto params = paramsOf(sent.request);
        ASSERT_GE(params.size(), 5u);
        EXPECT_EQ(params[3], stringParam("username", ""));
        EXPECT_EQ(params[4], stringParam("password", ""));
    }

    for (bool failing : {false, true}) {
        if (failing) channel.failWith("refused");
        for (const Operation& op : operations()) {
            LogCapture log({2, 3, 4, 5, 6});
            op.call(proxy, &observer);
            for (const LogRecord& r : log.records())
                for (const char* secret : {kUser, kPassword})
                    EXPECT_EQ((r.format + r.message).find(secret), std::string::npos) << op.remoteName << ": " << r.message;
        }
    }
}
