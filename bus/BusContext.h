// The framework context of a bus channel. The callback channel it names for
// an observer is an address in this process: the connection's unique bus name
// followed by the object path it serves the observer on
// (":1.42/mgmt/agent/1"). A service calls Notify there, and the notification
// is handed to the observer's NotificationSink::notify, on the channel's bus
// thread. Observers that are not NotificationSinks still get a channel; what
// arrives for them is dropped.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "Framework.h"

namespace sdbus {
class IConnection;
class IObject;
}  // namespace sdbus

namespace mgmtbus {

struct CallbackAddress {
    std::string busName;
    std::string path;
};
// False for a channel that is not such an address.
bool parseCallbackChannel(const std::string& channel, CallbackAddress& address);

class BusContext : public FrameworkContext {
public:
    explicit BusContext(sdbus::IConnection& connection);
    ~BusContext() override;
    BusContext(const BusContext&) = delete;
    BusContext& operator=(const BusContext&) = delete;

    // Empty for a null object; the same address each time for the same object.
    std::string findChannel(Executable* object) override;
    // Stops delivering to `object`; for an observer destroyed before the channel.
    void forget(Executable* object);

private:
    struct Agent;

    sdbus::IConnection& connection_;
    // Held while an observer is told, so forget() waits for that; never
    // while calling sdbus-c++.
    std::recursive_mutex mutex_;
    std::map<Executable*, std::unique_ptr<Agent>> agents_;
    std::atomic<unsigned> next_{1};
};

}  // namespace mgmtbus
