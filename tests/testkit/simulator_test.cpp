// The simulated telephone service: its state rules, driven by requests built
// the way the proxies build them, and its refusals. That it answers every row
// of the description is the conformance test's; its fault scripting,
// callbacks and call record are kit_client_test.cpp's; what the tool shows
// of it is mgmtctl_test.py's.
#include <gtest/gtest.h>

#include <cctype>
#include <list>
#include <sstream>
#include <string>
#include <vector>

#include "testing/PhoneState.h"
#include "testing/SimulatedPhone.h"
#include "testing/Exchange.h"

using namespace mgmtkit;

namespace {

constexpr Parameter::directions IN = Parameter::IN;
constexpr Parameter::directions INOUT = Parameter::INOUT;

// A request as a proxy builds it, from parameters written "<kind>:<name>=<value>":
// kind i, s or b, in capitals when INOUT. "@<channel>" is the callback channel.
struct Request {
    Method method;
    std::string channel;
    Request(const char* remote, const std::vector<std::string>& params) : method(remote, Method::REQUEST) {
        for (const std::string& param : params) {
            if (param[0] == '@') {
                channel = param.substr(1);
                continue;
            }
            const std::size_t equals = param.find('=');
            const std::string name = param.substr(2, equals - 2), value = param.substr(equals + 1);
            const Parameter::directions d = std::isupper(static_cast<unsigned char>(param[0])) ? INOUT : IN;
            switch (std::tolower(static_cast<unsigned char>(param[0]))) {
                case 'i': method.addIntParameter(name.c_str(), std::stoi(value), d); break;
                case 'b': method.addBoolParameter(name.c_str(), value == "1", d); break;
                default: method.addStringParameter(name.c_str(), value, d);
            }
        }
    }
};

// The reply values named in `wanted` ("result filename") as the call
// record writes them, joined by spaces: "(absent)" for a value not there.
// Their kinds and directions are the conformance test's.
std::string valuesOf(const Method& reply, const std::string& wanted) {
    std::istringstream names(wanted);
    std::string shown, name;
    while (names >> name) {
        std::string value = "(absent)";
        for (const Parameter& parameter : reply.parameters())
            if (parameter.name() == name) value = wireText(parameter).substr(wireText(parameter).find('=') + 1);
        shown += (shown.empty() ? "" : " ") + value;
    }
    return shown;
}

// One request and, for a synchronous one, the reply values it must bring.
struct Step {
    const char* remote;
    std::vector<std::string> params;
    std::string wanted;    // empty for a one-way request
    std::string expected;  // the wanted values, as valuesOf shows them
};

class SimulatorTest : public ::testing::Test {
protected:
    SimulatedPhone phone;

    std::string ask(const char* remote, const std::vector<std::string>& params, const std::string& wanted) {
        Request request(remote, params);
        Method reply;
        phone.synchronousCall(request.method, reply, request.channel);
        return valuesOf(reply, wanted);
    }
    // The steps in order, on the one phone.
    void play(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            SCOPED_TRACE(std::string(step.remote) + " " + ::testing::PrintToString(step.params));
            if (!step.wanted.empty()) {
                EXPECT_EQ(ask(step.remote, step.params, step.wanted), step.expected);
                continue;
            }
            Request request(step.remote, step.params);
            phone.asynchronousCallWithChannel(request.method, request.channel);
        }
    }
};

std::vector<std::string> downloadFrom(const std::string& file, bool overrideBusy) {
    return {"i:downloadProtocol=0", "s:port=69",      "s:server=192.0.2.5",
            "s:username=",          "s:password=",    "i:filetype=11",
            "s:sourcepath=/tones",  "s:filename=" + file, std::string("b:overrideBusy=") + (overrideBusy ? "1" : "0"),
            "s:version=1",          "b:displayProgress=1", "i:certificateType=0", "@agent-1"};
}

const std::vector<std::string> ringerList = {"s:FileType=ringer", "S:FileNames=empty"};
const std::vector<std::string> download11 = {"i:filetype=11", "b:displayProgress=0", "i:certificateType=0"};
const std::vector<std::string> download4 = {"i:filetype=4", "b:displayProgress=0", "i:certificateType=0"};

