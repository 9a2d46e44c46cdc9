#include "testing/PhoneState.h"

#include <sstream>

#include "Framework.h"

namespace mgmtkit {

namespace {

constexpr int kTotalSpaceKiB = 65536;
constexpr int kSystemSpaceKiB = 8192;
constexpr int kSpacePerFileKiB = 256;

// The rules of PhoneState.h, one line each, for whoever reads describe().
const char* const kRules[][2] = {
    {"busy", "setPhoneBusyStatus ORs bits in, clearPhoneBusyStatus clears them"},
    {"identity",
     "non-empty identifier or display name sent replaces the stored one; the reply carries the stored pair"},
    {"environment",
     "selections 0..5 SUCCESS with their value (0 is the identifier, 4 the software version), others "
     "FAILURE"},
    {"factoryReset", "password admin123: verify answers 0 right, 1 wrong; reset only with the right one"},
    {"upgrade", "a file ending in .img answers 0 and becomes the software version, others -3"},
    {"user", "changeCurrentUser accepts user kind names only; clearing user data is counted, files are kept"},
    {"space", "65536 KiB in total, 8192 KiB system plus 256 KiB per stored file used"},
    {"paths",
     "/usr/local/<type>/<file> for baseUser and baseUserQel, /usr/local/<user kind>/<type>/<file> otherwise"},
    {"files", "upload 0 when present, -2 otherwise; delete and validate true when present; files of one user "
              "kind are listed to that kind only"},
    {"download",
     "adds the file sent or download-<n>.bin; status 0 idle, 1 once (then done), 2 done; refused when full, "
     "name too long, or busy without overrideBusy"},
    {"data",
     "setData and manageableDataChanged merge; getData fills the keys asked (all when none), false when one "
     "is unknown"},
    {"schemas", "named after the node's first part: audio, device, display, network, security"},
    {"editable", "admin and service edit all; user only nodes marked by setDataEditable 1"},
    {"observers",
     "need a callback channel; a node covers its descendants; manageableDataChanged counts channels "
     "observing a changed node; every node written is announced to them as dataChanged"},
};

}  // namespace

bool PhoneState::startDownload(int fileType, const std::string& fileName, bool overrideBusy) {
    // A busy phone takes no downloads unless told to anyway.
    if (device.busy() != 0 && !overrideBusy) return false;
    return files.startDownload(FileStore::typeName(fileType), fileName);
}

std::string PhoneState::spaceInfo() const {
    const int used = kSystemSpaceKiB + kSpacePerFileKiB * static_cast<int>(files.fileCount());
    MemoryInfo info;
    info.setValue("total", std::to_string(kTotalSpaceKiB));
    info.setValue("used", std::to_string(used));
    info.setValue("free", std::to_string(kTotalSpaceKiB - used));
    return info.serialize();
}

bool PhoneState::filePath(const std::string& type, std::string& fileName) const {
    return pathFor(type, fileName, users.currentUser());
}

bool PhoneState::filePath(const std::string& type, std::string& fileName, int userKind) const {
    return pathFor(type, fileName, UserAccounts::kindName(userKind));
}

bool PhoneState::pathFor(const std::string& type, std::string& fileName, const std::string& user) const {
    if (!files.contains(type, fileName, user)) return false;
    const std::string userFolder = UserAccounts::isBaseKind(user) ? std::string() : user + "/";
    fileName = "/usr/local/" + userFolder + type + "/" + fileName;
    return true;
}

std::string PhoneState::describe() const {
    std::ostringstream out;
    device.describe(out);
    users.describe(out);
    files.describe(out);
    data.describe(out);
    agents.describe(out);
    events.describe(out);
    for (const auto& rule : kRules) out << "rule." << rule[0] << ": " << rule[1] << '\n';
    return out.str();
}

}  // namespace mgmtkit
