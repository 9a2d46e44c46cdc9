#include "localmgmt/LocalMgmtOperation.h"

// Placeholders until this area is built.
#pragma GCC diagnostic ignored "-Wunused-parameter"

void LocalMgmtProxy::registerManagementIdentity(const std::string& managementId, MgmtAgentIfc* agent) {
    throw CorvexException("LocalMgmtProxy::registerManagementIdentity is not implemented yet");
}

void LocalMgmtProxy::registerManagementIdentity(const std::string& managementId, MgmtAgentIfc* agent, bool bulkDataManageable) {
    throw CorvexException("LocalMgmtProxy::registerManagementIdentity is not implemented yet");
}

bool LocalMgmtProxy::observeManageableData(const std::string& nodeId, MgmtAgentIfc* agent) {
    throw CorvexException("LocalMgmtProxy::observeManageableData is not implemented yet");
}

bool LocalMgmtProxy::observeManageableData(const std::string& nodeId, MgmtAgentIfc* agent, bool bulkDataManageable) {
    throw CorvexException("LocalMgmtProxy::observeManageableData is not implemented yet");
}

bool LocalMgmtProxy::observeManageableData(const std::list<std::string>& rootIds, MgmtAgentIfc* agent) {
    throw CorvexException("LocalMgmtProxy::observeManageableData is not implemented yet");
}

bool LocalMgmtProxy::stopObservingManageableData(const std::string& nodeId, MgmtAgentIfc* agent) {
    throw CorvexException("LocalMgmtProxy::stopObservingManageableData is not implemented yet");
}
