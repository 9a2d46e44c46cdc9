// Reading, writing and describing manageable data. setData, getData,
// manageableDataChanged and findSchemaName go straight to an in-process
// service when there is one; everything else always goes over the channel.
#include "localmgmt/LocalMgmtOperation.h"

namespace {

// The one text form the service reads and writes.
const ManageableData::serializationType kWireForm = ManageableData::KEY_VALUE_TEXT;

// Refills the caller's object from the reply, but only when the service sent
// its text back: a reply without it leaves the object as it was.
auto refillWhenPresent(ManageableData& data) {
    return [&data](Method& reply) {
        std::string text;
        if (reply.getStringParameter("manageableData", text, Parameter::INOUT)) data.deserialize(text);
    };
}

// A copy of a serialised object fit for the log.
std::string withPasswordsHidden(const std::string& text) {
    return ClientUtils::hideValuesForKnownPasswords(text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

// The remote halves of the four operations an in-process service may answer,
// out of line so that a call answered in-process does not set up (and guard)
// the stack frame a request needs.
namespace {

[[gnu::noinline]] bool sendSetData(ProxyRequest* proxyReq, ManageableData& data) {
    bool result = false;
    const std::string sent = data.serialize(kWireForm);
    // The macro evaluates its arguments only when level 5 is on, so the masked
    // copy is made only for a record that is wanted. The service gets the
    // real values.
    MGMT_LOG_IF(5, "Proxy - setData - sent = %s\n", withPasswordsHidden(sent).c_str());
    RemoteCall(proxyReq, "setData")
        .inout("manageableData", sent)
        .onFailure(MGMT_ERROR_RECORD("setData: %s\n"))
        .send()
        .out("result", result)
        .then(refillWhenPresent(data));
    return result;
}

[[gnu::noinline]] bool sendGetData(ProxyRequest* proxyReq, ManageableData& data) {
    bool result = false;
    RemoteCall(proxyReq, "getData")
        .inout("manageableData", data.serialize(kWireForm))
        .onFailure(MGMT_ERROR_RECORD("getData: %s\n"))
        .send()
        .out("result", result)
        .then(refillWhenPresent(data));
    return result;
}

[[gnu::noinline]] int sendManageableDataChanged(ProxyRequest* proxyReq, ManageableData& data) {
    int numObservers = 0;
    RemoteCall(proxyReq, "manageableDataChanged")
        .inout("manageableData", data.serialize(kWireForm))
        .onFailure(MGMT_ERROR_RECORD("findSchemaName: %s\n"))
        .send()
        .then(refillWhenPresent(data))
        .out("numObservers", numObservers);
    return numObservers;
}

[[gnu::noinline]] std::string sendFindSchemaName(ProxyRequest* proxyReq, const std::string& nodeId) {
    std::string schemaName;
    RemoteCall(proxyReq, "findSchemaName")
        .in("nodeId", nodeId)
        .onFailure(MGMT_ERROR_RECORD("findSchemaName: %s\n"))
        .send()
        .out("schemaName", schemaName);
    return schemaName;
}

}  // namespace

bool LocalMgmtProxy::setData(ManageableData& data) {
    if (LocalMgmtIfc* service = localServiceFor()) return service->setData(data);
    return sendSetData(proxyReq, data);
}

bool LocalMgmtProxy::getData(ManageableData& data) {
    MGMT_TRACE("getData");
    if (LocalMgmtIfc* service = localServiceFor()) return service->getData(data);
    return sendGetData(proxyReq, data);
}

int LocalMgmtProxy::manageableDataChanged(ManageableData& data) {
    MGMT_TRACE("manageableDataChanged");
    if (LocalMgmtIfc* service = localServiceFor()) return service->manageableDataChanged(data);
    return sendManageableDataChanged(proxyReq, data);
}

std::string LocalMgmtProxy::findSchemaName(const std::string& nodeId) {
    MGMT_TRACE("findSchemaName");
    if (LocalMgmtIfc* service = localServiceFor()) return service->findSchemaName(nodeId);
    return sendFindSchemaName(proxyReq, nodeId);
}

bool LocalMgmtProxy::getSchema(const std::string& schemaName, ManageableData& data) {
    MGMT_TRACE("getSchema");
    bool result = false;
    // The caller's object only receives the schema; what it holds is not sent.
    RemoteCall(proxyReq, "getSchema")
        .in("schemaName", schemaName)
        .inout("manageableData", std::string())
        .onFailure(MGMT_ERROR_RECORD("findSchemaName: %s\n"))
        .send()
        .out("result", result)
        .then(refillWhenPresent(data));
    return result;
}

std::string LocalMgmtProxy::exportSchema(const std::string& schemaName) {
    MGMT_TRACE("exportSchema");
    std::string schemaXml;
    RemoteCall(proxyReq, "exportSchema")
        .in("schemaName", schemaName)
        .onFailure(MGMT_ERROR_RECORD("findSchemaName: %s\n"))
        .send()
        .out("schemaXml", schemaXml);
    return schemaXml;
}

bool LocalMgmtProxy::checkDataEditable(ManageableData& data, eAccessLevel accessLevel) {
    MGMT_TRACE("checkDataEditable");
    bool result = false;
    // Unlike the other reads, the object is always replaced by what came back,
    // and by nothing when nothing did.
    std::string returned;
    RemoteCall(proxyReq, "checkDataEditable")
        .inout("manageableData", data.serialize(kWireForm))
        .in("accessLevel", accessLevel)
        .send()
        .out("result", result)
        .then([&data](Method&) { data.clearAll(); })
        .inout("manageableData", returned)
        .then([&](Method&) { data.deserialize(returned); });
    return result;
}

void LocalMgmtProxy::setDataEditable(ManageableData& data, eEditableStatus editableStatus) {
    MGMT_TRACE("setDataEditable");
    RemoteCall(proxyReq, "setDataEditable")
        .inout("manageableData", data.serialize(kWireForm))
        .in("editableStatus", editableStatus)
        .post();
}
