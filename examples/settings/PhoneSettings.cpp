#include "PhoneSettings.h"

#include <algorithm>
#include <list>
#include <mutex>

namespace {

const char* const kRingVolume = "audio.ringVolume";
const char* const kWebAccess = "security.webAccess";
const char* const kWebPassword = "security.webPassword";
const std::size_t kShortestPassword = 8;

}  // namespace

// The telephone calls back on a thread of its own choosing (over a bus, the
// channel's bus thread), so the callback it reaches is guarded.
class PhoneSettings::VolumeWatcher : public MgmtAgentIfc, public Executable, public NotificationSink {
public:
    void init(Context&) override {}
    void shutdown() override {}

    void setOnChange(std::function<void(int)> onChange) {
        std::lock_guard<std::mutex> lock(mutex_);
        onChange_ = std::move(onChange);
    }

    void notify(const Method& notification) override {
        Method copy = notification;
        std::string text;
        if (!copy.getStringParameter("manageableData", text, Parameter::IN)) return;
        ManageableData changed;
        try {
            changed.deserialize(text);
        } catch (const CorvexException&) {
            return;  // nothing we can read; the next change will tell
        }
        const std::string volume = changed.getValue(kRingVolume);
        std::function<void(int)> onChange;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            onChange = onChange_;
        }
        if (volume.empty() || !onChange) return;
        try {
            onChange(std::stoi(volume));
        } catch (const std::logic_error&) {
            // not a number: the page keeps showing the last good value
        }
    }

private:
    std::mutex mutex_;
    std::function<void(int)> onChange_;
};

PhoneSettings::PhoneSettings(LocalMgmtIfc& phone) : phone_(phone) {}

PhoneSettings::~PhoneSettings() {
    if (watcher_) phone_.stopObservingManageableData(kRingVolume, watcher_.get());
}

std::vector<std::string> PhoneSettings::ringers() {
    std::list<std::string> files;
    if (!phone_.getListOfFilesOfType(LocalMgmtIfc::FILETYPE_RINGER, &files))
        throw Unavailable("the telephone did not list its ringers");
    std::vector<std::string> sorted(files.begin(), files.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

PhoneSettings::Upload PhoneSettings::uploadRinger(const std::string& fileName) {
    try {
        if (phone_.retrievePhoneBusyStatus() != 0) return Upload::PhoneBusy;
    } catch (const CorvexException&) {
        return Upload::Failed;
    }
    const int status = phone_.uploadUserFile(LocalMgmtIfc::FILETYPE_RINGER, fileName);
    if (status == 0) return Upload::Done;
    // -1 is what the proxy answers when the call itself failed; other codes
    // are the telephone's reasons for refusing.
    return status == -1 ? Upload::Failed : Upload::Refused;
}

PhoneSettings::WebAccess PhoneSettings::webAccess() {
    ManageableData data;
    data.setValue(kWebAccess, "");
    data.setValue(kWebPassword, "");
    if (!phone_.getData(data)) throw Unavailable("the telephone did not answer for web access");
    return WebAccess{data.getValue(kWebAccess) == "true", data.getValue(kWebPassword)};
}

bool PhoneSettings::setWebAccess(const WebAccess& access) {
    if (access.password.size() < kShortestPassword) return false;
    ManageableData data;
    data.setValue(kWebAccess, access.enabled ? "true" : "false");
    data.setValue(kWebPassword, access.password);
    if (!phone_.setData(data)) throw Unavailable("the telephone did not take the web access settings");
    return true;
}

void PhoneSettings::watchRingVolume(std::function<void(int)> onChange) {
    if (watcher_) {
        watcher_->setOnChange(std::move(onChange));
        return;
    }
    // The callback is in place before the telephone can call.
    auto watcher = std::make_unique<VolumeWatcher>();
    watcher->setOnChange(std::move(onChange));
    if (!phone_.observeManageableData(kRingVolume, watcher.get()))
        throw Unavailable("the telephone does not let us watch the ring volume");
    watcher_ = std::move(watcher);
}

void PhoneSettings::phoneRestarted() {
    if (watcher_ && !phone_.observeManageableData(kRingVolume, watcher_.get()))
        throw Unavailable("the telephone does not let us watch the ring volume again");
}
