#include "localmgmt/LocalMgmtOperation.h"

// Placeholders until this area is built.
#pragma GCC diagnostic ignored "-Wunused-parameter"

bool LocalMgmtProxy::getIDAndDisplayName(std::string& identifier, std::string& displayName) {
    throw CorvexException("LocalMgmtProxy::getIDAndDisplayName is not implemented yet");
}

void LocalMgmtProxy::setPhoneBusyStatus(unsigned int busyStatus) {
    RemoteCall(proxyReq, "setPhoneBusyStatus").in("busyStatus", busyStatus).post();
}

unsigned int LocalMgmtProxy::retrievePhoneBusyStatus() {
    throw CorvexException("LocalMgmtProxy::retrievePhoneBusyStatus is not implemented yet");
}

void LocalMgmtProxy::clearPhoneBusyStatus(unsigned int busyStatus) {
    RemoteCall(proxyReq, "clearPhoneBusyStatus").in("busyStatus", busyStatus).post();
}

bool LocalMgmtProxy::performFactoryReset(const std::string& password, bool reboot) {
    throw CorvexException("LocalMgmtProxy::performFactoryReset is not implemented yet");
}

int LocalMgmtProxy::verifyFactoryResetPassword(const std::string& password) {
    throw CorvexException("LocalMgmtProxy::verifyFactoryResetPassword is not implemented yet");
}

bool LocalMgmtProxy::performReboot(const std::string& rebootReason) {
    throw CorvexException("LocalMgmtProxy::performReboot is not implemented yet");
}

bool LocalMgmtProxy::raiseGenericTrap(TrapDest dest, int trapNo) {
    throw CorvexException("LocalMgmtProxy::raiseGenericTrap is not implemented yet");
}

bool LocalMgmtProxy::raiseSpecificTrap(TrapDest dest, SNMPTrapData& data) {
    throw CorvexException("LocalMgmtProxy::raiseSpecificTrap is not implemented yet");
}

void LocalMgmtProxy::invalidateTRVKCache() {
    throw CorvexException("LocalMgmtProxy::invalidateTRVKCache is not implemented yet");
}

void LocalMgmtProxy::refreshPictureClips() {
    throw CorvexException("LocalMgmtProxy::refreshPictureClips is not implemented yet");
}

void LocalMgmtProxy::factoryResetPreservingData() {
    throw CorvexException("LocalMgmtProxy::factoryResetPreservingData is not implemented yet");
}

void LocalMgmtProxy::getUserDataSpaceInfo(MemoryInfo& info) {
    throw CorvexException("LocalMgmtProxy::getUserDataSpaceInfo is not implemented yet");
}

bool LocalMgmtProxy::getEnvironmentVariable(envVar variable, std::string& value) {
    throw CorvexException("LocalMgmtProxy::getEnvironmentVariable is not implemented yet");
}

std::string LocalMgmtProxy::getPingOutput(const std::string& address) {
    throw CorvexException("LocalMgmtProxy::getPingOutput is not implemented yet");
}

std::string LocalMgmtProxy::getTracerouteOutput(const std::string& address) {
    throw CorvexException("LocalMgmtProxy::getTracerouteOutput is not implemented yet");
}

bool LocalMgmtProxy::validateSNMPTrapPort(const std::string& port) {
    throw CorvexException("LocalMgmtProxy::validateSNMPTrapPort is not implemented yet");
}

bool LocalMgmtProxy::validateSNMPTrapIPAddress(const std::string& address) {
    throw CorvexException("LocalMgmtProxy::validateSNMPTrapIPAddress is not implemented yet");
}
