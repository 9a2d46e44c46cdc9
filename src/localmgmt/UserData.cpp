#include "localmgmt/LocalMgmtOperation.h"

// Placeholders until this area is built.
#pragma GCC diagnostic ignored "-Wunused-parameter"

bool LocalMgmtProxy::changeCurrentUser(eUsertype userType) {
    throw CorvexException("LocalMgmtProxy::changeCurrentUser is not implemented yet");
}

bool LocalMgmtProxy::clearMobileUserData() {
    throw CorvexException("LocalMgmtProxy::clearMobileUserData is not implemented yet");
}

bool LocalMgmtProxy::clearAllUserData() {
    throw CorvexException("LocalMgmtProxy::clearAllUserData is not implemented yet");
}

void LocalMgmtProxy::clearSpecificUserData(eResetSpecificUserDataGroup group) {
    throw CorvexException("LocalMgmtProxy::clearSpecificUserData is not implemented yet");
}

void LocalMgmtProxy::cleanupUserData(eFiletype fileType, eUsertype userType) {
    throw CorvexException("LocalMgmtProxy::cleanupUserData is not implemented yet");
}

std::string LocalMgmtProxy::convertUserTypeEnumToString(eUsertype userType) {
    throw CorvexException("LocalMgmtProxy::convertUserTypeEnumToString is not implemented yet");
}