TEST_F(SimulatorTest, FilesComeAndGoAndTheUserDataSpaceFollows) {
    play({
        {"getListOfFilesOfType", {"s:FileType=logo", "S:FileNames=[x]"}, "FileNames", "empty"},
        {"getListOfFilesOfTypeAndUser", {"s:FileType=ringer", "S:FileNames=empty", "i:userType=2"}, "FileNames",
         "[Classic.raw,Chirp.raw]"},  // every user kind sees the same catalogue
        {"getUserDataSpaceInfo", {}, "Acknowledge spaceinfo", "SUCCESS free=55296;total=65536;used=10240"},
        {"validateFile", {"i:fileType=11", "s:filename=Chirp.raw"}, "result", "1"},
        {"uploadUserFile", {"i:filetype=11", "s:filename=Chirp.raw"}, "result", "0"},
        {"deleteFile", {"i:fileType=11", "s:filename=Chirp.raw"}, "result", "1"},
        {"validateFile", {"i:fileType=11", "s:filename=Chirp.raw"}, "result", "0"},
        {"uploadUserFile", {"i:filetype=11", "s:filename=Chirp.raw"}, "result", "-2"},
        {"deleteFile", {"i:fileType=11", "s:filename=Chirp.raw"}, "result", "0"},
        {"validateFile", {"i:fileType=7", "s:filename=Beep.raw"}, "result", "1"},
        {"validateFile", {"i:fileType=8", "s:filename=Beep.raw"}, "result", "0"},  // 8 is "swBind"
        {"uploadUserFile", {"i:filetype=30", "s:filename=Classic.raw"}, "result", "-2"},
        {"getListOfFilesOfType", ringerList, "FileNames", "[Classic.raw]"},
        {"getUserDataSpaceInfo", {}, "spaceinfo", "free=55552;total=65536;used=9984"},
    });
}

TEST_F(SimulatorTest, PathsFollowTheUserKindAndLeaveUnknownFilesAlone) {
    const std::vector<std::string> classic = {"S:filename=Classic.raw", "s:filetype=ringer"};
    const auto forUser = [&](const char* kind) {
        std::vector<std::string> params = classic;
        params.push_back(std::string("i:userType=") + kind);
        return params;
    };
    play({
        {"getFilePathFromType", classic, "result filename", "1 /usr/local/ringer/Classic.raw"},
        {"getFilePathFromType", {"S:filename=Missing.raw", "s:filetype=ringer"}, "result filename",
         "0 Missing.raw"},
        {"getFilePathFromTypeAndUser", forUser("2"), "filename", "/usr/local/visitorUser/ringer/Classic.raw"},
        {"getFilePathFromTypeAndUser", forUser("6"), "filename", "/usr/local/ringer/Classic.raw"},
        {"getFilePathFromTypeAndUser", forUser("9"), "filename", "/usr/local/ringer/Classic.raw"},
        // The form without a user kind follows the current one.
        {"changeCurrentUser", {"s:userType=defaultUser"}, "result", "1"},
        {"changeCurrentUser", {"s:userType=nobody"}, "result", "0"},
        {"getFilePathFromType", classic, "filename", "/usr/local/defaultUser/ringer/Classic.raw"},
    });
}

TEST_F(SimulatorTest, DownloadsReportInProgressOnceThenDoneAndAreRefusedWhenTheyCannotFit) {
    play({
        {"requestCurrentDownloadStatus", {"i:filetype=11", "s:filename="}, "result", "0"},
        {"startDownloadWithFileType", download11, "result", "1"},
        {"getListOfFilesOfType", ringerList, "FileNames", "[Classic.raw,Chirp.raw,download-1.bin]"},
        {"requestCurrentDownloadStatus", {"i:filetype=11", "s:filename="}, "result", "1"},
        {"requestCurrentDownloadStatus", {"i:filetype=11", "s:filename="}, "result", "2"},
        {"requestCurrentDownloadStatus", {"i:filetype=11", "s:filename="}, "result", "2"},
        {"requestCurrentDownloadStatus", {"i:filetype=7", "s:filename="}, "result", "0"},  // per type
        {"startDownloadWithManyParamsAndCallback", downloadFrom("Bells.raw", false), "result", "1"},
        {"requestCurrentDownloadStatus", {"i:filetype=11", "s:filename="}, "result", "1"},
        {"startDownloadWithFileType", download4, "result", "1"},  // the logo holds one file
        {"startDownloadWithFileType", download4, "result", "0"},
        {"startDownloadWithManyParamsAndCallback", downloadFrom(std::string(25, 'n'), false), "result", "0"},
        {"setPhoneBusyStatus", {"i:busyStatus=2"}, "", ""},
        {"startDownloadWithFileType", download11, "result", "0"},
        {"startDownloadWithManyParamsAndCallback", downloadFrom("Busy.raw", false), "result", "0"},
        {"startDownloadWithManyParamsAndCallback", downloadFrom("Busy.raw", true), "result", "1"},
        {"getListOfFilesOfType", ringerList, "FileNames",
         "[Classic.raw,Chirp.raw,download-1.bin,Bells.raw,Busy.raw]"},
    });
}

