// The user files the phone stores, by file type name, with each type's limits
// and download progress. Rules: see PhoneState.h.
#pragma once

#include <list>
#include <map>
#include <string>

namespace mgmtkit {

enum class DownloadStatus { Idle = 0, InProgress = 1, Done = 2 };

class FileStore {
public:
    FileStore();

    // The service's name of a file type value (the description's); values
    // without a name of their own go by the fallback's.
    static std::string typeName(int fileType);

    bool knowsType(const std::string& type) const { return types_.count(type) != 0; }
    // The files every user kind sees; empty for an unknown type.
    std::list<std::string> files(const std::string& type) const;
    // What a user kind sees: the shared files, then its own.
    std::list<std::string> files(const std::string& type, const std::string& userKind) const;
    // Set-up for tests: a file of a known type, shared, or of one user kind
    // only. False for an unknown type; limits are not checked.
    bool addFile(const std::string& type, const std::string& file, const std::string& userKind = "");
    std::string metadata(const std::string& type) const;          // "" for an unknown type
    int countLimit(const std::string& type) const;                // 0 for an unknown type
    int nameLimit(const std::string& type) const;                 // 0 for an unknown type
    bool contains(const std::string& type, const std::string& file) const;
    bool contains(const std::string& type, const std::string& file, const std::string& userKind) const;
    std::size_t fileCount() const;

    bool remove(const std::string& type, const std::string& file);
    int upload(const std::string& type, const std::string& file);  // 0, or -2 for no such file

    // Adds `file`, or "download-<n>.bin" when it is empty, and marks the type
    // in progress. False, and nothing changes, when the type is full or the
    // name longer than the type allows.
    bool startDownload(const std::string& type, const std::string& file);
    // Reports the type's download; a download in progress completes once reported.
    DownloadStatus downloadStatus(const std::string& type);

private:
    friend class StateDocument;

    struct FileType {
        std::string description;
        int countLimit;
        int nameLimit;
        std::list<std::string> files;
        DownloadStatus download = DownloadStatus::Idle;
    };

    const FileType* find(const std::string& type) const;

    std::map<std::string, FileType> types_;
    std::map<std::string, std::map<std::string, std::list<std::string>>> userFiles_;  // user -> type -> files
    int downloadsStarted_ = 0;
    int uploads_ = 0;
};

}  // namespace mgmtkit
