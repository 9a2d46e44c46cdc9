// The back end of the telephone's settings page: the ringers the user may
// choose from, new ringers the user uploads, the web access switch with its
// password, and the ring volume as it changes on the telephone.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "LocalMgmtIfc.h"

class PhoneSettings {
public:
    // The telephone could not be asked; the page shows the setting as unavailable.
    struct Unavailable : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    struct WebAccess {
        bool enabled = false;
        std::string password;
    };

    enum class Upload { Done, PhoneBusy, Refused, Failed };

    explicit PhoneSettings(LocalMgmtIfc& phone);
    ~PhoneSettings();
    PhoneSettings(const PhoneSettings&) = delete;
    PhoneSettings& operator=(const PhoneSettings&) = delete;

    // The ringer files on the telephone, sorted by name.
    std::vector<std::string> ringers();

    // Never while the telephone is busy (on a call, ringing): the upload would
    // cut into the call's audio.
    Upload uploadRinger(const std::string& fileName);

    WebAccess webAccess();
    // A password shorter than 8 characters is refused here, before anything is
    // sent: false.
    bool setWebAccess(const WebAccess& access);

    // `onChange` hears the new ring volume whenever it changes on the
    // telephone, whoever changes it. Watching again replaces the callback.
    void watchRingVolume(std::function<void(int volume)> onChange);
    // A telephone service that restarted knows nothing of who watched what:
    // once it is back, this watches the ring volume again (when it was watched).
    void phoneRestarted();

private:
    class VolumeWatcher;  // the agent the telephone calls back

    LocalMgmtIfc& phone_;
    std::unique_ptr<VolumeWatcher> watcher_;
};
