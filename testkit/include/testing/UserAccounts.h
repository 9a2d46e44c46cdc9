// The kind of user the phone runs for and the clearing of user data.
// Rules: see PhoneState.h.
#pragma once

#include <map>
#include <string>

namespace mgmtkit {

class UserAccounts {
public:
    // The name of a user kind as the service knows it (the description's);
    // unnamed values are the base user.
    static std::string kindName(int userKind);
    // Base user kinds keep their files in the shared folders.
    static bool isBaseKind(const std::string& name);

    bool changeCurrentUser(const std::string& name);  // false for a name that is no user kind
    const std::string& currentUser() const { return currentUser_; }

    void clearAll() { ++clearedAll_; }
    void clearMobile() { ++clearedMobile_; }
    void clearGroup(int group) { ++clearedGroups_[group]; }
    void cleanup(const std::string& fileType, int userKind) {
        ++cleanups_[fileType + "." + kindName(userKind)];
    }

    int clearedAll() const { return clearedAll_; }

private:
    friend class StateDocument;

    std::string currentUser_ = kindName(0);
    int clearedAll_ = 0;
    int clearedMobile_ = 0;
    std::map<int, int> clearedGroups_;
    std::map<std::string, int> cleanups_;  // by "<file type>.<user kind>"
};

}  // namespace mgmtkit
