// The device itself: busy status, identity, environment, reboots, factory
// resets and the software version. Rules: see PhoneState.h.
#pragma once

#include <map>
#include <string>

namespace mgmtkit {

class DeviceState {
public:
    static constexpr const char* kFactoryResetPassword = "admin123";

    // Set-up and inspection for tests.
    void setIdentity(const std::string& identifier, const std::string& displayName) {
        identifier_ = identifier;
        displayName_ = displayName;
    }
    const std::string& identifier() const { return identifier_; }
    const std::string& displayName() const { return displayName_; }
    // Selection 0 is the identifier and 4 the software version; setting any
    // other selection makes the device know it.
    void setEnvironmentVariable(int selection, const std::string& value);
    const std::string& softwareVersion() const { return softwareVersion_; }
    const std::string& lastRebootReason() const { return lastRebootReason_; }
    void setFactoryResetPassword(const std::string& password) { factoryResetPassword_ = password; }

    void setBusy(unsigned int bits) { busy_ |= bits; }
    void clearBusy(unsigned int bits) { busy_ &= ~bits; }
    unsigned int busy() const { return busy_; }

    // Stores the non-empty values given, then hands back the stored pair.
    void exchangeIdentity(std::string& identifier, std::string& displayName);

    // False for a selection the device does not know; value untouched then.
    bool environmentVariable(int selection, std::string& value) const;

    void reboot(const std::string& reason);
    int verifyFactoryResetPassword(const std::string& password) const;  // 0 right, 1 wrong
    bool factoryReset(const std::string& password, bool reboot);
    void factoryResetPreservingData() { ++resetsPreservingData_; }

    int upgradeSoftware(const std::string& image);  // 0, or -3 for a file that is no image

    int reboots() const { return reboots_; }
    int factoryResets() const { return factoryResets_; }

private:
    friend class StateDocument;

    unsigned int busy_ = 0;
    std::string identifier_ = "SEP-0001";
    std::string displayName_ = "Desk Phone";
    std::string softwareVersion_ = "sim-1.0.0";
    std::map<int, std::string> environment_ = {
        {1, "02:00:5e:10:00:01"}, {2, "192.0.2.10"}, {3, "SIM0000000001"}, {5, "DP-SIM-1"}};
    std::string factoryResetPassword_ = kFactoryResetPassword;
    std::string lastRebootReason_;
    int reboots_ = 0;
    int factoryResets_ = 0;
    int resetsPreservingData_ = 0;
    int upgrades_ = 0;
};

}  // namespace mgmtkit
