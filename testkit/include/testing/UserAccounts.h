/// \file
/// The simulated telephone's user accounts.
#pragma once

#include <map>
#include <string>

namespace mgmtkit {

/// The kind of user the phone runs for and the clearing of user data, which is
/// counted; files are kept. Rules: see PhoneState.
class UserAccounts {
public:
    /// The name of a user kind as the service knows it (the description's);
    /// unnamed values are the base user.
    static std::string kindName(int userKind);
    /// Whether a user kind keeps its files in the shared folders, as the base
    /// user kinds do.
    static bool isBaseKind(const std::string& name);

    /// Makes `name` the current user kind; false, the kind kept, for a name
    /// that is no user kind.
    bool changeCurrentUser(const std::string& name);
    /// The current user kind's name ("baseUser" at first).
    const std::string& currentUser() const { return currentUser_; }

    /// Counts a clearing of all user data.
    void clearAll() { ++clearedAll_; }
    /// Counts a clearing of the mobile user's data.
    void clearMobile() { ++clearedMobile_; }
    /// Counts a clearing of one group of user data.
    void clearGroup(int group) { ++clearedGroups_[group]; }
    /// Counts a clean-up of one file type for one user kind.
    void cleanup(const std::string& fileType, int userKind) {
        ++cleanups_[fileType + "." + kindName(userKind)];
    }

    /// How many times all user data was cleared.
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
