// The telephone as a device: busy status, traps and trap settings, reboot and
// factory reset, and the diagnostics the service reads for us (ping,
// traceroute, environment, identity, user data space).
#include <cstdio>

#include "localmgmt/LocalMgmtOperation.h"

namespace {

// Reboot, factory reset and the password check keep the service busy longer
// than an ordinary request.
const int kLongOperationTimeout = 60000;

// What verifyFactoryResetPassword answers when the service did not.
const int kPasswordNotVerified = 7;

// The service vouches for the data of a status reply only with this exact
// word; anything else, a missing one included, means the data is not there.
bool acknowledged(Method& reply) {
    std::string acknowledge;
    reply.getStringParameter("Acknowledge", acknowledge, Parameter::OUT);
    return acknowledge == "SUCCESS";
}

// Ping and traceroute differ only in the remote name.
std::string diagnosticOutput(RemoteCall&& call, const std::string& address) {
    std::string output;
    call.in("Address", address).send().out("Result", output);
    return output;
}

// Both trap settings are checked by the service. Failures go under the schema
// lookup's label, deliberately.
bool trapSettingAccepted(RemoteCall&& call, const char* parameter, const std::string& value) {
    bool result = false;
    call.in(parameter, value)
        .onFailure(MGMT_ERROR_RECORD("findSchemaName: %s\n"))
        .send()
        .out("result", result);
    return result;
}

}  // namespace

bool LocalMgmtProxy::getIDAndDisplayName(std::string& identifier, std::string& displayName) {
    MGMT_TRACE("getIDAndDisplayName");
    bool result = false;
    // All three are taken whatever "result" says.
    RemoteCall(proxyReq, "getIDAndDisplayName")
        .inout("identifier", identifier)
        .inout("displayname", displayName)
        .onFailure(MGMT_TIMEOUT_RECORD("getIDAndDisplayName: proxyReq->synchronousCall timeout.\n"))
        .send()
        .out("result", result)
        .inout("identifier", identifier)
        .inout("displayname", displayName);
    return result;
}

void LocalMgmtProxy::setPhoneBusyStatus(unsigned int busyStatus) {
    RemoteCall(proxyReq, "setPhoneBusyStatus").in("busyStatus", busyStatus).post();
}

unsigned int LocalMgmtProxy::retrievePhoneBusyStatus() {
    int busyStatus = 0;
    RemoteCall(proxyReq, "retrievePhoneBusyStatus").send().out("busyStatus", busyStatus);
    return static_cast<unsigned int>(busyStatus);
}

void LocalMgmtProxy::clearPhoneBusyStatus(unsigned int busyStatus) {
    RemoteCall(proxyReq, "clearPhoneBusyStatus").in("busyStatus", busyStatus).post();
}

bool LocalMgmtProxy::performFactoryReset(const std::string& password, bool reboot) {
    bool result = false;
    // A reset the service could not confirm ends in a local reboot, asked for or not.
    RemoteCall(proxyReq, "performFactoryReset")
        .inout("password", password)
        .inout("reboot", reboot)
        .onFailure(rebootInstead(result, MGMT_ERROR_RECORD("performFactoryReset: %s\n")))
        .send(kLongOperationTimeout)
        .out("result", result);
    return result;
}

int LocalMgmtProxy::verifyFactoryResetPassword(const std::string& password) {
    int result = kPasswordNotVerified;
    RemoteCall(proxyReq, "verifyFactoryResetPassword")
        .inout("password", password)
        .onFailure(MGMT_TIMEOUT_RECORD("verifyFactoryResetPassword: proxyReq->synchronousCall timeout.\n"))
        .send(kLongOperationTimeout)
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::performReboot(const std::string& rebootReason) {
    bool result = false;
    // Reported on standard output, not in the log; flushed because the device
    // goes down right after.
    auto printFailure = [](const CorvexException& failure) {
        std::printf("performReboot:%s\n", failure.what());
        std::fflush(stdout);
    };
    RemoteCall(proxyReq, "performReboot")
        .inout("rebootReason", rebootReason)
        .onFailure(rebootInstead(result, printFailure))
        .send(kLongOperationTimeout)
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::raiseGenericTrap(TrapDest dest, int trapNo) {
    MGMT_TRACE("raiseGenericTrap");
    RemoteCall(proxyReq, "raiseGenericTrap").in("dest", dest).in("trapNo", trapNo).post();
    return true;
}

bool LocalMgmtProxy::raiseSpecificTrap(TrapDest dest, SNMPTrapData& data) {
    MGMT_TRACE("raiseSpecificTrap");
    // Each link of the chain is done before the next one's arguments are
    // evaluated, so "dest" is in the request before the record is serialised.
    RemoteCall(proxyReq, "raiseSpecificTrap")
        .in("dest", dest)
        .in("SNMPTrapData", data.serialize())
        .post();
    return true;
}

void LocalMgmtProxy::invalidateTRVKCache() { RemoteCall(proxyReq, "invalidateTRVKCache").post(); }

void LocalMgmtProxy::refreshPictureClips() { RemoteCall(proxyReq, "refreshPictureClips").post(); }

void LocalMgmtProxy::factoryResetPreservingData() {
    RemoteCall(proxyReq, "factoryResetPreservingData").post();
}

void LocalMgmtProxy::getUserDataSpaceInfo(MemoryInfo& info) {
    MGMT_TRACE("getUserDataSpaceInfo");
    // The caller learns of success only from its object, so it is refilled
    // from an acknowledged reply or not at all.
    RemoteCall(proxyReq, "getUserDataSpaceInfo")
        .onFailure(MGMT_TIMEOUT_RECORD("getUserDataSpaceInfo: proxyReq->synchronousCall timeout.\n"))
        .send()
        .then([&](Method& reply) {
            std::string spaceInfo;
            if (acknowledged(reply) && reply.getStringParameter("spaceinfo", spaceInfo, Parameter::OUT))
                info.deserialize(spaceInfo);
        });
}

bool LocalMgmtProxy::getEnvironmentVariable(envVar variable, std::string& value) {
    bool result = false;
    RemoteCall(proxyReq, "getEnvironmentVariable")
        .in("VariableSelection", variable)
        .send()
        .then([&](Method& reply) {
            if (!acknowledged(reply)) return;
            // An acknowledged reply without "Result" still counts as an answer.
            reply.getStringParameter("Result", value, Parameter::OUT);
            result = true;
        });
    return result;
}

std::string LocalMgmtProxy::getPingOutput(const std::string& address) {
    return diagnosticOutput(RemoteCall(proxyReq, "getPingOutput"), address);
}

std::string LocalMgmtProxy::getTracerouteOutput(const std::string& address) {
    return diagnosticOutput(RemoteCall(proxyReq, "getTracerouteOutput"), address);
}

bool LocalMgmtProxy::validateSNMPTrapPort(const std::string& port) {
    MGMT_TRACE("validateSNMPTrapPort");
    return trapSettingAccepted(RemoteCall(proxyReq, "validateSNMPTrapPort"), "strPort", port);
}

bool LocalMgmtProxy::validateSNMPTrapIPAddress(const std::string& address) {
    MGMT_TRACE("validateSNMPTrapIPAddress");
    return trapSettingAccepted(RemoteCall(proxyReq, "validateSNMPTrapIPAddress"), "verboseSink", address);
}
