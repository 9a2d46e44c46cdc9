// The action event and location delivery services: one-way, only recorded.
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

void addEventRequestMethods(ServiceTable& table) {
    table.on("addActionEventRequest",
             [](PhoneState& s, const Arguments& a, Answer&) { s.events.actionEvent(a.number("type")); });
    table.on("addActionEventRequestWithData", [](PhoneState& s, const Arguments& a, Answer&) {
        s.events.actionEvent(a.number("type"), a.text("data"));
    });
    table.on("sendLocationDeliveryRequest",
             [](PhoneState& s, const Arguments&, Answer&) { s.events.locationRequest(); });
}

}  // namespace mgmtkit
