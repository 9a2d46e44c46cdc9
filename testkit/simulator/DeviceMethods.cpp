// The device's methods: busy status, traps and their settings, notifications,
// reboot and factory reset, diagnostics, environment, identity and space.
#include "Diagnostics.h"
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

void addDeviceMethods(ServiceTable& table) {
    table.on("setPhoneBusyStatus", [](PhoneState& s, const Arguments& a, Answer&) {
        s.device.setBusy(static_cast<unsigned int>(a.number("busyStatus")));
    });
    table.on("clearPhoneBusyStatus", [](PhoneState& s, const Arguments& a, Answer&) {
        s.device.clearBusy(static_cast<unsigned int>(a.number("busyStatus")));
    });
    table.on("retrievePhoneBusyStatus", [](PhoneState& s, const Arguments&, Answer& r) {
        r.put("busyStatus", static_cast<int>(s.device.busy()));
    });

    table.on("raiseGenericTrap", [](PhoneState& s, const Arguments& a, Answer&) {
        s.events.genericTrap(a.number("dest"), a.number("trapNo"));
    });
    table.on("raiseSpecificTrap", [](PhoneState& s, const Arguments& a, Answer&) {
        s.events.specificTrap(a.number("dest"), a.text("SNMPTrapData"));
    });
    table.on("validateSNMPTrapPort", [](PhoneState&, const Arguments& a, Answer& r) {
        r.put("result", isValidTrapPort(a.text("strPort")));
    });
    table.on("validateSNMPTrapIPAddress", [](PhoneState&, const Arguments& a, Answer& r) {
        r.put("result", isValidTrapAddress(a.text("verboseSink")));
    });

    table.on("invalidateTRVKCache",
             [](PhoneState& s, const Arguments&, Answer&) { s.events.notification("invalidateTRVKCache"); });
    table.on("refreshPictureClips",
             [](PhoneState& s, const Arguments&, Answer&) { s.events.notification("refreshPictureClips"); });
    table.on("factoryResetPreservingData",
             [](PhoneState& s, const Arguments&, Answer&) { s.device.factoryResetPreservingData(); });

    table.on("performReboot", [](PhoneState& s, const Arguments& a, Answer& r) {
        s.device.reboot(a.text("rebootReason"));
        r.put("result", true);
    });
    table.on("performFactoryReset", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.device.factoryReset(a.text("password"), a.flag("reboot")));
    });
    table.on("verifyFactoryResetPassword", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.put("result", s.device.verifyFactoryResetPassword(a.text("password")));
    });

    table.on("getPingOutput",
             [](PhoneState&, const Arguments& a, Answer& r) { r.put("Result", pingReport(a.text("Address"))); });
    table.on("getTracerouteOutput", [](PhoneState&, const Arguments& a, Answer& r) {
        r.put("Result", tracerouteReport(a.text("Address")));
    });
    table.on("getEnvironmentVariable", [](PhoneState& s, const Arguments& a, Answer& r) {
        std::string value;
        if (s.device.environmentVariable(a.number("VariableSelection"), value))
            r.put("Acknowledge", "SUCCESS").put("Result", value);
        else
            r.put("Acknowledge", "FAILURE");
    });
    table.on("getIDAndDisplayName", [](PhoneState& s, const Arguments& a, Answer& r) {
        std::string identifier = a.text("identifier");
        std::string displayName = a.text("displayname");
        s.device.exchangeIdentity(identifier, displayName);
        r.put("result", true).put("identifier", identifier).put("displayname", displayName);
    });
    table.on("getUserDataSpaceInfo", [](PhoneState& s, const Arguments&, Answer& r) {
        r.put("Acknowledge", "SUCCESS").put("spaceinfo", s.spaceInfo());
    });
}

}  // namespace mgmtkit