TEST_F(SimulatorTest, IdentityEnvironmentUpgradeAndFactoryResetFollowTheDevice) {
    play({
        // Only a value actually given replaces the stored one (SEP-0001, Desk Phone at first:
        // mgmtctl_test.py's).
        {"getIDAndDisplayName", {"S:identifier=SEP-0042", "S:displayname="}, "result identifier displayname",
         "1 SEP-0042 Desk Phone"},
        {"getIDAndDisplayName", {"S:identifier=", "S:displayname=Lobby"}, "identifier displayname",
         "SEP-0042 Lobby"},
        {"getEnvironmentVariable", {"i:VariableSelection=0"}, "Acknowledge Result", "SUCCESS SEP-0042"},
        {"getEnvironmentVariable", {"i:VariableSelection=5"}, "Acknowledge Result", "SUCCESS DP-SIM-1"},
        {"getEnvironmentVariable", {"i:VariableSelection=6"}, "Acknowledge Result", "FAILURE (absent)"},
        {"getEnvironmentVariable", {"i:VariableSelection=-1"}, "Acknowledge Result", "FAILURE (absent)"},
        {"upgradeSoftwareImageWithFile", {"s:filename=phone.bin"}, "result", "-3"},
        {"upgradeSoftwareImageWithFile", {"s:filename=.img"}, "result", "-3"},
        {"upgradeSoftwareImageWithFile", {"s:filename=phone-2.1.img"}, "result", "0"},
        {"getEnvironmentVariable", {"i:VariableSelection=4"}, "Result", "phone-2.1"},
        {"verifyFactoryResetPassword", {"S:password=Admin123"}, "result", "1"},  // admin123 is: the kit's tests
        {"verifyFactoryResetPassword", {"S:password="}, "result", "1"},
        {"performFactoryReset", {"S:password=wrong", "B:reboot=1"}, "result", "0"},
        {"performFactoryReset", {"S:password=admin123", "B:reboot=0"}, "result", "1"},
    });
    EXPECT_EQ(phone.state().device.factoryResets(), 1);
    EXPECT_EQ(phone.state().device.reboots(), 0);
    play({{"performFactoryReset", {"S:password=admin123", "B:reboot=1"}, "result", "1"},
          {"performReboot", {"S:rebootReason=test"}, "result", "1"}});
    EXPECT_EQ(phone.state().device.factoryResets(), 2);
    EXPECT_EQ(phone.state().device.reboots(), 2);
}

TEST_F(SimulatorTest, TrapSettingsAreChecked) {
    const auto port = [&](const std::string& value) {
        return ask("validateSNMPTrapPort", {"s:strPort=" + value}, "result");
    };
    const auto sink = [&](const std::string& value) {
        return ask("validateSNMPTrapIPAddress", {"s:verboseSink=" + value}, "result");
    };
    for (const char* valid : {"162", "1", "65535"}) EXPECT_EQ(port(valid), "1") << valid;
    for (const char* invalid : {"0", "65536", "", "16 2", "999999"}) EXPECT_EQ(port(invalid), "0") << invalid;
    for (const char* valid : {"192.0.2.1", "255.255.255.255"}) EXPECT_EQ(sink(valid), "1") << valid;
    for (const char* invalid : {"256.1.1.1", "1.2.3", "1.2.3.4.5", "1..3.4", "a.b.c.d"})
        EXPECT_EQ(sink(invalid), "0") << invalid;
}

TEST_F(SimulatorTest, DataIsMergedFilledDescribedAndEditableByAccessLevel) {
    play({
        {"setData", {"S:manageableData=audio.ringVolume=9;custom.flag=on"}, "result manageableData",
         "1 audio.ringVolume=9;custom.flag=on"},
        {"getData", {"S:manageableData=audio.ringVolume=;custom.flag=;display.brightness="},
         "result manageableData", "1 audio.ringVolume=9;custom.flag=on;display.brightness=7"},
        {"getData", {"S:manageableData=no.such=x"}, "result manageableData", "0 no.such="},
        {"findSchemaName", {"s:nodeId=audio.ringVolume"}, "schemaName", "AudioSettings"},
        {"findSchemaName", {"s:nodeId=audiology.x"}, "schemaName", ""},
        {"getSchema", {"s:schemaName=AudioSettings", "S:manageableData="}, "result manageableData",
         "1 audio.keyClick=boolean;audio.ringVolume=integer"},
        {"exportSchema", {"s:schemaName=AudioSettings"}, "schemaXml",
         "<schema name=\"AudioSettings\">\n  <node id=\"audio.keyClick\" type=\"boolean\" editableBy=\"user\"/>\n"
         "  <node id=\"audio.ringVolume\" type=\"integer\" editableBy=\"user\"/>\n</schema>\n"},
        {"exportSchema", {"s:schemaName=Nope"}, "schemaXml", ""},
        // Echoed, or the proxy would empty the caller's data.
        {"checkDataEditable", {"S:manageableData=network.dhcp=false", "i:accessLevel=1"},
         "result manageableData", "1 network.dhcp=false"},
        {"checkDataEditable", {"S:manageableData=network.dhcp=", "i:accessLevel=2"}, "result", "1"},
        {"checkDataEditable", {"S:manageableData=network.dhcp=", "i:accessLevel=0"}, "result", "0"},
        {"checkDataEditable", {"S:manageableData=network.dhcp=", "i:accessLevel=7"}, "result", "0"},
        {"checkDataEditable", {"S:manageableData=audio.ringVolume=", "i:accessLevel=0"}, "result", "1"},
        {"checkDataEditable", {"S:manageableData=audio.ringVolume=;network.dhcp=", "i:accessLevel=0"}, "result", "0"},
        {"checkDataEditable", {"S:manageableData=", "i:accessLevel=0"}, "result", "0"},
        {"setDataEditable", {"S:manageableData=network.dhcp=", "i:editableStatus=1"}, "", ""},
        {"setDataEditable", {"S:manageableData=audio.ringVolume=", "i:editableStatus=0"}, "", ""},
        {"checkDataEditable", {"S:manageableData=network.dhcp=", "i:accessLevel=0"}, "result", "1"},
        {"checkDataEditable", {"S:manageableData=audio.ringVolume=", "i:accessLevel=0"}, "result", "0"},
    });
    std::string all = ask("getData", {"S:manageableData="}, "manageableData");
    ManageableData data;
    data.deserialize(all);
    EXPECT_EQ(data.values(), phone.state().data.nodes());
}

