// Clearing user data and switching the kind of user the phone runs for.
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

void addUserDataMethods(ServiceTable& table) {
    table.on("clearSpecificUserData",
             [](PhoneState& s, const Arguments& a, Answer&) { s.users.clearGroup(a.number("specificGroup")); });
    table.on("clearAllUserData", [](PhoneState& s, const Arguments&, Answer& r) {
        s.users.clearAll();
        r.put("result", true);
    });
    table.on("clearMobileUserData", [](PhoneState& s, const Arguments&, Answer& r) {
        s.users.clearMobile();
        r.put("result", true);
    });
    table.on("changeCurrentUser", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.users.changeCurrentUser(a.text("userType")));
    });
    table.on("cleanupUserData", [](PhoneState& s, const Arguments& a, Answer&) {
        s.users.cleanup(a.text("filetype"), a.number("userType"));
    });
}

}  // namespace mgmtkit
