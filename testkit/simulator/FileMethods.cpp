// The file catalogue and file transfers. Catalogue methods name the file type,
// transfer methods send its value.
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

namespace {

std::string typeOf(const Arguments& a, const char* name) { return FileStore::typeName(a.number(name)); }

void answerFileNames(const std::list<std::string>& files, Answer& r) {
    std::string names;
    Serializer::serialize(names, files);
    r.put("FileNames", names);
}

void answerPath(bool found, const std::string& path, Answer& r) { r.put("result", found).put("filename", path); }

}  // namespace

void addFileMethods(ServiceTable& table) {
    table.on("getFileTypeMetadata", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("FileTypeMetadata", s.files.metadata(a.text("FileType")));
    });
    table.on("getFileTypeCountLimit", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("FileTypeCountLimit", s.files.countLimit(a.text("FileType")));
    });
    table.on("getFileTypeNameLimit", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("FileTypeNameLimit", s.files.nameLimit(a.text("FileType")));
    });
    table.on("getListOfFilesOfType", [](PhoneState& s, const Arguments& a, Answer& r) {
        answerFileNames(s.files.files(a.text("FileType"), s.users.currentUser()), r);
    });
    table.on("getListOfFilesOfTypeAndUser", [](PhoneState& s, const Arguments& a, Answer& r) {
        answerFileNames(s.files.files(a.text("FileType"), UserAccounts::kindName(a.number("userType"))), r);
    });
    table.on("getFilePathFromType", [](PhoneState& s, const Arguments& a, Answer& r) {
        std::string path = a.text("filename");
        answerPath(s.filePath(a.text("filetype"), path), path, r);
    });
    table.on("getFilePathFromTypeAndUser", [](PhoneState& s, const Arguments& a, Answer& r) {
        std::string path = a.text("filename");
        answerPath(s.filePath(a.text("filetype"), path, a.number("userType")), path, r);
    });

    table.on("deleteFile", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.files.remove(typeOf(a, "fileType"), a.text("filename")));
    });
    table.on("validateFile", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.files.contains(typeOf(a, "fileType"), a.text("filename")));
    });
    table.on("uploadUserFile", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.files.upload(typeOf(a, "filetype"), a.text("filename")));
    });
    table.on("requestCurrentDownloadStatus", [](PhoneState& s, const Arguments& a, Answer& r) {
        // The status is kept per type, whatever the file.
        r.put("result", static_cast<int>(s.files.downloadStatus(typeOf(a, "filetype"))));
    });
    table.on("upgradeSoftwareImageWithFile", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.device.upgradeSoftware(a.text("filename")));
    });

    // The simulated phone shows no progress, checks no certificates and
    // fetches nothing from the server a download names.
    table.on("startDownloadWithFileType", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.startDownload(a.number("filetype"), std::string(), false));
    });
    table.on("startDownloadWithFileTypeAndCallback", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.startDownload(a.number("filetype"), std::string(), false));
    });
    table.on("startDownloadWithManyParams", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.startDownload(a.number("filetype"), a.text("filename"), false));
    });
    table.on("startDownloadWithManyParamsAndCallback", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.startDownload(a.number("filetype"), a.text("filename"), a.flag("overrideBusy")));
    });
}

}  // namespace mgmtkit
