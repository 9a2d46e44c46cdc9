// Registering management agents and letting them observe manageable data. The
// service calls an agent back on the agent's own channel, so every request
// carries that channel; the requests go out even when none is known.
#include "localmgmt/LocalMgmtOperation.h"

// The framework knows channels by Executable; an agent that is not one has none.
void LocalMgmtProxy::resolveCallBackChan(MgmtAgentIfc* agent, std::string& callbackChan, const char* methodName,
                                         const char* operation) {
    resolveCallBackChan(dynamic_cast<Executable*>(agent), callbackChan, methodName, operation);
}

void LocalMgmtProxy::registerManagementIdentity(const std::string& managementId, MgmtAgentIfc* agent) {
    MGMT_TRACE("registerManagementIdentity");
    std::string callbackChan;
    resolveCallBackChan(agent, callbackChan, "registerManagementIdentity");
    RemoteCall(proxyReq, "registerManagementIdentity").in("managementId", managementId).post(callbackChan);
}

void LocalMgmtProxy::registerManagementIdentity(const std::string& managementId, MgmtAgentIfc* agent,
                                                bool bulkDataManageable) {
    MGMT_TRACE("registerManagementIdentity - with bulk data handling");
    std::string callbackChan;
    resolveCallBackChan(agent, callbackChan, "registerManagementIdentityBulkData");
    RemoteCall(proxyReq, "registerManagementIdentityBulkData")
        .in("managementId", managementId)
        .in("bulkDataManageable", bulkDataManageable)
        .post(callbackChan);
}

// The synchronous requests wait for the service's "result" and log every
// framework failure under the schema lookup's label, whatever the request.

bool LocalMgmtProxy::observeManageableData(const std::string& nodeId, MgmtAgentIfc* agent) {
    MGMT_TRACE("observeManageableData");
    std::string callbackChan;
    resolveCallBackChan(agent, callbackChan, "observeData");
    bool result = false;
    RemoteCall(proxyReq, "observeData")
        .in("nodeId", nodeId)
        .onFailure(MGMT_ERROR_RECORD("findSchemaName: %s\n"))
        .send(callbackChan)
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::observeManageableData(const std::string& nodeId, MgmtAgentIfc* agent,
                                           bool bulkDataManageable) {
    MGMT_TRACE("observeManageableData - with bulk data handling");
    std::string callbackChan;
    resolveCallBackChan(agent, callbackChan, "observeDataBulkData");
    bool result = false;
    RemoteCall(proxyReq, "observeDataBulkData")
        .in("nodeId", nodeId)
        .in("bulkDataManageable", bulkDataManageable)
        .onFailure(MGMT_ERROR_RECORD("findSchemaName: %s\n"))
        .send(callbackChan)
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::observeManageableData(const std::list<std::string>& rootIds, MgmtAgentIfc* agent) {
    MGMT_TRACE("observeManageableData of a list of rootIDs - with implied bulk data handling");
    std::string callbackChan;
    resolveCallBackChan(agent, callbackChan, "observeListDataBulkData");
    bool result = false;
    std::string serializedRootIds;
    Serializer::serialize(serializedRootIds, rootIds);
    // Bulk handling is implied by the remote method, so no flag is sent.
    RemoteCall(proxyReq, "observeListDataBulkData")
        .in("rootIds", serializedRootIds)
        .onFailure(MGMT_ERROR_RECORD("findSchemaName: %s\n"))
        .send(callbackChan)
        .out("result", result);
    return result;
}

bool LocalMgmtProxy::stopObservingManageableData(const std::string& nodeId, MgmtAgentIfc* agent) {
    MGMT_TRACE("stopObservingManageableData");
    std::string callbackChan;
    resolveCallBackChan(agent, callbackChan, "stopObservingData");
    bool result = false;
    RemoteCall(proxyReq, "stopObservingData")
        .in("nodeId", nodeId)
        .onFailure(MGMT_ERROR_RECORD("findSchemaName: %s\n"))
        .send(callbackChan)
        .out("result", result);
    return result;
}
