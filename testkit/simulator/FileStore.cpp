#include "testing/FileStore.h"

#include <algorithm>

#include "LocalMgmtIfc.h"
#include "description/ServiceDescription.h"

namespace mgmtkit {

namespace {

// What the simulated phone keeps of each file type. The types are the
// interface's, their names the description's; the rest is the simulated
// phone's own choice.
struct TypeRow {
    LocalMgmtIfc::eFiletype type;
    const char* description;
    int countLimit;
    int nameLimit;
    std::list<std::string> files;  // what a fresh phone holds
};

const TypeRow kTypes[] = {
    {LocalMgmtIfc::FILETYPE_SWBIND, "software bundles", 2, 64, {}},
    {LocalMgmtIfc::FILETYPE_MOH, "music on hold", 4, 32, {"Hold.raw"}},
    {LocalMgmtIfc::FILETYPE_IMAGES, "background images", 10, 32, {"Welcome.png"}},
    {LocalMgmtIfc::FILETYPE_LOGO, "idle screen logo", 1, 32, {}},
    {LocalMgmtIfc::FILETYPE_MIDLETS, "downloadable applications", 5, 32, {}},
    {LocalMgmtIfc::FILETYPE_LDAP, "directory settings", 2, 32, {}},
    {LocalMgmtIfc::FILETYPE_TONE, "alert tones", 8, 24, {"Beep.raw", "Chime.raw"}},
    {LocalMgmtIfc::FILETYPE_SCREENSAVER, "screensaver images", 10, 32, {"Clouds.png"}},
    {LocalMgmtIfc::FILETYPE_RINGER, "ring tones, raw audio", 8, 24, {"Classic.raw", "Chirp.raw"}},
    {LocalMgmtIfc::FILETYPE_HPT, "headset profiles", 2, 32, {}},
    {LocalMgmtIfc::FILETYPE_HELP, "help pages", 20, 48, {"QuickStart.html"}},
    {LocalMgmtIfc::FILETYPE_JAR, "java archives", 5, 32, {}},
    {LocalMgmtIfc::FILETYPE_AGD, "agent data", 4, 32, {}},
    {LocalMgmtIfc::FILETYPE_PHD, "phone directories", 2, 32, {}},
    {LocalMgmtIfc::FILETYPE_VRAUDIO, "voice recognition audio", 10, 32, {}},
    {LocalMgmtIfc::FILETYPE_VRPAT, "voice recognition patterns", 10, 32, {}},
};

}  // namespace

FileStore::FileStore() {
    for (const TypeRow& row : kTypes)
        types_[typeName(row.type)] = FileType{row.description, row.countLimit, row.nameLimit, row.files};
}

std::string FileStore::typeName(int fileType) {
    return mgmtdesc::enumerationOf(mgmtdesc::ArgType::FileType)->wireNameOf(fileType);
}

const FileStore::FileType* FileStore::find(const std::string& type) const {
    const auto found = types_.find(type);
    return found == types_.end() ? nullptr : &found->second;
}

std::list<std::string> FileStore::files(const std::string& type) const {
    const FileType* found = find(type);
    return found ? found->files : std::list<std::string>();
}

std::list<std::string> FileStore::files(const std::string& type, const std::string& userKind) const {
    std::list<std::string> seen = files(type);
    const auto user = userFiles_.find(userKind);
    if (user == userFiles_.end()) return seen;
    const auto own = user->second.find(type);
    if (own != user->second.end()) seen.insert(seen.end(), own->second.begin(), own->second.end());
    return seen;
}

bool FileStore::addFile(const std::string& type, const std::string& file, const std::string& userKind) {
    const auto found = types_.find(type);
    if (found == types_.end()) return false;
    std::list<std::string>& files = userKind.empty() ? found->second.files : userFiles_[userKind][type];
    if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
    return true;
}

std::string FileStore::metadata(const std::string& type) const {
    const FileType* found = find(type);
    if (!found) return std::string();
    return found->description + "; at most " + std::to_string(found->countLimit) + " files, names up to " +
           std::to_string(found->nameLimit) + " characters";
}

int FileStore::countLimit(const std::string& type) const {
    const FileType* found = find(type);
    return found ? found->countLimit : 0;
}

int FileStore::nameLimit(const std::string& type) const {
    const FileType* found = find(type);
    return found ? found->nameLimit : 0;
}

bool FileStore::contains(const std::string& type, const std::string& file) const {
    const FileType* found = find(type);
    return found && std::find(found->files.begin(), found->files.end(), file) != found->files.end();
}

bool FileStore::contains(const std::string& type, const std::string& file,
                             const std::string& userKind) const {
    const std::list<std::string> seen = files(type, userKind);
    return std::find(seen.begin(), seen.end(), file) != seen.end();
}

std::size_t FileStore::fileCount() const {
    std::size_t count = 0;
    for (const auto& entry : types_) count += entry.second.files.size();
    return count;
}

bool FileStore::remove(const std::string& type, const std::string& file) {
    if (!contains(type, file)) return false;
    types_[type].files.remove(file);
    return true;
}

int FileStore::upload(const std::string& type, const std::string& file) {
    if (!contains(type, file)) return -2;
    ++uploads_;
    return 0;
}

bool FileStore::startDownload(const std::string& type, const std::string& file) {
    const auto found = types_.find(type);
    if (found == types_.end()) return false;
    FileType& entry = found->second;
    const std::string name =
        file.empty() ? "download-" + std::to_string(downloadsStarted_ + 1) + ".bin" : file;
    const bool present = contains(type, name);
    if (static_cast<int>(name.size()) > entry.nameLimit) return false;
    if (!present && static_cast<int>(entry.files.size()) >= entry.countLimit) return false;
    // Downloading a file again replaces it in place.
    if (!present) entry.files.push_back(name);
    entry.download = DownloadStatus::InProgress;
    ++downloadsStarted_;
    return true;
}

DownloadStatus FileStore::downloadStatus(const std::string& type) {
    const auto found = types_.find(type);
    if (found == types_.end()) return DownloadStatus::Idle;
    const DownloadStatus reported = found->second.download;
    if (reported == DownloadStatus::InProgress) found->second.download = DownloadStatus::Done;
    return reported;
}

}  // namespace mgmtkit
