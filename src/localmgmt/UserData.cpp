// Clearing user data and switching the kind of user the telephone runs for.
#include "localmgmt/LocalMgmtOperation.h"

bool LocalMgmtProxy::changeCurrentUser(eUsertype userType) {
    MGMT_TRACE("changeCurrentUser");
    bool result = false;
    RemoteCall(proxyReq, "changeCurrentUser")
        .in("userType", convertUserTypeEnumToString(userType))
        .onFailure(MGMT_TIMEOUT_RECORD("changeCurrentUser: proxyReq->synchronousCall timeout.\n"))
        .send()
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::clearMobileUserData() {
    MGMT_TRACE("clearMobileUserData");
    bool result = false;
    RemoteCall(proxyReq, "clearMobileUserData")
        .onFailure(MGMT_TIMEOUT_RECORD("clearMobileUserData: proxyReq->synchronousCall timeout.\n"))
        .send()
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::clearAllUserData() {
    bool result = false;
    RemoteCall(proxyReq, "clearAllUserData")
        .onFailure(MGMT_TIMEOUT_RECORD("clearAllUserData: proxyReq->synchronousCall timeout.\n"))
        .send()
        .out("result", result);
    return result;
}

void LocalMgmtProxy::clearSpecificUserData(eResetSpecificUserDataGroup group) {
    RemoteCall(proxyReq, "clearSpecificUserData").in("specificGroup", group).post();
}

void LocalMgmtProxy::cleanupUserData(eFiletype fileType, eUsertype userType) {
    MGMT_TRACE("cleanupUserData");
    // The service takes the file type by name but the user kind by number here.
    RemoteCall(proxyReq, "cleanupUserData")
        .in("filetype", convertFileTypeEnumToString(fileType))
        .in("userType", userType)
        .post();
}

std::string LocalMgmtProxy::convertUserTypeEnumToString(eUsertype userType) {
    MGMT_TRACE("convertUserTypeEnumToString");
    switch (userType) {
        case USER_VISITOR: return "visitorUser";
        case USER_MIGRATE_TO_VISITOR: return "migrateToVisitorUser";
        case USER_DEFAULT: return "defaultUser";
        case USER_CLEAR_DATA_VISITOR: return "clearDataVisitorUser";
        case USER_BASE_QEL: return "baseUserQel";
        case USER_VISITOR_QEL: return "visitorUserQel";
        case USER_CLEAR_DATA_VISITOR_QEL: return "ClearDataVisitorUserQel";
        // 0 and 1 are the base user on purpose; anything else is treated alike.
        default: return "baseUser";
    }
}
