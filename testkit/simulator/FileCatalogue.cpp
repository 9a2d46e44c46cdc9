#include "testing/FileCatalogue.h"

#include <algorithm>

#include "Listing.h"

namespace mgmtkit {

namespace {

const char* const kFallbackType = "swBind";

struct TypeRow {
    int value;
    const char* name;
    const char* description;
    int countLimit;
    int nameLimit;
    std::list<std::string> files;  // what a fresh phone holds
};

// The file type values and names are those the proxies use; the rest is the
// simulated phone's own choice.
const TypeRow kTypes[] = {
    {1, "swBind", "software bundles", 2, 64, {}},
    {2, "moh", "music on hold", 4, 32, {"Hold.raw"}},
    {3, "images", "background images", 10, 32, {"Welcome.png"}},
    {4, "logo", "idle screen logo", 1, 32, {}},
    {5, "midlets", "downloadable applications", 5, 32, {}},
    {6, "ldap", "directory settings", 2, 32, {}},
    {7, "tone", "alert tones", 8, 24, {"Beep.raw", "Chime.raw"}},
    {9, "screensaver", "screensaver images", 10, 32, {"Clouds.png"}},
    {11, "ringer", "ring tones, raw audio", 8, 24, {"Classic.raw", "Chirp.raw"}},
    {12, "hpt", "headset profiles", 2, 32, {}},
    {13, "help", "help pages", 20, 48, {"QuickStart.html"}},
    {15, "jar", "java archives", 5, 32, {}},
    {16, "agd", "agent data", 4, 32, {}},
    {18, "phd", "phone directories", 2, 32, {}},
    {19, "vraudio", "voice recognition audio", 10, 32, {}},
    {20, "vrpat", "voice recognition patterns", 10, 32, {}},
};

}  // namespace

FileCatalogue::FileCatalogue() {
    for (const TypeRow& row : kTypes)
        types_[row.name] = FileType{row.description, row.countLimit, row.nameLimit, row.files};
}

std::string FileCatalogue::typeName(int fileType) {
    for (const TypeRow& row : kTypes)
        if (row.value == fileType) return row.name;
    return kFallbackType;
}

const FileCatalogue::FileType* FileCatalogue::find(const std::string& type) const {
    const auto found = types_.find(type);
    return found == types_.end() ? nullptr : &found->second;
}

std::list<std::string> FileCatalogue::files(const std::string& type) const {
    const FileType* found = find(type);
    return found ? found->files : std::list<std::string>();
}

std::list<std::string> FileCatalogue::files(const std::string& type, const std::string& userKind) const {
    std::list<std::string> seen = files(type);
    const auto user = userFiles_.find(userKind);
    if (user == userFiles_.end()) return seen;
    const auto own = user->second.find(type);
    if (own != user->second.end()) seen.insert(seen.end(), own->second.begin(), own->second.end());
    return seen;
}

bool FileCatalogue::addFile(const std::string& type, const std::string& file, const std::string& userKind) {
    const auto found = types_.find(type);
    if (found == types_.end()) return false;
    std::list<std::string>& files = userKind.empty() ? found->second.files : userFiles_[userKind][type];
    if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
    return true;
}

std::string FileCatalogue::metadata(const std::string& type) const {
    const FileType* found = find(type);
    if (!found) return std::string();
    return found->description + "; at most " + std::to_string(found->countLimit) + " files, names up to " +
           std::to_string(found->nameLimit) + " characters";
}

int FileCatalogue::countLimit(const std::string& type) const {
    const FileType* found = find(type);
    return found ? found->countLimit : 0;
}

int FileCatalogue::nameLimit(const std::string& type) const {
    const FileType* found = find(type);
    return found ? found->nameLimit : 0;
}

bool FileCatalogue::contains(const std::string& type, const std::string& file) const {
    const FileType* found = find(type);
    return found && std::find(found->files.begin(), found->files.end(), file) != found->files.end();
}

bool FileCatalogue::contains(const std::string& type, const std::string& file,
                             const std::string& userKind) const {
    const std::list<std::string> seen = files(type, userKind);
    return std::find(seen.begin(), seen.end(), file) != seen.end();
}

std::size_t FileCatalogue::fileCount() const {
    std::size_t count = 0;
    for (const auto& entry : types_) count += entry.second.files.size();
    return count;
}

bool FileCatalogue::remove(const std::string& type, const std::string& file) {
    if (!contains(type, file)) return false;
    types_[type].files.remove(file);
    return true;
}

int FileCatalogue::upload(const std::string& type, const std::string& file) {
    if (!contains(type, file)) return -2;
    ++uploads_;
    return 0;
}

bool FileCatalogue::startDownload(const std::string& type, const std::string& file) {
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

DownloadStatus FileCatalogue::downloadStatus(const std::string& type) {
    const auto found = types_.find(type);
    if (found == types_.end()) return DownloadStatus::Idle;
    const DownloadStatus reported = found->second.download;
    if (reported == DownloadStatus::InProgress) found->second.download = DownloadStatus::Done;
    return reported;
}

void FileCatalogue::describe(std::ostream& out) const {
    for (const auto& [name, type] : types_) {
        out << "files." << name << ": " << listing(type.files) << '\n';
        for (const auto& [user, own] : userFiles_)
            if (own.count(name) != 0) out << "files." << name << "." << user << ": " << listing(own.at(name)) << '\n';
        if (type.download != DownloadStatus::Idle)
            out << "download." << name << ": "
                << (type.download == DownloadStatus::InProgress ? "in progress" : "done") << '\n';
    }
    out << "downloadsStarted: " << downloadsStarted_ << '\n' << "uploads: " << uploads_ << '\n';
}

}  // namespace mgmtkit
