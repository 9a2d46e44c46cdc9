/// \file
/// The framework context of a bus channel: observers' callback channels as
/// addresses in this process.
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

/// A callback channel named by a BusContext, taken apart.
struct CallbackAddress {
    std::string busName;  ///< The observer's connection: a unique bus name (":1.42").
    std::string path;     ///< The object the observer is served on ("/mgmt/agent/1").
};
/// Takes `channel` apart into `address`. False for a channel that is not such
/// an address; `address` is then untouched.
bool parseCallbackChannel(const std::string& channel, CallbackAddress& address);

/// The framework context of a bus channel (BusChannel::context()). The callback
/// channel it names for an observer is an address in this process: the
/// connection's unique bus name followed by the object path it serves the
/// observer on (":1.42/mgmt/agent/1"). A service calls Notify there, and the
/// notification is handed to the observer's NotificationSink::notify, on the
/// channel's bus thread; what notify() throws is dropped. Observers that are
/// not NotificationSinks still get a channel; what arrives for them is dropped.
class BusContext : public FrameworkContext {
public:
    /// The context of a channel on `connection`, which the channel makes and
    /// keeps; client code takes the one its channel has.
    explicit BusContext(sdbus::IConnection& connection);
    /// Stops serving every observer's object.
    ~BusContext() override;
    BusContext(const BusContext&) = delete;
    BusContext& operator=(const BusContext&) = delete;

    /// The callback channel of `object`, served from the first time it is
    /// asked: the same address each time for the same object, empty for a null
    /// object.
    std::string findChannel(Executable* object) override;
    /// Stops delivering to `object`, waiting for a notification it is being
    /// handed on another thread. Call it before destroying an observer the
    /// channel outlives; a later findChannel() gives the object a new address.
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
