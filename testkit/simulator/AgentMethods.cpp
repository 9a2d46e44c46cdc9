// Management agents and the observation of data nodes. The agent is known by
// the callback channel the request came with.
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

void addAgentMethods(ServiceTable& table) {
    table.on("registerManagementIdentity", [](PhoneState& s, const Arguments& a, Answer&) {
        s.agents.registerAgent(a.text("managementId"), a.callbackChannel(), false);
    });
    table.on("registerManagementIdentityBulkData", [](PhoneState& s, const Arguments& a, Answer&) {
        s.agents.registerAgent(a.text("managementId"), a.callbackChannel(), a.flag("bulkDataManageable"));
    });
    table.on("observeData", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.agents.observe(a.text("nodeId"), a.callbackChannel(), false));
    });
    table.on("observeDataBulkData", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.agents.observe(a.text("nodeId"), a.callbackChannel(), a.flag("bulkDataManageable")));
    });
    table.on("observeListDataBulkData", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.agents.observeAll(a.list("rootIds"), a.callbackChannel()));
    });
    table.on("stopObservingData", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.agents.stopObserving(a.text("nodeId"), a.callbackChannel()));
    });
}

}  // namespace mgmtkit
