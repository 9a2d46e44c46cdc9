/// \file
/// The simulated telephone's user files.
#pragma once

#include <list>
#include <map>
#include <string>

namespace mgmtkit {

/// Where a file type's download stands, as requestCurrentDownloadStatus
/// answers it: Idle (0) never downloaded, InProgress (1) started and not yet
/// reported, Done (2) reported once, so complete.
enum class DownloadStatus { Idle = 0, InProgress = 1, Done = 2 };

/// The user files the phone stores, by file type name ("ringer"), with each
/// type's limits and download progress. Rules: see PhoneState.
class FileStore {
public:
    /// The file types of a fresh telephone, with their starting files.
    FileStore();

    /// The service's name of a file type value (the description's); values
    /// without a name of their own go by the fallback's.
    static std::string typeName(int fileType);

    /// Whether the phone keeps files of that type.
    bool knowsType(const std::string& type) const { return types_.count(type) != 0; }
    /// The files every user kind sees; empty for an unknown type.
    std::list<std::string> files(const std::string& type) const;
    /// What a user kind sees: the shared files, then its own.
    std::list<std::string> files(const std::string& type, const std::string& userKind) const;
    /// Set-up for tests: a file of a known type, shared, or of one user kind
    /// only. False for an unknown type; limits are not checked.
    bool addFile(const std::string& type, const std::string& file, const std::string& userKind = "");
    /// The type's description with its limits; "" for an unknown type.
    std::string metadata(const std::string& type) const;
    /// How many files the type holds at most; 0 for an unknown type.
    int countLimit(const std::string& type) const;
    /// How long a file name of the type may be; 0 for an unknown type.
    int nameLimit(const std::string& type) const;
    /// Whether the shared files of the type include `file`.
    bool contains(const std::string& type, const std::string& file) const;
    /// Whether `userKind` sees `file` among the type's files.
    bool contains(const std::string& type, const std::string& file, const std::string& userKind) const;
    /// The number of shared files, all types together.
    std::size_t fileCount() const;

    /// Removes a shared file; false when there is no such file.
    bool remove(const std::string& type, const std::string& file);
    /// Counts an upload of a shared file: 0, or -2 for no such file.
    int upload(const std::string& type, const std::string& file);

    /// Adds `file`, or `download-<n>.bin` when it is empty, and marks the type
    /// in progress. False, and nothing changes, when the type is full or the
    /// name longer than the type allows.
    bool startDownload(const std::string& type, const std::string& file);
    /// Reports the type's download; a download in progress completes once reported.
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
