// Manageable data: reading, writing, change announcements, schemas and
// editability. Data travels as a serialised ManageableData in "manageableData".
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

namespace {

const char* const kData = "manageableData";

}  // namespace

void addDataMethods(ServiceTable& table) {
    table.on("setData", [](PhoneState& s, const Arguments& a, Answer& r) {
        const KeyValues data = a.data(kData);
        s.data.merge(data);
        r.put("result", true).put(kData, data);
    });
    table.on("getData", [](PhoneState& s, const Arguments& a, Answer& r) {
        KeyValues asked = a.data(kData);
        const bool allKnown = s.data.fill(asked);
        r.put("result", allKnown).put(kData, asked);
    });
    table.on("manageableDataChanged", [](PhoneState& s, const Arguments& a, Answer& r) {
        const KeyValues changed = a.data(kData);
        s.data.merge(changed);
        r.put(kData, changed).put("numObservers", s.agents.observersOf(changed));
    });

    table.on("findSchemaName", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("schemaName", s.data.schemaOf(a.text("nodeId")));
    });
    table.on("getSchema", [](PhoneState& s, const Arguments& a, Answer& r) {
        KeyValues nodeTypes;
        const bool known = s.data.schema(a.text("schemaName"), nodeTypes);
        r.put("result", known).put(kData, nodeTypes);
    });
    table.on("exportSchema", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("schemaXml", s.data.schemaXml(a.text("schemaName")));
    });

    table.on("checkDataEditable", [](PhoneState& s, const Arguments& a, Answer& r) {
        const KeyValues data = a.data(kData);
        r.put("result", s.data.mayEdit(data, a.number("accessLevel"))).put(kData, data);
    });
    table.on("setDataEditable", [](PhoneState& s, const Arguments& a, Answer&) {
        s.data.setEditable(a.data(kData), a.number("editableStatus"));
    });
}

}  // namespace mgmtkit
