#include "testing/UserAccounts.h"

#include "LocalMgmtIfc.h"
#include "description/ServiceDescription.h"

namespace mgmtkit {

namespace {

const mgmtdesc::Enumeration& userKinds() { return *mgmtdesc::enumerationOf(mgmtdesc::ArgType::UserType); }

}  // namespace

std::string UserAccounts::kindName(int userKind) { return userKinds().wireNameOf(userKind); }

bool UserAccounts::isBaseKind(const std::string& name) {
    return name == userKinds().fallbackWireName || name == kindName(LocalMgmtIfc::USER_BASE_QEL);
}

bool UserAccounts::changeCurrentUser(const std::string& name) {
    for (const mgmtdesc::Enumerator& kind : userKinds().enumerators) {
        if (kind.wireName != nullptr && name == kind.wireName) {
            currentUser_ = name;
            return true;
        }
    }
    return false;
}

}  // namespace mgmtkit
