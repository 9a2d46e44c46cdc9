// Clearing user data and switching the kind of user the phone runs for.
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

void addUserDataMethods(ServiceTable& table) {
    table.oneWay("clearSpecificUserData", [](PhoneState& s, const Arguments& a, Answer&) {
        s.userData.clearGroup(a.number("specificGroup"));
    });
    table.synchronous("clearAllUserData", [](PhoneState& s, const Arguments&, Answer& r) {
        s.userData.clearAll();
        r.out("result", true);
    });
    table.synchronous("clearMobileUserData", [](PhoneState& s, const Arguments&, Answer& r) {
        s.userData.clearMobile();
        r.out("result", true);
    });
    table.synchronous("changeCurrentUser", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("result", s.userData.changeCurrentUser(a.text("userType")));
    });
    table.oneWay("cleanupUserData", [](PhoneState& s, const Arguments& a, Answer&) {
        s.userData.cleanup(a.text("filetype"), a.number("userType"));
    });
}

}  // namespace mgmtkit
