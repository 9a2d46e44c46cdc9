#include "testing/PhoneState.h"

#include "Framework.h"

namespace mgmtkit {

namespace {

constexpr int kTotalSpaceKiB = 65536;
constexpr int kSystemSpaceKiB = 8192;
constexpr int kSpacePerFileKiB = 256;

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

}  // namespace mgmtkit
