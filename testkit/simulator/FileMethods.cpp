// The file catalogue and file transfers. Catalogue methods name the file type,
// transfer methods send its value.
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

namespace {

constexpr Parameter::directions INOUT = Parameter::INOUT;

std::string typeOf(const Arguments& a, const char* name) { return FileCatalogue::typeName(a.number(name)); }

void answerFileNames(const std::list<std::string>& files, Answer& r) {
    std::string names;
    Serializer::serialize(names, files);
    r.inout("FileNames", names);
}

void answerPath(bool found, const std::string& path, Answer& r) {
    r.out("result", found).inout("filename", path);
}

// The file type of a download; the simulated phone shows no progress and
// checks no certificates, but every download request carries both.
int downloadedType(const Arguments& a) {
    a.require("displayProgress", Parameter::BOOL).require("certificateType", Parameter::INT);
    return a.number("filetype");
}

// Where a download comes from; the simulated phone fetches nothing from there.
void requireSource(const Arguments& a) {
    a.require("downloadProtocol", Parameter::INT)
        .require("port", Parameter::STRING)
        .require("server", Parameter::STRING)
        .require("username", Parameter::STRING)
        .require("password", Parameter::STRING)
        .require("sourcepath", Parameter::STRING);
}

}  // namespace

void addFileMethods(ServiceTable& table) {
    table.synchronous("getFileTypeMetadata", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("FileTypeMetadata", s.files.metadata(a.text("FileType")));
    });
    table.synchronous("getFileTypeCountLimit", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("FileTypeCountLimit", s.files.countLimit(a.text("FileType")));
    });
    table.synchronous("getFileTypeNameLimit", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("FileTypeNameLimit", s.files.nameLimit(a.text("FileType")));
    });
    table.synchronous("getListOfFilesOfType", [](PhoneState& s, const Arguments& a, Answer& r) {
        a.require("FileNames", Parameter::STRING, INOUT);
        answerFileNames(s.files.files(a.text("FileType"), s.userData.currentUser()), r);
    });
    table.synchronous("getListOfFilesOfTypeAndUser", [](PhoneState& s, const Arguments& a, Answer& r) {
        a.require("FileNames", Parameter::STRING, INOUT);
        answerFileNames(s.files.files(a.text("FileType"), UserData::kindName(a.number("userType"))), r);
    });
    table.synchronous("getFilePathFromType", [](PhoneState& s, const Arguments& a, Answer& r) {
        std::string path = a.text("filename", INOUT);
        answerPath(s.filePath(a.text("filetype"), path), path, r);
    });
    table.synchronous("getFilePathFromTypeAndUser", [](PhoneState& s, const Arguments& a, Answer& r) {
        std::string path = a.text("filename", INOUT);
        answerPath(s.filePath(a.text("filetype"), path, a.number("userType")), path, r);
    });

    table.synchronous("deleteFile", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("result", s.files.remove(typeOf(a, "fileType"), a.text("filename")));
    });
    table.synchronous("validateFile", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("result", s.files.contains(typeOf(a, "fileType"), a.text("filename")));
    });
    table.synchronous("uploadUserFile", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("result", s.files.upload(typeOf(a, "filetype"), a.text("filename")));
    });
    table.synchronous("requestCurrentDownloadStatus", [](PhoneState& s, const Arguments& a, Answer& r) {
        // The status is kept per type, whatever the file.
        a.require("filename", Parameter::STRING);
        r.out("result", static_cast<int>(s.files.downloadStatus(typeOf(a, "filetype"))));
    });
    table.synchronous("upgradeSoftwareImageWithFile", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("result", s.device.upgradeSoftware(a.text("filename")));
    });

    table.synchronous("startDownloadWithFileType", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("result", s.startDownload(downloadedType(a), std::string(), false));
    });
    table.synchronous("startDownloadWithFileTypeAndCallback",
                      [](PhoneState& s, const Arguments& a, Answer& r) {
                          r.out("result", s.startDownload(downloadedType(a), std::string(), false));
                      });
    table.synchronous("startDownloadWithManyParams", [](PhoneState& s, const Arguments& a, Answer& r) {
        requireSource(a);
        r.out("result", s.startDownload(downloadedType(a), a.text("filename"), false));
    });
    table.synchronous(
        "startDownloadWithManyParamsAndCallback", [](PhoneState& s, const Arguments& a, Answer& r) {
            requireSource(a);
            a.require("version", Parameter::STRING);
            r.out("result", s.startDownload(downloadedType(a), a.text("filename"), a.flag("overrideBusy")));
        });
}

}  // namespace mgmtkit
