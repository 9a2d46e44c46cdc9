// The service's catalogue of user files, one file type at a time: names,
// paths, lists, limits and metadata. The service knows file types by name.
#include "localmgmt/LocalMgmtOperation.h"

namespace {

// The word the service uses for a list without names, both ways.
const char* const kNoFileNames = "empty";

const char* trueOrFalse(bool value) { return value ? "true" : "false"; }

// The caller's list as it travels out.
std::string outgoingFileNames(const std::list<std::string>& files) {
    std::string text = kNoFileNames;
    Serializer::serialize(text, files);
    return text;
}

// The answer of a list exchange. A reply without "FileNames" is no answer and
// leaves the caller's list alone; a malformed one fails inside the guard.
template <class Reply>
bool takeFileNames(Reply&& reply, std::list<std::string>& files) {
    bool result = false;
    reply.then([&](Method& answer) {
        std::string text;
        if (!answer.getStringParameter("FileNames", text, Parameter::INOUT)) return;
        if (text == kNoFileNames)
            files.clear();
        else
            Serializer::deserialize(text, files);
        result = true;
    });
    return result;
}

// The answer of a path lookup: the outcome, then the path, which replaces the
// caller's string only when the reply carries one.
template <class Reply>
bool takePath(Reply&& reply, std::string& filename) {
    bool result = false;
    reply.out("result", result).inout("filename", filename);
    return result;
}

}  // namespace

bool LocalMgmtProxy::getListOfFilesOfType(eFiletype fileType, std::list<std::string>* files) {
    MGMT_TRACE("getListOfFilesOfType");
    const std::string fileNames = outgoingFileNames(*files);
    return takeFileNames(RemoteCall(proxyReq, "getListOfFilesOfType")
                             .in("FileType", convertFileTypeEnumToString(fileType))
                             .inout("FileNames", fileNames)
                             .onFailure(MGMT_ERROR_RECORD("getListOfFilesOfType: %s\n"))
                             .send(),
                         *files);
}

bool LocalMgmtProxy::getListOfFilesOfType(eFiletype fileType, std::list<std::string>* files,
                                          eUsertype userType) {
    MGMT_TRACE("getListOfFilesOfType for given user");
    const std::string fileNames = outgoingFileNames(*files);
    return takeFileNames(RemoteCall(proxyReq, "getListOfFilesOfTypeAndUser")
                             .in("FileType", convertFileTypeEnumToString(fileType))
                             .inout("FileNames", fileNames)
                             .in("userType", userType)
                             .onFailure(MGMT_ERROR_RECORD("getListOfFilesOfType: %s\n"))
                             .send(),
                         *files);
}

bool LocalMgmtProxy::getFilePathFromType(eFiletype fileType, std::string& filename) {
    const bool found = takePath(
        RemoteCall(proxyReq, "getFilePathFromType")
            .inout("filename", filename)
            .in("filetype", convertFileTypeEnumToString(fileType))
            .onFailure(MGMT_TIMEOUT_RECORD("getFilePathFromType: proxyReq->synchronousCall timeout.\n"))
            .send(),
        filename);
    MGMT_LOG_IF(4, "getFilePathFromType[%d][%s][%s]", static_cast<int>(fileType), filename.c_str(),
                trueOrFalse(found));
    return found;
}

bool LocalMgmtProxy::getFilePathFromType(eFiletype fileType, std::string& filename,
                                         eUsertype userType) {
    const bool found = takePath(
        RemoteCall(proxyReq, "getFilePathFromTypeAndUser")
            .inout("filename", filename)
            .in("filetype", convertFileTypeEnumToString(fileType))
            .in("userType", userType)
            .onFailure(MGMT_TIMEOUT_RECORD("getFilePathFromTypeAndUser: proxyReq->synchronousCall timeout"))
            .send(),
        filename);
    MGMT_LOG_IF(4, "getFilePathFromType for user[%d][%s][%d][%s]", static_cast<int>(fileType),
                filename.c_str(), static_cast<int>(userType), trueOrFalse(found));
    return found;
}

std::string LocalMgmtProxy::getFileTypeMetadata(eFiletype fileType) {
    MGMT_TRACE("getFileTypeMetadata");
    std::string metadata;
    RemoteCall(proxyReq, "getFileTypeMetadata")
        .in("FileType", convertFileTypeEnumToString(fileType))
        .onFailure(MGMT_ERROR_RECORD("getFileTypeMetadata: %s\n"))
        .send()
        .out("FileTypeMetadata", metadata);
    return metadata;
}

int LocalMgmtProxy::getFileTypeCountLimit(eFiletype fileType) {
    MGMT_TRACE("getFileTypeCountLimit");
    int limit = 0;
    RemoteCall(proxyReq, "getFileTypeCountLimit")
        .in("FileType", convertFileTypeEnumToString(fileType))
        .onFailure(MGMT_ERROR_RECORD("getFileTypeCountLimit: %s\n"))
        .send()
        .out("FileTypeCountLimit", limit);
    return limit;
}

int LocalMgmtProxy::getFileTypeNameLimit(eFiletype fileType) {
    MGMT_TRACE("getFileTypeNameLimit");
    int limit = 0;
    // Failures share the count limit's record label.
    RemoteCall(proxyReq, "getFileTypeNameLimit")
        .in("FileType", convertFileTypeEnumToString(fileType))
        .onFailure(MGMT_ERROR_RECORD("getFileTypeCountLimit: %s\n"))
        .send()
        .out("FileTypeNameLimit", limit);
    return limit;
}

std::string LocalMgmtProxy::convertFileTypeEnumToString(eFiletype fileType) {
    MGMT_TRACE("convertFileTypeEnumToString");
    switch (fileType) {
        case FILETYPE_MOH: return "moh";
        case FILETYPE_IMAGES: return "images";
        case FILETYPE_LOGO: return "logo";
        case FILETYPE_MIDLETS: return "midlets";
        case FILETYPE_LDAP: return "ldap";
        case FILETYPE_TONE: return "tone";
        case FILETYPE_SCREENSAVER: return "screensaver";
        case FILETYPE_RINGER: return "ringer";
        case FILETYPE_HPT: return "hpt";
        case FILETYPE_HELP: return "help";
        case FILETYPE_JAR: return "jar";
        case FILETYPE_AGD: return "agd";
        case FILETYPE_PHD: return "phd";
        case FILETYPE_VRAUDIO: return "vraudio";
        case FILETYPE_VRPAT: return "vrpat";
        // Type 1, and every value that has no name of its own.
        case FILETYPE_SWBIND:
        default: return "swBind";
    }
}
