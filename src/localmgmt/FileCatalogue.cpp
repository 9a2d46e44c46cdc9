#include "localmgmt/LocalMgmtOperation.h"

// Placeholders until this area is built.
#pragma GCC diagnostic ignored "-Wunused-parameter"

bool LocalMgmtProxy::getListOfFilesOfType(eFiletype fileType, std::list<std::string>* files) {
    throw CorvexException("LocalMgmtProxy::getListOfFilesOfType is not implemented yet");
}

bool LocalMgmtProxy::getListOfFilesOfType(eFiletype fileType, std::list<std::string>* files, eUsertype userType) {
    throw CorvexException("LocalMgmtProxy::getListOfFilesOfType is not implemented yet");
}

bool LocalMgmtProxy::getFilePathFromType(eFiletype fileType, std::string& filename) {
    throw CorvexException("LocalMgmtProxy::getFilePathFromType is not implemented yet");
}

bool LocalMgmtProxy::getFilePathFromType(eFiletype fileType, std::string& filename, eUsertype userType) {
    throw CorvexException("LocalMgmtProxy::getFilePathFromType is not implemented yet");
}

std::string LocalMgmtProxy::getFileTypeMetadata(eFiletype fileType) {
    throw CorvexException("LocalMgmtProxy::getFileTypeMetadata is not implemented yet");
}

int LocalMgmtProxy::getFileTypeCountLimit(eFiletype fileType) {
    throw CorvexException("LocalMgmtProxy::getFileTypeCountLimit is not implemented yet");
}

int LocalMgmtProxy::getFileTypeNameLimit(eFiletype fileType) {
    throw CorvexException("LocalMgmtProxy::getFileTypeNameLimit is not implemented yet");
}

std::string LocalMgmtProxy::convertFileTypeEnumToString(eFiletype fileType) {
    throw CorvexException("LocalMgmtProxy::convertFileTypeEnumToString is not implemented yet");
}
