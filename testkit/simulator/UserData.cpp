#include "testing/UserData.h"

#include <algorithm>
#include <iterator>

namespace mgmtkit {

namespace {

const char* const kBaseUser = "baseUser";

// Index + 2 is the user kind's value; the names match what the proxies send.
const char* const kNamedKinds[] = {
    "visitorUser",    "migrateToVisitorUser",    "defaultUser", "clearDataVisitorUser", "baseUserQel",
    "visitorUserQel", "ClearDataVisitorUserQel",
};
constexpr int kFirstNamedKind = 2;
constexpr int kNamedKindCount = static_cast<int>(std::size(kNamedKinds));

}  // namespace

std::string UserData::kindName(int userKind) {
    const int index = userKind - kFirstNamedKind;
    return index >= 0 && index < kNamedKindCount ? kNamedKinds[index] : kBaseUser;
}

bool UserData::isBaseKind(const std::string& name) { return name == kBaseUser || name == "baseUserQel"; }

bool UserData::changeCurrentUser(const std::string& name) {
    const bool known = name == kBaseUser || std::find(std::begin(kNamedKinds), std::end(kNamedKinds), name) !=
                                                std::end(kNamedKinds);
    if (known) currentUser_ = name;
    return known;
}

void UserData::describe(std::ostream& out) const {
    out << "currentUser: " << currentUser_ << '\n'
        << "userData.clearedAll: " << clearedAll_ << '\n'
        << "userData.clearedMobile: " << clearedMobile_ << '\n';
    for (const auto& [group, count] : clearedGroups_)
        out << "userData.clearedGroup." << group << ": " << count << '\n';
    for (const auto& [type, count] : cleanups_) out << "userData.cleanedUp." << type << ": " << count << '\n';
}

}  // namespace mgmtkit
