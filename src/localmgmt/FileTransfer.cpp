// File transfer and software upgrade: downloads, uploads, the stored files
// themselves and the software image. Status codes belong to the service and
// are handed back untouched. User names and passwords go to the service and
// into no record.
#include "localmgmt/LocalMgmtOperation.h"

namespace {
// A download from a server the caller names may take its time.
const int kExplicitSourceDownloadTimeout = 600000;

// Where an explicitly sourced download comes from and what it fetches, in the
// order the service reads them; both such downloads start with these.
RemoteCall& withSource(RemoteCall&& call, LocalMgmtIfc::eDownloadProtocol protocol, const std::string& port,
                       const std::string& server, const std::string& username, const std::string& password,
                       LocalMgmtIfc::eFiletype fileType, const std::string& sourcePath, const std::string& fileName) {
    return call.in("downloadProtocol", protocol)
        .in("port", port)
        .in("server", server)
        .in("username", username)
        .in("password", password)
        .in("filetype", fileType)
        .in("sourcepath", sourcePath)
        .in("filename", fileName);
}
}  // namespace

bool LocalMgmtProxy::startDownload(eFiletype fileType, bool displayProgress, eCertificateType certificateType) {
    MGMT_TRACE("startDownloadWithFileType");
    bool result = false;
    RemoteCall(proxyReq, "startDownloadWithFileType")
        .in("filetype", fileType)
        .in("displayProgress", displayProgress)
        .in("certificateType", certificateType)
        .onFailure(MGMT_ERROR_RECORD("startDownloadWithFileType: %s\n"))
        .send()
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::startDownload(eFiletype fileType, Executable* observer, bool displayProgress,
                                   eCertificateType certificateType) {
    MGMT_TRACE("startDownloadWithFileTypeAndCallback");
    // Resolved before the guard: a failure here is the caller's to see.
    std::string callbackChan;
    resolveCallBackChan(observer, callbackChan, "startDownloadWithFileTypeAndCallback");
    bool result = false;
    RemoteCall(proxyReq, "startDownloadWithFileTypeAndCallback")
        .in("filetype", fileType)
        .in("displayProgress", displayProgress)
        .in("certificateType", certificateType)
        .onFailure(MGMT_ERROR_RECORD("startDownloadWithFileTypeAndCallback: %s\n"))
        .send(callbackChan)
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::startDownload(eDownloadProtocol protocol, const std::string& port, const std::string& server,
                                   const std::string& username, const std::string& password, eFiletype fileType,
                                   const std::string& sourcePath, const std::string& fileName,
                                   bool displayProgress, eCertificateType certificateType) {
    MGMT_TRACE("startDownloadWithManyParams");
    bool result = false;
    withSource(RemoteCall(proxyReq, "startDownloadWithManyParams"), protocol, port, server, username, password, fileType,
               sourcePath, fileName)
        .in("displayProgress", displayProgress)
        .in("certificateType", certificateType)
        .onFailure(MGMT_ERROR_RECORD("startDownloadWithManyParams: %s\n"))
        .send(kExplicitSourceDownloadTimeout)
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::startDownload(eDownloadProtocol protocol, const std::string& port, const std::string& server,
                                   const std::string& username, const std::string& password, eFiletype fileType,
                                   const std::string& sourcePath, const std::string& fileName,
                                   Executable* observer, bool overrideBusy, std::string version,
                                   bool displayProgress, eCertificateType certificateType) {
    MGMT_TRACE("startDownloadWithManyParamsAndCallback");
    // Resolved before the guard: a failure here is the caller's to see.
    std::string callbackChan;
    resolveCallBackChan(observer, callbackChan, "startDownloadWithManyParamsAndCallback");
    bool result = false;
    // The observer hears of progress, so this one waits as long as the channel does.
    withSource(RemoteCall(proxyReq, "startDownloadWithManyParamsAndCallback"), protocol, port, server, username,
               password, fileType, sourcePath, fileName)
        .in("overrideBusy", overrideBusy)
        .in("version", version)
        .in("displayProgress", displayProgress)
        .in("certificateType", certificateType)
        .onFailure(MGMT_ERROR_RECORD("startDownloadWithManyParamsAndCallback: %s\n"))
        .send(callbackChan)
        .out("result", result);
    return result;
}

int LocalMgmtProxy::upgradeSoftwareImageWithFile(const std::string& filename) {
    MGMT_TRACE("upgradeSoftwareImageWithFile");
    int result = -1;
    // Failures are labelled as the upgrade request, not as this operation.
    RemoteCall(proxyReq, "upgradeSoftwareImageWithFile")
        .in("filename", filename)
        .onFailure(MGMT_ERROR_RECORD("requestUpgradeSoftwareImageWithFile: %s\n"))
        .send()
        .out("result", result);
    return result;
}

int LocalMgmtProxy::uploadUserFile(eFiletype fileType, const std::string& filename) {
    MGMT_TRACE("uploadUserFile");
    int result = -1;
    RemoteCall(proxyReq, "uploadUserFile")
        .in("filetype", fileType)
        .in("filename", filename)
        .onFailure(MGMT_ERROR_RECORD("uploadUserFile: %s\n"))
        .send()
        .out("result", result);
    return result;
}

int LocalMgmtProxy::requestCurrentDownloadStatus(eFiletype fileType, const std::string& filename) {
    MGMT_TRACE("requestCurrentDownloadStatus");
    int result = -1;
    RemoteCall(proxyReq, "requestCurrentDownloadStatus")
        .in("filetype", fileType)
        .in("filename", filename)
        .onFailure(MGMT_ERROR_RECORD("requestCurrentDownloadStatus: %s\n"))
        .send()
        .out("result", result);
    return result;
}

// The two operations on a stored file spell the type "fileType", unlike the rest.
bool LocalMgmtProxy::validateFile(eFiletype fileType, const std::string& filename) {
    bool result = false;
    RemoteCall(proxyReq, "validateFile")
        .in("fileType", fileType)
        .in("filename", filename)
        .onFailure(MGMT_TIMEOUT_RECORD("validateFile: proxyReq->synchronousCall timeout.\n"))
        .send()
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::deleteFile(eFiletype fileType, const std::string& filename) {
    bool result = false;
    RemoteCall(proxyReq, "deleteFile")
        .in("fileType", fileType)
        .in("filename", filename)
        .onFailure(MGMT_TIMEOUT_RECORD("deleteFile: proxyReq->synchronousCall timeout.\n"))
        .send()
        .out("result", result);
    return result;
}
