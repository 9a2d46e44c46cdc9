/// \file
/// The simulated telephone's device state.
#pragma once

#include <map>
#include <string>

namespace mgmtkit {

/// The device itself: busy status, identity, environment, reboots, factory
/// resets and the software version. Rules: see PhoneState.
class DeviceState {
public:
    /// The factory reset password of a fresh telephone.
    static constexpr const char* kFactoryResetPassword = "admin123";

    /// Sets the identity the phone answers with (set-up for tests).
    void setIdentity(const std::string& identifier, const std::string& displayName) {
        identifier_ = identifier;
        displayName_ = displayName;
    }
    /// The device identifier ("SEP-0001" at first).
    const std::string& identifier() const { return identifier_; }
    /// The display name ("Desk Phone" at first).
    const std::string& displayName() const { return displayName_; }
    /// Sets an environment variable. Selection 0 is the identifier and 4 the
    /// software version; setting any other selection makes the device know it.
    void setEnvironmentVariable(int selection, const std::string& value);
    /// The software version ("sim-1.0.0" at first, then the last image upgraded to).
    const std::string& softwareVersion() const { return softwareVersion_; }
    /// The reason given with the last reboot; empty before the first.
    const std::string& lastRebootReason() const { return lastRebootReason_; }
    /// The password factory resets need from now on.
    void setFactoryResetPassword(const std::string& password) { factoryResetPassword_ = password; }

    /// Turns the busy bits given on.
    void setBusy(unsigned int bits) { busy_ |= bits; }
    /// Turns the busy bits given off.
    void clearBusy(unsigned int bits) { busy_ &= ~bits; }
    /// The busy bits; 0: not busy.
    unsigned int busy() const { return busy_; }

    /// Stores the non-empty values given, then hands back the stored pair.
    void exchangeIdentity(std::string& identifier, std::string& displayName);

    /// The value of an environment variable. False for a selection the device
    /// does not know; value untouched then.
    bool environmentVariable(int selection, std::string& value) const;

    /// Counts a reboot and keeps its reason.
    void reboot(const std::string& reason);
    /// 0 when `password` is the factory reset password, 1 when not.
    int verifyFactoryResetPassword(const std::string& password) const;
    /// With the right password, counts a factory reset (and a reboot when
    /// asked) and answers true; false otherwise.
    bool factoryReset(const std::string& password, bool reboot);
    /// Counts a factory reset that keeps the user data.
    void factoryResetPreservingData() { ++resetsPreservingData_; }

    /// Upgrades to `image`, whose name ends in ".img": it becomes the software
    /// version, without ".img", and the answer is 0; -3 for a file that is no image.
    int upgradeSoftware(const std::string& image);

    /// How many times the phone rebooted.
    int reboots() const { return reboots_; }
    /// How many factory resets it did (factoryReset() with the right password).
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
