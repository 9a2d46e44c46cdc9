// The simulated telephone service: its state rules, driven by requests built
// the way the proxies build them, its failure injection, and one session of a
// real LocalMgmtProxy bound to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <list>
#include <string>
#include <vector>

#include "LocalMgmtProxy.h"
#include "PhoneState.h"
#include "SimulatedPhone.h"

using namespace simulator;

namespace {

constexpr Parameter::directions IN = Parameter::IN;
constexpr Parameter::directions OUT = Parameter::OUT;
constexpr Parameter::directions INOUT = Parameter::INOUT;

constexpr int kRinger = 11;
constexpr int kLogo = 4;

// A request as a proxy builds it.
class Request {
public:
    explicit Request(const char* name) : method_(name, Method::REQUEST) {}
    Request& number(const char* name, int value, Parameter::directions d = IN) {
        method_.addIntParameter(name, value, d);
        return *this;
    }
    Request& text(const char* name, const std::string& value, Parameter::directions d = IN) {
        method_.addStringParameter(name, value, d);
        return *this;
    }
    Request& flag(const char* name, bool value, Parameter::directions d = IN) {
        method_.addBoolParameter(name, value, d);
        return *this;
    }
    Method& method() { return method_; }

private:
    Method method_;
};

// A reply, read the way the proxies read it; a missing value fails the test.
struct Reply {
    Method method;

    int number(const char* name, Parameter::directions d = OUT) {
        int value = -999;
        EXPECT_TRUE(method.getIntParameter(name, value, d)) << "no int " << name;
        return value;
    }
    bool flag(const char* name, Parameter::directions d = OUT) {
        bool value = false;
        EXPECT_TRUE(method.getBoolParameter(name, value, d)) << "no bool " << name;
        return value;
    }
    std::string text(const char* name, Parameter::directions d = OUT) {
        std::string value = "<absent>";
        EXPECT_TRUE(method.getStringParameter(name, value, d)) << "no string " << name;
        return value;
    }
    KeyValues data() {
        std::string serialised = text("manageableData", INOUT);
        ManageableData data;
        data.deserialize(serialised);
        return data.values();
    }
};

std::string dataText(const KeyValues& values) {
    ManageableData data;
    for (const auto& [key, value] : values) data.setValue(key, value);
    return data.serialize(ManageableData::KEY_VALUE_TEXT);
}

std::string listText(const std::list<std::string>& elements) {
    std::string text;
    Serializer::serialize(text, elements);
    return text;
}

class SimulatorTest : public ::testing::Test {
protected:
    SimulatedPhone phone;

    Reply call(Request request, std::string channel = std::string()) {
        Reply reply;
        phone.synchronousCall(request.method(), reply.method, channel);
        return reply;
    }
    void post(Request request) { phone.asynchronousCall(request.method()); }

