// The device's methods: busy status, traps and their settings, notifications,
// reboot and factory reset, diagnostics, environment, identity and space.
#include "Diagnostics.h"
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

namespace {

constexpr Parameter::directions INOUT = Parameter::INOUT;

}  // namespace

void addDeviceMethods(ServiceTable& table) {
    table.oneWay("setPhoneBusyStatus", [](PhoneState& s, const Arguments& a, Answer&) {
        s.device.setBusy(static_cast<unsigned int>(a.number("busyStatus")));
    });
    table.oneWay("clearPhoneBusyStatus", [](PhoneState& s, const Arguments& a, Answer&) {
        s.device.clearBusy(static_cast<unsigned int>(a.number("busyStatus")));
    });
    table.synchronous("retrievePhoneBusyStatus", [](PhoneState& s, const Arguments&, Answer& r) {
        r.out("busyStatus", static_cast<int>(s.device.busy()));
    });

    table.oneWay("raiseGenericTrap", [](PhoneState& s, const Arguments& a, Answer&) {
        s.events.genericTrap(a.number("dest"), a.number("trapNo"));
    });
    table.oneWay("raiseSpecificTrap", [](PhoneState& s, const Arguments& a, Answer&) {
        s.events.specificTrap(a.number("dest"), a.text("SNMPTrapData"));
    });
    table.synchronous("validateSNMPTrapPort", [](PhoneState&, const Arguments& a, Answer& r) {
        r.out("result", isValidTrapPort(a.text("strPort")));
    });
    table.synchronous("validateSNMPTrapIPAddress", [](PhoneState&, const Arguments& a, Answer& r) {
        r.out("result", isValidTrapAddress(a.text("verboseSink")));
    });

    table.oneWay("invalidateTRVKCache", [](PhoneState& s, const Arguments&, Answer&) {
        s.events.notification("invalidateTRVKCache");
    });
    table.oneWay("refreshPictureClips", [](PhoneState& s, const Arguments&, Answer&) {
        s.events.notification("refreshPictureClips");
    });
    table.oneWay("factoryResetPreservingData",
                 [](PhoneState& s, const Arguments&, Answer&) { s.device.factoryResetPreservingData(); });

    table.synchronous("performReboot", [](PhoneState& s, const Arguments& a, Answer& r) {
        s.device.reboot(a.text("rebootReason", INOUT));
        r.out("result", true);
    });
    table.synchronous("performFactoryReset", [](PhoneState& s, const Arguments& a, Answer& r) {
        const std::string& password = a.text("password", INOUT);
        const bool reboot = a.flag("reboot", INOUT);
        r.out("result", s.device.factoryReset(password, reboot));
    });
    table.synchronous("verifyFactoryResetPassword", [](PhoneState& s, const Arguments& a, Answer& r) {
        r.out("result", s.device.verifyFactoryResetPassword(a.text("password", INOUT)));
    });

    table.synchronous("getPingOutput", [](PhoneState&, const Arguments& a, Answer& r) {
        r.out("Result", pingReport(a.text("Address")));
    });
    table.synchronous("getTracerouteOutput", [](PhoneState&, const Arguments& a, Answer& r) {
        r.out("Result", tracerouteReport(a.text("Address")));
    });
    table.synchronous("getEnvironmentVariable", [](PhoneState& s, const Arguments& a, Answer& r) {
        std::string value;
        if (s.device.environmentVariable(a.number("VariableSelection"), value))
            r.out("Acknowledge", "SUCCESS").out("Result", value);
        else
            r.out("Acknowledge", "FAILURE");
    });
    table.synchronous("getIDAndDisplayName", [](PhoneState& s, const Arguments& a, Answer& r) {
        std::string identifier = a.text("identifier", INOUT);
        std::string displayName = a.text("displayname", INOUT);
        s.device.exchangeIdentity(identifier, displayName);
        r.out("result", true).inout("identifier", identifier).inout("displayname", displayName);
    });
    table.synchronous("getUserDataSpaceInfo", [](PhoneState& s, const Arguments&, Answer& r) {
        r.out("Acknowledge", "SUCCESS").out("spaceinfo", s.spaceInfo());
    });
}

}  // namespace mgmtkit
