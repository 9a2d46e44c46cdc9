#include "localmgmt/LocalMgmtOperation.h"

// Placeholders until this area is built.
#pragma GCC diagnostic ignored "-Wunused-parameter"

bool LocalMgmtProxy::startDownload(eFiletype fileType, bool displayProgress, eCertificateType certificateType) {
    throw CorvexException("LocalMgmtProxy::startDownload is not implemented yet");
}

bool LocalMgmtProxy::startDownload(eFiletype fileType, Executable* observer, bool displayProgress, eCertificateType certificateType) {
    throw CorvexException("LocalMgmtProxy::startDownload is not implemented yet");
}

bool LocalMgmtProxy::startDownload(eDownloadProtocol protocol, const std::string& port, const std::string& server, const std::string& username, const std::string& password, eFiletype fileType, const std::string& sourcePath, const std::string& fileName, bool displayProgress, eCertificateType certificateType) {
    throw CorvexException("LocalMgmtProxy::startDownload is not implemented yet");
}

bool LocalMgmtProxy::startDownload(eDownloadProtocol protocol, const std::string& port, const std::string& server, const std::string& username, const std::string& password, eFiletype fileType, const std::string& sourcePath, const std::string& fileName, Executable* observer, bool overrideBusy, std::string version, bool displayProgress, eCertificateType certificateType) {
    throw CorvexException("LocalMgmtProxy::startDownload is not implemented yet");
}

int LocalMgmtProxy::upgradeSoftwareImageWithFile(const std::string& filename) {
    throw CorvexException("LocalMgmtProxy::upgradeSoftwareImageWithFile is not implemented yet");
}

int LocalMgmtProxy::uploadUserFile(eFiletype fileType, const std::string& filename) {
    throw CorvexException("LocalMgmtProxy::uploadUserFile is not implemented yet");
}

int LocalMgmtProxy::requestCurrentDownloadStatus(eFiletype fileType, const std::string& filename) {
    throw CorvexException("LocalMgmtProxy::requestCurrentDownloadStatus is not implemented yet");
}

bool LocalMgmtProxy::validateFile(eFiletype fileType, const std::string& filename) {
    throw CorvexException("LocalMgmtProxy::validateFile is not implemented yet");
}

bool LocalMgmtProxy::deleteFile(eFiletype fileType, const std::string& filename) {
    throw CorvexException("LocalMgmtProxy::deleteFile is not implemented yet");
}