TEST_F(SimulatorTest, ChangedDataCountsTheChannelsObservingANodeOrItsAncestor) {
    play({
        {"observeData", {"s:nodeId=audio", "@agent-1"}, "result", "1"},
        {"observeData", {"s:nodeId=audio.ringVolume", "@agent-2"}, "result", "1"},
        {"observeData", {"s:nodeId=display"}, "result", "0"},  // nobody to call back
        {"observeListDataBulkData", {"s:rootIds=[display,network]", "@agent-3"}, "result", "1"},
        {"observeListDataBulkData", {"s:rootIds=empty", "@agent-3"}, "result", "0"},
        {"manageableDataChanged", {"S:manageableData=audio.ringVolume=4"}, "numObservers", "2"},
        {"manageableDataChanged", {"S:manageableData=audio.keyClick=false"}, "numObservers", "1"},
        {"manageableDataChanged", {"S:manageableData=audiology=x"}, "numObservers", "0"},
        {"manageableDataChanged", {"S:manageableData=audio.keyClick=true;network.dhcp=true"}, "numObservers", "2"},
        {"getData", {"S:manageableData=audio.ringVolume="}, "manageableData", "audio.ringVolume=4"},  // kept
        {"stopObservingData", {"s:nodeId=audio", "@agent-1"}, "result", "1"},
        {"stopObservingData", {"s:nodeId=audio", "@agent-1"}, "result", "0"},
        {"manageableDataChanged", {"S:manageableData=audio.ringVolume=5"}, "numObservers", "1"},
        {"registerManagementIdentityBulkData", {"s:managementId=mgr", "b:bulkDataManageable=1", "@agent-9"}, "", ""},
    });
    ASSERT_EQ(phone.state().agents.agentCount(), 1u);
    EXPECT_EQ(phone.state().agents.agents().at("mgr").channel, "agent-9");
    EXPECT_TRUE(phone.state().agents.agents().at("mgr").bulkData);
}

// Requests the real service could not answer either fail, and change nothing.
TEST_F(SimulatorTest, UnknownMisstyledAndMalformedRequestsFail) {
    const struct {
        const char* remote;
        std::vector<std::string> params;
        bool oneWay;
        const char* failure;
    } cases[] = {
        {"frobnicate", {}, false, "unknown remote method frobnicate"},
        {"retrievePhoneBusyStatus", {}, true, "retrievePhoneBusyStatus expects a synchronous call, not a one-way call"},
        {"setPhoneBusyStatus", {"i:busyStatus=1"}, false, "setPhoneBusyStatus is one-way and has no reply"},
        {"getIDAndDisplayName", {"s:identifier=x", "S:displayname=y"}, false,
         "getIDAndDisplayName: request lacks string parameter \"identifier\" (inout)"},
        {"setData", {"S:manageableData=a=b=c"}, false, "malformed"},
    };
    for (const auto& c : cases) {
        Request request(c.remote, c.params);
        Method reply;
        try {
            if (c.oneWay)
                phone.asynchronousCall(request.method);
            else
                phone.synchronousCall(request.method, reply, request.channel);
            ADD_FAILURE() << c.remote << " did not fail";
        } catch (const CorvexException& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.failure, 0), 0u) << error.what();
        }
    }
    EXPECT_EQ(ask("retrievePhoneBusyStatus", {}, "busyStatus"), "0");
    EXPECT_EQ(phone.state().data.value("a"), std::nullopt);
}

}  // namespace
