#include "testing/DeviceState.h"

namespace mgmtkit {

namespace {

const std::string kImageSuffix = ".img";

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

void DeviceState::exchangeIdentity(std::string& identifier, std::string& displayName) {
    // Empty means "tell me": only a value actually given replaces the stored one.
    if (!identifier.empty()) identifier_ = identifier;
    if (!displayName.empty()) displayName_ = displayName;
    identifier = identifier_;
    displayName = displayName_;
}

bool DeviceState::environmentVariable(int selection, std::string& value) const {
    if (selection == 0) {
        value = identifier_;
        return true;
    }
    if (selection == 4) {
        value = softwareVersion_;
        return true;
    }
    const auto found = environment_.find(selection);
    if (found == environment_.end()) return false;
    value = found->second;
    return true;
}

void DeviceState::setEnvironmentVariable(int selection, const std::string& value) {
    if (selection == 0)
        identifier_ = value;
    else if (selection == 4)
        softwareVersion_ = value;
    else
        environment_[selection] = value;
}

void DeviceState::reboot(const std::string& reason) {
    ++reboots_;
    lastRebootReason_ = reason;
}

int DeviceState::verifyFactoryResetPassword(const std::string& password) const {
    return password == factoryResetPassword_ ? 0 : 1;
}

bool DeviceState::factoryReset(const std::string& password, bool reboot) {
    if (verifyFactoryResetPassword(password) != 0) return false;
    ++factoryResets_;
    if (reboot) this->reboot("factory reset");
    return true;
}

int DeviceState::upgradeSoftware(const std::string& image) {
    if (image.size() <= kImageSuffix.size() || !endsWith(image, kImageSuffix)) return -3;
    softwareVersion_ = image.substr(0, image.size() - kImageSuffix.size());
    ++upgrades_;
    return 0;
}

}  // namespace mgmtkit
