// Manageable data: reading, writing, change announcements, schemas and
// editability. Data travels as a serialised ManageableData in "manageableData".
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

namespace {

constexpr Parameter::directions INOUT = Parameter::INOUT;
const char* const kData = "manageableData";

}  // namespace

void addDataMethods(ServiceTable& table) {
    table.synchronous("setData", [](PhoneState& s, const Arguments& a, Answer& r) {
        const KeyValues data = a.data(kData, INOUT);
        s.data.merge(data);
        r.out("result", true).inout(kData, data);
    });
    table.synchronous("getData", [](PhoneState& s, const Arguments& a, Answer& r) {
        KeyValues asked = a.data(kData, INOUT);
        const bool allKnown = s.data.fill(asked);
        r.out("result", allKnown).inout(kData, asked);
    });
    table.synchronous("manageableDataChanged", [](PhoneState& s, const Arguments& a, Answer& r) {
        const KeyValues changed = a.data(kData, INOUT);
        s.data.merge(changed);
        r.inout(kData, changed).out("numObservers", s.agents.observersOf(changed));
    });

    table.synchronous("findSchemaName", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("schemaName", s.data.schemaOf(a.text("nodeId")));
    });
    table.synchronous("getSchema", [](PhoneState& s, const Arguments& a, Answer& r) {
        a.require(kData, Parameter::STRING, INOUT);
        KeyValues nodeTypes;
        const bool known = s.data.schema(a.text("schemaName"), nodeTypes);
        r.out("result", known).inout(kData, nodeTypes);
    });
    table.synchronous("exportSchema", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("schemaXml", s.data.schemaXml(a.text("schemaName")));
    });

    table.synchronous("checkDataEditable", [](PhoneState& s, const Arguments& a, Answer& r) {
        const KeyValues data = a.data(kData, INOUT);
        r.out("result", s.data.mayEdit(data, a.number("accessLevel"))).inout(kData, data);
    });
    table.oneWay("setDataEditable", [](PhoneState& s, const Arguments& a, Answer&) {
        s.data.setEditable(a.data(kData, INOUT), a.number("editableStatus"));
    });
}

}  // namespace mgmtkit