    std::list<std::string> files(const std::string& type) {
        std::list<std::string> names;
        Serializer::deserialize(
            call(Request("getListOfFilesOfType").text("FileType", type).text("FileNames", "empty", INOUT))
                .text("FileNames", INOUT),
            names);
        return names;
    }
    int downloadStatus(int type) {
        return call(Request("requestCurrentDownloadStatus").number("filetype", type).text("filename", ""))
            .number("result");
    }
    bool download(int type) {
        return call(Request("startDownloadWithFileType")
                        .number("filetype", type)
                        .flag("displayProgress", false)
                        .number("certificateType", 0))
            .flag("result");
    }
    bool downloadFrom(const std::string& file, bool overrideBusy) {
        return call(Request("startDownloadWithManyParamsAndCallback")
                        .number("downloadProtocol", 0)
                        .text("port", "69")
                        .text("server", "192.0.2.5")
                        .text("username", "")
                        .text("password", "")
                        .number("filetype", kRinger)
                        .text("sourcepath", "/tones")
                        .text("filename", file)
                        .flag("overrideBusy", overrideBusy)
                        .text("version", "1")
                        .flag("displayProgress", true)
                        .number("certificateType", 0),
                    "agent-1")
            .flag("result");
    }
    int observers(const KeyValues& changed) {
        return call(Request("manageableDataChanged").text("manageableData", dataText(changed), INOUT))
            .number("numObservers");
    }
};

using SimulatorBusyStatus = SimulatorTest;
using SimulatorCatalogue = SimulatorTest;
using SimulatorDownload = SimulatorTest;
using SimulatorDevice = SimulatorTest;
using SimulatorData = SimulatorTest;
using SimulatorObservation = SimulatorTest;
using SimulatorFailures = SimulatorTest;

TEST_F(SimulatorBusyStatus, SetOrsBitsInClearClearsThemRetrieveReportsThem) {
    struct Step {
        const char* remote;
        int bits;
        int expected;
    };
    const Step steps[] = {
        {"setPhoneBusyStatus", 0x1, 0x1},   {"setPhoneBusyStatus", 0x4, 0x5},
        {"setPhoneBusyStatus", 0x1, 0x5},   {"clearPhoneBusyStatus", 0x1, 0x4},
        {"clearPhoneBusyStatus", 0x8, 0x4}, {"setPhoneBusyStatus", 0x30, 0x34},
        {"clearPhoneBusyStatus", -1, 0x0},
    };
    for (const Step& step : steps) {
        post(Request(step.remote).number("busyStatus", step.bits));
        EXPECT_EQ(call(Request("retrievePhoneBusyStatus")).number("busyStatus"), step.expected)
            << step.remote << " " << step.bits;
    }
}

TEST_F(SimulatorCatalogue, ListsFilesPerTypeNameAndEmptyForNone) {
    EXPECT_EQ(files("ringer"), (std::list<std::string>{"Classic.raw", "Chirp.raw"}));
    EXPECT_EQ(call(Request("getListOfFilesOfType").text("FileType", "logo").text("FileNames", "[x]", INOUT))
                  .text("FileNames", INOUT),
              "empty");
    // Every user kind sees the same catalogue.
    std::list<std::string> forVisitor;
    Serializer::deserialize(call(Request("getListOfFilesOfTypeAndUser")
                                     .text("FileType", "ringer")
                                     .text("FileNames", "empty", INOUT)
                                     .number("userType", 2))
                                .text("FileNames", INOUT),
                            forVisitor);
    EXPECT_EQ(forVisitor, files("ringer"));
}

TEST_F(SimulatorCatalogue, UploadValidateAndDeleteFollowWhetherTheFileIsThere) {
    struct Step {
        const char* remote;
        int type;
        const char* file;
        int expected;  // the int result, or 1/0 for true/false
    };
    const Step steps[] = {
        {"validateFile", kRinger, "Chirp.raw", 1},    {"uploadUserFile", kRinger, "Chirp.raw", 0},
        {"deleteFile", kRinger, "Chirp.raw", 1},      {"validateFile", kRinger, "Chirp.raw", 0},
        {"uploadUserFile", kRinger, "Chirp.raw", -2}, {"deleteFile", kRinger, "Chirp.raw", 0},
        {"validateFile", 7, "Beep.raw", 1},           {"validateFile", 8, "Beep.raw", 0},  // 8 is "swBind"
        {"uploadUserFile", 30, "Classic.raw", -2},
    };
    const int spaceBefore = [&] {
        MemoryInfo info;
        std::string text = call(Request("getUserDataSpaceInfo")).text("spaceinfo");
        info.deserialize(text);
        return std::stoi(info.getValue("free"));
    }();
    for (const Step& step : steps) {
        const bool uploads = std::string(step.remote) == "uploadUserFile";
        Request request(step.remote);
        request.number(uploads ? "filetype" : "fileType", step.type).text("filename", step.file);
        Reply reply = call(request);
        EXPECT_EQ(uploads ? reply.number("result") : int(reply.flag("result")), step.expected)
            << step.remote << " " << step.type << " " << step.file;
    }
    EXPECT_EQ(files("ringer"), std::list<std::string>{"Classic.raw"});
    MemoryInfo space;
    std::string text = call(Request("getUserDataSpaceInfo")).text("spaceinfo");
    space.deserialize(text);
    EXPECT_EQ(std::stoi(space.getValue("free")), spaceBefore + 256);
    EXPECT_EQ(std::stoi(space.getValue("used")) + std::stoi(space.getValue("free")),
              std::stoi(space.getValue("total")));
}

TEST_F(SimulatorCatalogue, PathsFollowTheUserKindAndLeaveUnknownFilesAlone) {
    struct Case {
        int userKind;  // 0: the form without a user kind
        const char* file;
        bool found;
        const char* filename;
    };
    const Case cases[] = {
        {0, "Classic.raw", true, "/usr/local/ringer/Classic.raw"},
        {0, "Missing.raw", false, "Missing.raw"},
        {2, "Classic.raw", true, "/usr/local/visitorUser/ringer/Classic.raw"},
        {6, "Classic.raw", true, "/usr/local/ringer/Classic.raw"},
        {9, "Classic.raw", true, "/usr/local/ringer/Classic.raw"},
    };
    for (const Case& c : cases) {
        Request request(c.userKind == 0 ? "getFilePathFromType" : "getFilePathFromTypeAndUser");
        request.text("filename", c.file, INOUT).text("filetype", "ringer");
        if (c.userKind != 0) request.number("userType", c.userKind);
        Reply reply = call(request);
        EXPECT_EQ(reply.flag("result"), c.found) << c.userKind << " " << c.file;
        EXPECT_EQ(reply.text("filename", INOUT), c.filename) << c.userKind << " " << c.file;
    }
    // The form without a user kind follows the current one.
    EXPECT_TRUE(call(Request("changeCurrentUser").text("userType", "defaultUser")).flag("result"));
    EXPECT_FALSE(call(Request("changeCurrentUser").text("userType", "nobody")).flag("result"));
    EXPECT_EQ(
        call(Request("getFilePathFromType").text("filename", "Classic.raw", INOUT).text("filetype", "ringer"))
            .text("filename", INOUT),
        "/usr/local/defaultUser/ringer/Classic.raw");

    EXPECT_EQ(call(Request("getFileTypeCountLimit").text("FileType", "ringer")).number("FileTypeCountLimit"),
              8);
    EXPECT_EQ(call(Request("getFileTypeNameLimit").text("FileType", "ringer")).number("FileTypeNameLimit"),
              24);
    EXPECT_EQ(call(Request("getFileTypeCountLimit").text("FileType", "nosuch")).number("FileTypeCountLimit"),
              0);
    EXPECT_EQ(call(Request("getFileTypeMetadata").text("FileType", "nosuch")).text("FileTypeMetadata"), "");
}

TEST_F(SimulatorDownload, StatusGoesFromIdleToInProgressOnceThenDone) {
    EXPECT_EQ(downloadStatus(kRinger), 0);
    ASSERT_TRUE(download(kRinger));
    EXPECT_EQ(files("ringer"), (std::list<std::string>{"Classic.raw", "Chirp.raw", "download-1.bin"}));
    EXPECT_EQ(downloadStatus(kRinger), 1);
    EXPECT_EQ(downloadStatus(kRinger), 2);
    EXPECT_EQ(downloadStatus(kRinger), 2);
    EXPECT_EQ(downloadStatus(7), 0);  // per type
    ASSERT_TRUE(downloadFrom("Bells.raw", false));
    EXPECT_EQ(files("ringer").back(), "Bells.raw");
    EXPECT_EQ(downloadStatus(kRinger), 1);
}

TEST_F(SimulatorDownload, RefusesAFullTypeATooLongNameAndABusyPhoneUnlessOverridden) {
    EXPECT_TRUE(download(kLogo));  // the logo holds one file
    EXPECT_FALSE(download(kLogo));
    EXPECT_FALSE(downloadFrom(std::string(25, 'n'), false));
    post(Request("setPhoneBusyStatus").number("busyStatus", 2));
    EXPECT_FALSE(download(kRinger));
    EXPECT_FALSE(downloadFrom("Busy.raw", false));
    EXPECT_TRUE(downloadFrom("Busy.raw", true));
    EXPECT_EQ(files("ringer").size(), 3u);
}

TEST_F(SimulatorDevice, IdentityIsEchoedAndReplacedOnlyByValuesGiven) {
    struct Step {
        const char* sentId;
        const char* sentName;
        const char* id;
        const char* name;
    };
    const Step steps[] = {
        {"", "", "SEP-0001", "Desk Phone"},
        {"SEP-0042", "", "SEP-0042", "Desk Phone"},
        {"", "Lobby", "SEP-0042", "Lobby"},
        {"", "", "SEP-0042", "Lobby"},
    };
    for (const Step& step : steps) {
        Reply reply = call(Request("getIDAndDisplayName")
                               .text("identifier", step.sentId, INOUT)
                               .text("displayname", step.sentName, INOUT));
        EXPECT_TRUE(reply.flag("result"));
        EXPECT_EQ(reply.text("identifier", INOUT), step.id);
        EXPECT_EQ(reply.text("displayname", INOUT), step.name);
    }
    // The device name is the identifier.
    EXPECT_EQ(call(Request("getEnvironmentVariable").number("VariableSelection", 0)).text("Result"),
              "SEP-0042");
}

TEST_F(SimulatorDevice, EnvironmentVariablesAcknowledgeOnlyKnownSelections) {
    for (int selection = -1; selection <= 6; ++selection) {
        Reply reply = call(Request("getEnvironmentVariable").number("VariableSelection", selection));
        const bool known = selection >= 0 && selection <= 5;
        EXPECT_EQ(reply.text("Acknowledge"), known ? "SUCCESS" : "FAILURE") << selection;
        std::string value;
        EXPECT_EQ(reply.method.getStringParameter("Result", value, OUT), known) << selection;
    }
    // A software upgrade changes the version reported.
    EXPECT_EQ(call(Request("upgradeSoftwareImageWithFile").text("filename", "phone.bin")).number("result"),
              -3);
    EXPECT_EQ(call(Request("upgradeSoftwareImageWithFile").text("filename", ".img")).number("result"), -3);
    EXPECT_EQ(
        call(Request("upgradeSoftwareImageWithFile").text("filename", "phone-2.1.img")).number("result"), 0);
    EXPECT_EQ(call(Request("getEnvironmentVariable").number("VariableSelection", 4)).text("Result"),
              "phone-2.1");
}

TEST_F(SimulatorDevice, FactoryResetNeedsTheDefaultPassword) {
    const auto verify = [&](const std::string& password) {
        return call(Request("verifyFactoryResetPassword").text("password", password, INOUT)).number("result");
    };
    const auto reset = [&](const std::string& password, bool reboot) {
        return call(Request("performFactoryReset")
                        .text("password", password, INOUT)
                        .flag("reboot", reboot, INOUT))
            .flag("result");
    };
    EXPECT_EQ(verify("admin123"), 0);
    EXPECT_EQ(verify("Admin123"), 1);
    EXPECT_EQ(verify(""), 1);
    EXPECT_FALSE(reset("wrong", true));
    EXPECT_EQ(phone.state().device.factoryResets(), 0);
    EXPECT_TRUE(reset("admin123", false));
    EXPECT_EQ(phone.state().device.reboots(), 0);
    EXPECT_TRUE(reset("admin123", true));
    EXPECT_TRUE(call(Request("performReboot").text("rebootReason", "test", INOUT)).flag("result"));
    EXPECT_EQ(phone.state().device.factoryResets(), 2);
    EXPECT_EQ(phone.state().device.reboots(), 2);
}

TEST_F(SimulatorDevice, TrapSettingsAreChecked) {
    struct Case {
        const char* remote;
        const char* parameter;
        const char* value;
        bool valid;
    };
    const Case cases[] = {
        {"validateSNMPTrapPort", "strPort", "162", true},
        {"validateSNMPTrapPort", "strPort", "1", true},
        {"validateSNMPTrapPort", "strPort", "65535", true},
        {"validateSNMPTrapPort", "strPort", "0", false},
        {"validateSNMPTrapPort", "strPort", "65536", false},
        {"validateSNMPTrapPort", "strPort", "", false},
        {"validateSNMPTrapPort", "strPort", "16 2", false},
        {"validateSNMPTrapPort", "strPort", "999999", false},
        {"validateSNMPTrapIPAddress", "verboseSink", "192.0.2.1", true},
        {"validateSNMPTrapIPAddress", "verboseSink", "255.255.255.255", true},
        {"validateSNMPTrapIPAddress", "verboseSink", "256.1.1.1", false},
        {"validateSNMPTrapIPAddress", "verboseSink", "1.2.3", false},
        {"validateSNMPTrapIPAddress", "verboseSink", "1.2.3.4.5", false},
        {"validateSNMPTrapIPAddress", "verboseSink", "1..3.4", false},
        {"validateSNMPTrapIPAddress", "verboseSink", "a.b.c.d", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(call(Request(c.remote).text(c.parameter, c.value)).flag("result"), c.valid) << c.value;
}

TEST_F(SimulatorData, SetDataMergesAndGetDataFillsTheKeysAsked) {
    const KeyValues sent = {{"audio.ringVolume", "9"}, {"custom.flag", "on"}};
    Reply set = call(Request("setData").text("manageableData", dataText(sent), INOUT));
    EXPECT_TRUE(set.flag("result"));
    EXPECT_EQ(set.data(), sent);

    Reply asked = call(Request("getData").text(
        "manageableData",
        dataText({{"audio.ringVolume", ""}, {"custom.flag", ""}, {"display.brightness", ""}}), INOUT));
    EXPECT_TRUE(asked.flag("result"));
    EXPECT_EQ(asked.data(),
              (KeyValues{{"audio.ringVolume", "9"}, {"custom.flag", "on"}, {"display.brightness", "7"}}));

    Reply unknown = call(Request("getData").text("manageableData", dataText({{"no.such", "x"}}), INOUT));
    EXPECT_FALSE(unknown.flag("result"));
    EXPECT_EQ(unknown.data(), (KeyValues{{"no.such", ""}}));

    Reply all = call(Request("getData").text("manageableData", "", INOUT));
    EXPECT_EQ(all.data(), phone.state().data.nodes());
    EXPECT_EQ(all.data().at("custom.flag"), "on");
}

TEST_F(SimulatorData, SchemasAndEditabilityFollowTheNodes) {
    EXPECT_EQ(call(Request("findSchemaName").text("nodeId", "audio.ringVolume")).text("schemaName"),
              "AudioSettings");
    EXPECT_EQ(call(Request("findSchemaName").text("nodeId", "audiology.x")).text("schemaName"), "");
    Reply schema =
        call(Request("getSchema").text("schemaName", "AudioSettings").text("manageableData", "", INOUT));
    EXPECT_TRUE(schema.flag("result"));
    EXPECT_EQ(schema.data(), (KeyValues{{"audio.keyClick", "boolean"}, {"audio.ringVolume", "integer"}}));
    const std::string xml =
        call(Request("exportSchema").text("schemaName", "AudioSettings")).text("schemaXml");
    EXPECT_NE(xml.find("<node id=\"audio.ringVolume\" type=\"integer\" editableBy=\"user\"/>"),
              std::string::npos);
    EXPECT_EQ(call(Request("exportSchema").text("schemaName", "Nope")).text("schemaXml"), "");

    const auto editable = [&](const KeyValues& nodes, int level) {
        Reply reply = call(Request("checkDataEditable")
                               .text("manageableData", dataText(nodes), INOUT)
                               .number("accessLevel", level));
        EXPECT_EQ(reply.data(), nodes);  // echoed, or the proxy would empty the caller's data
        return reply.flag("result");
    };
    const KeyValues network = {{"network.dhcp", "false"}};
    const KeyValues audio = {{"audio.ringVolume", "3"}};
    EXPECT_TRUE(editable(network, 1));
    EXPECT_TRUE(editable(network, 2));
    EXPECT_FALSE(editable(network, 0));
    EXPECT_FALSE(editable(network, 7));
    EXPECT_TRUE(editable(audio, 0));
    EXPECT_FALSE(editable({{"audio.ringVolume", ""}, {"network.dhcp", ""}}, 0));
    EXPECT_FALSE(editable({}, 0));
    post(Request("setDataEditable")
             .text("manageableData", dataText(network), INOUT)
             .number("editableStatus", 1));
    post(Request("setDataEditable")
             .text("manageableData", dataText(audio), INOUT)
             .number("editableStatus", 0));
    EXPECT_TRUE(editable(network, 0));
    EXPECT_FALSE(editable(audio, 0));
}

TEST_F(SimulatorObservation, ChangedDataCountsTheChannelsObservingIt) {
    const auto observe = [&](const char* node, const std::string& channel) {
        return call(Request("observeData").text("nodeId", node), channel).flag("result");
    };
    EXPECT_TRUE(observe("audio", "agent-1"));
    EXPECT_TRUE(observe("audio.ringVolume", "agent-2"));
    EXPECT_FALSE(observe("display", ""));  // nobody to call back
    EXPECT_TRUE(
        call(Request("observeListDataBulkData").text("rootIds", listText({"display", "network"})), "agent-3")
            .flag("result"));
    EXPECT_FALSE(
        call(Request("observeListDataBulkData").text("rootIds", listText({})), "agent-3").flag("result"));

    EXPECT_EQ(observers({{"audio.ringVolume", "4"}}), 2);
    EXPECT_EQ(observers({{"audio.keyClick", "false"}}), 1);
    EXPECT_EQ(observers({{"audiology", "x"}}), 0);
    EXPECT_EQ(observers({{"audio.keyClick", "true"}, {"network.dhcp", "true"}}), 2);
    EXPECT_EQ(phone.state().data.nodes().at("audio.ringVolume"), "4");  // announced changes are kept

    EXPECT_TRUE(call(Request("stopObservingData").text("nodeId", "audio"), "agent-1").flag("result"));
    EXPECT_FALSE(call(Request("stopObservingData").text("nodeId", "audio"), "agent-1").flag("result"));
    EXPECT_EQ(observers({{"audio.ringVolume", "5"}}), 1);

    std::string channel = "agent-9";
    Request registration("registerManagementIdentityBulkData");
    registration.text("managementId", "mgr").flag("bulkDataManageable", true);
    phone.asynchronousCallWithChannel(registration.method(), channel);
    EXPECT_EQ(phone.state().agents.agentCount(), 1u);
    EXPECT_NE(phone.describeState().find("agent.mgr: agent-9 (bulk data)\n"), std::string::npos);
}

TEST_F(SimulatorFailures, InjectedUnknownAndMalformedRequestsFailAfterTheObserverIsTold) {
    std::vector<std::string> seen;
    phone.observer = [&](const Exchange& exchange) {
        seen.push_back(exchange.request.name() + (exchange.reply ? " replied" : "") +
                       (exchange.failure ? " failed: " + *exchange.failure : ""));
    };
    const auto failure = [&](Request request, bool oneWay) {
        try {
            oneWay ? post(request) : static_cast<void>(call(request));
        } catch (const CorvexException& error) {
            return std::string(error.what());
        }
        return std::string("no failure");
    };
    phone.failMethod("setPhoneBusyStatus", "link lost");
    EXPECT_EQ(failure(Request("setPhoneBusyStatus").number("busyStatus", 1), true), "link lost");
    EXPECT_EQ(failure(Request("frobnicate"), false), "unknown remote method frobnicate");
    EXPECT_EQ(failure(Request("retrievePhoneBusyStatus"), true),
              "retrievePhoneBusyStatus expects a synchronous call, not a one-way call");
    EXPECT_EQ(failure(Request("clearPhoneBusyStatus").number("busyStatus", 1), false),
              "clearPhoneBusyStatus is one-way and has no reply");
    EXPECT_EQ(failure(Request("getIDAndDisplayName").text("identifier", "x").text("displayname", "y", INOUT),
                      false),
              "getIDAndDisplayName: request lacks string parameter \"identifier\" (INOUT)");
    EXPECT_EQ(failure(Request("getData").text("manageableData", "a=b=c", INOUT), false).rfind("malformed", 0),
              0u);

    phone.restoreMethod("setPhoneBusyStatus");
    post(Request("setPhoneBusyStatus").number("busyStatus", 1));
    Reply reply = call(Request("retrievePhoneBusyStatus"));
    EXPECT_EQ(reply.number("busyStatus"), 1);  // the failed call changed nothing
    ASSERT_EQ(seen.size(), 8u);
    EXPECT_EQ(seen[0], "setPhoneBusyStatus failed: link lost");
    EXPECT_EQ(seen[1], "frobnicate failed: unknown remote method frobnicate");
    EXPECT_EQ(seen[6], "setPhoneBusyStatus");
    EXPECT_EQ(seen[7], "retrievePhoneBusyStatus replied");
}

// One request per remote method as the proxies send it, and the reply
// parameters the proxies read ("-" for one-way methods). A parameter is
// "<kind>:<name>=<value>", with kind i, s or b, in capitals when INOUT.
struct Contract {
    const char* remote;
    std::vector<std::string> sent;
    const char* reply;
};

const Contract kContracts[] = {
    {"setPhoneBusyStatus", {"i:busyStatus=1"}, "-"},
    {"clearPhoneBusyStatus", {"i:busyStatus=1"}, "-"},
    {"retrievePhoneBusyStatus", {}, "i:busyStatus"},
    {"raiseGenericTrap", {"i:dest=0", "i:trapNo=3"}, "-"},
    {"raiseSpecificTrap", {"i:dest=1", "s:SNMPTrapData=oid=1.3.6"}, "-"},
    {"validateSNMPTrapPort", {"s:strPort=162"}, "b:result"},
    {"validateSNMPTrapIPAddress", {"s:verboseSink=192.0.2.1"}, "b:result"},
    {"invalidateTRVKCache", {}, "-"},
    {"refreshPictureClips", {}, "-"},
    {"factoryResetPreservingData", {}, "-"},
    {"performReboot", {"S:rebootReason=test"}, "b:result"},
    {"performFactoryReset", {"S:password=admin123", "B:reboot=0"}, "b:result"},
    {"verifyFactoryResetPassword", {"S:password=x"}, "i:result"},
    {"getPingOutput", {"s:Address=192.0.2.1"}, "s:Result"},
    {"getTracerouteOutput", {"s:Address=192.0.2.1"}, "s:Result"},
    {"getEnvironmentVariable", {"i:VariableSelection=1"}, "s:Acknowledge s:Result"},
    {"getIDAndDisplayName", {"S:identifier=", "S:displayname="}, "b:result S:identifier S:displayname"},
    {"getUserDataSpaceInfo", {}, "s:Acknowledge s:spaceinfo"},
    {"clearSpecificUserData", {"i:specificGroup=2"}, "-"},
    {"clearAllUserData", {}, "b:result"},
    {"clearMobileUserData", {}, "b:result"},
    {"changeCurrentUser", {"s:userType=visitorUser"}, "b:result"},
    {"cleanupUserData", {"s:filetype=ringer", "i:userType=2"}, "-"},
    {"getFileTypeMetadata", {"s:FileType=ringer"}, "s:FileTypeMetadata"},
    {"getFileTypeCountLimit", {"s:FileType=ringer"}, "i:FileTypeCountLimit"},
    {"getFileTypeNameLimit", {"s:FileType=ringer"}, "i:FileTypeNameLimit"},
    {"getFilePathFromType", {"S:filename=Classic.raw", "s:filetype=ringer"}, "b:result S:filename"},
    {"getFilePathFromTypeAndUser",
     {"S:filename=Classic.raw", "s:filetype=ringer", "i:userType=2"},
     "b:result S:filename"},
    {"getListOfFilesOfType", {"s:FileType=ringer", "S:FileNames=empty"}, "S:FileNames"},
    {"getListOfFilesOfTypeAndUser",
     {"s:FileType=ringer", "S:FileNames=empty", "i:userType=2"},
     "S:FileNames"},
    {"deleteFile", {"i:fileType=11", "s:filename=Chirp.raw"}, "b:result"},
    {"validateFile", {"i:fileType=11", "s:filename=Classic.raw"}, "b:result"},
    {"uploadUserFile", {"i:filetype=11", "s:filename=Classic.raw"}, "i:result"},
    {"requestCurrentDownloadStatus", {"i:filetype=11", "s:filename=Classic.raw"}, "i:result"},
    {"upgradeSoftwareImageWithFile", {"s:filename=phone.img"}, "i:result"},
    {"startDownloadWithFileType",
     {"i:filetype=11", "b:displayProgress=1", "i:certificateType=0"},
     "b:result"},
    {"startDownloadWithFileTypeAndCallback",
     {"i:filetype=11", "b:displayProgress=1", "i:certificateType=0"},
     "b:result"},
    {"startDownloadWithManyParams",
     {"i:downloadProtocol=0", "s:port=69", "s:server=tftp", "s:username=", "s:password=", "i:filetype=11",
      "s:sourcepath=/", "s:filename=F.raw", "b:displayProgress=0", "i:certificateType=0"},
     "b:result"},
    {"startDownloadWithManyParamsAndCallback",
     {"i:downloadProtocol=0", "s:port=69", "s:server=tftp", "s:username=", "s:password=", "i:filetype=11",
      "s:sourcepath=/", "s:filename=G.raw", "b:overrideBusy=0", "s:version=1", "b:displayProgress=0",
      "i:certificateType=0"},
     "b:result"},
    {"setData", {"S:manageableData=audio.keyClick=false"}, "b:result S:manageableData"},
    {"getData", {"S:manageableData="}, "b:result S:manageableData"},
    {"manageableDataChanged", {"S:manageableData=audio.keyClick=true"}, "S:manageableData i:numObservers"},
    {"findSchemaName", {"s:nodeId=audio.keyClick"}, "s:schemaName"},
    {"getSchema", {"s:schemaName=AudioSettings", "S:manageableData="}, "b:result S:manageableData"},
    {"exportSchema", {"s:schemaName=AudioSettings"}, "s:schemaXml"},
    {"checkDataEditable",
     {"S:manageableData=audio.keyClick=", "i:accessLevel=0"},
     "b:result S:manageableData"},
    {"setDataEditable", {"S:manageableData=audio.keyClick=", "i:editableStatus=1"}, "-"},
    {"registerManagementIdentity", {"s:managementId=m1"}, "-"},
    {"registerManagementIdentityBulkData", {"s:managementId=m1", "b:bulkDataManageable=1"}, "-"},
    {"observeData", {"s:nodeId=audio"}, "b:result"},
    {"observeDataBulkData", {"s:nodeId=audio", "b:bulkDataManageable=1"}, "b:result"},
    {"observeListDataBulkData", {"s:rootIds=[audio]"}, "b:result"},
    {"stopObservingData", {"s:nodeId=audio"}, "b:result"},
    {"addActionEventRequest", {"i:type=1"}, "-"},
    {"addActionEventRequestWithData", {"i:type=1", "s:data=x"}, "-"},
    {"sendLocationDeliveryRequest", {}, "-"},
};

Request requestOf(const Contract& contract) {
    Request request(contract.remote);
    for (const std::string& parameter : contract.sent) {
        const char kind = parameter[0];
        const std::size_t equals = parameter.find('=');
        const std::string name = parameter.substr(2, equals - 2), value = parameter.substr(equals + 1);
        const Parameter::directions d = std::isupper(static_cast<unsigned char>(kind)) ? INOUT : IN;
        switch (std::tolower(static_cast<unsigned char>(kind))) {
            case 'i': request.number(name.c_str(), std::stoi(value), d); break;
            case 'b': request.flag(name.c_str(), value == "1", d); break;
            default: request.text(name.c_str(), value, d);
        }
    }
    return request;
}

std::string signatureOf(const Method& reply) {
    std::string signature;
    for (const Parameter& parameter : reply.parameters()) {
        const char kind = "isb"[parameter.kind()];
        signature += signature.empty() ? "" : " ";
        signature += parameter.direction() == INOUT ? char(std::toupper(kind)) : kind;
        signature += ":" + parameter.name();
        EXPECT_NE(parameter.direction(), IN) << reply.name() << " " << parameter.name();
    }
    return signature;
}

TEST(SimulatorTable, AnswersEveryMethodTheProxiesSendWithWhatTheyRead) {
    SimulatedPhone phone;
    std::vector<std::string> contracted;
    for (const Contract& contract : kContracts) {
        contracted.push_back(contract.remote);
        Request request = requestOf(contract);
        std::string channel = "agent-1";
        if (std::string(contract.reply) == "-") {
            EXPECT_NO_THROW(phone.asynchronousCallWithChannel(request.method(), channel)) << contract.remote;
            continue;
        }
        Reply reply;
        EXPECT_NO_THROW(phone.synchronousCall(request.method(), reply.method, channel)) << contract.remote;
        EXPECT_EQ(signatureOf(reply.method), contract.reply) << contract.remote;
    }
    std::sort(contracted.begin(), contracted.end());
    EXPECT_EQ(phone.remoteMethods(), contracted);
}

struct Agent : Executable, MgmtAgentIfc {
    void init(Context&) override {}
    void shutdown() override {}
};

TEST(SimulatorContext, NamesChannelsInOrderOfFirstAppearance) {
    SimulatedContext context;
    Agent first, second;
    EXPECT_EQ(context.findChannel(&second), "agent-1");
    EXPECT_EQ(context.findChannel(&first), "agent-2");
    EXPECT_EQ(context.findChannel(&second), "agent-1");
    EXPECT_EQ(context.findChannel(nullptr), "");
}

TEST(SimulatorWithProxy, AProxyBoundToTheChannelSeesTheSimulatedState) {
    SimulatedPhone phone;
    SimulatedContext context;
    phone.frameworkContext = &context;
    std::vector<std::string> exchanges;
    phone.observer = [&](const Exchange& exchange) { exchanges.push_back(exchange.request.name()); };
    LocalMgmtProxy proxy;
    proxy.initProxy(phone);
    LocalMgmtIfc& service = proxy;

    std::list<std::string> ringers = {"stale"};
    ASSERT_TRUE(service.getListOfFilesOfType(LocalMgmtIfc::FILETYPE_RINGER, &ringers));
    EXPECT_EQ(ringers, (std::list<std::string>{"Classic.raw", "Chirp.raw"}));
    ASSERT_TRUE(service.getListOfFilesOfType(LocalMgmtIfc::FILETYPE_LOGO, &ringers));
    EXPECT_TRUE(ringers.empty());

    service.setPhoneBusyStatus(0x3);
    service.clearPhoneBusyStatus(0x1);
    EXPECT_EQ(service.retrievePhoneBusyStatus(), 0x2u);
    EXPECT_EQ(exchanges,
              (std::vector<std::string>{"getListOfFilesOfType", "getListOfFilesOfType", "setPhoneBusyStatus",
                                        "clearPhoneBusyStatus", "retrievePhoneBusyStatus"}));
    EXPECT_NE(phone.describeState().find("channel.options: 4\n"), std::string::npos);
}

}  // namespace
