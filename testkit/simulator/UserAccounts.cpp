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

void UserAccounts::describe(std::ostream& out) const {
    out << "currentUser: " << currentUser_ << '\n'
        << "userData.clearedAll: " << clearedAll_ << '\n'
        << "userData.clearedMobile: " << clearedMobile_ << '\n';
    for (const auto& [group, count] : clearedGroups_)
        out << "userData.clearedGroup." << group << ": " << count << '\n';
    for (const auto& [type, count] : cleanups_) out << "userData.cleanedUp." << type << ": " << count << '\n';
}

}  // namespace mgmtkit
