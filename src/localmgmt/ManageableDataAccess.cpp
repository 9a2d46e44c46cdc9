#include "localmgmt/LocalMgmtOperation.h"

// Placeholders until this area is built.
#pragma GCC diagnostic ignored "-Wunused-parameter"

bool LocalMgmtProxy::setData(ManageableData& data) {
    throw CorvexException("LocalMgmtProxy::setData is not implemented yet");
}

bool LocalMgmtProxy::getData(ManageableData& data) {
    throw CorvexException("LocalMgmtProxy::getData is not implemented yet");
}

std::string LocalMgmtProxy::findSchemaName(const std::string& nodeId) {
    throw CorvexException("LocalMgmtProxy::findSchemaName is not implemented yet");
}

bool LocalMgmtProxy::getSchema(const std::string& schemaName, ManageableData& data) {
    throw CorvexException("LocalMgmtProxy::getSchema is not implemented yet");
}

std::string LocalMgmtProxy::exportSchema(const std::string& schemaName) {
    throw CorvexException("LocalMgmtProxy::exportSchema is not implemented yet");
}

int LocalMgmtProxy::manageableDataChanged(ManageableData& data) {
    throw CorvexException("LocalMgmtProxy::manageableDataChanged is not implemented yet");
}

bool LocalMgmtProxy::checkDataEditable(ManageableData& data, eAccessLevel accessLevel) {
    throw CorvexException("LocalMgmtProxy::checkDataEditable is not implemented yet");
}

void LocalMgmtProxy::setDataEditable(ManageableData& data, eEditableStatus editableStatus) {
    throw CorvexException("LocalMgmtProxy::setDataEditable is not implemented yet");
}
