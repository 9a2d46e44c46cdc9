#include "BusContext.h"

#include <sdbus-c++/IConnection.h>
#include <sdbus-c++/IObject.h>

#include "MethodCoding.h"
#include "bus/BusNames.h"

namespace mgmtbus {

bool parseCallbackChannel(const std::string& channel, CallbackAddress& address) {
    const std::size_t slash = channel.find('/');
    if (slash == 0 || slash == std::string::npos || slash + 1 == channel.size()) return false;
    address.busName = channel.substr(0, slash);
    address.path = channel.substr(slash);
    return true;
}

struct BusContext::Agent {
    std::string channel;
    std::unique_ptr<sdbus::IObject> object;
};

BusContext::BusContext(sdbus::IConnection& connection) : connection_(connection) {}

BusContext::~BusContext() = default;

std::string BusContext::findChannel(Executable* object) {
    if (object == nullptr) return std::string();
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        const auto known = agents_.find(object);
        if (known != agents_.end()) return known->second->channel;
    }
    // Made without our lock: sdbus-c++ takes its own, and its bus thread
    // holds that one while it hands notifications over under ours.
    const std::string path = kAgentPathPrefix + std::to_string(next_++);
    auto agent = std::make_unique<Agent>();
    agent->channel = connection_.getUniqueName() + path;
    agent->object = sdbus::createObject(connection_, path);
    agent->object->registerMethod(
        kAgentInterface, "Notify", kMethodSignature, {"notification"}, "", {},
        [this, object, channel = agent->channel](sdbus::MethodCall call) {
            const Method notification = readMethod(call, Method::REQUEST);
            std::lock_guard<std::recursive_mutex> lock(mutex_);
            // Forgotten meanwhile, the object may be gone (and another may live at its address).
            const auto known = agents_.find(object);
            if (known == agents_.end() || known->second->channel != channel) return;
            if (auto* sink = dynamic_cast<NotificationSink*>(object)) {
                try {
                    sink->notify(notification);
                } catch (...) {
                    // An observer's failure is its own; the service is not told.
                }
            }
        },
        sdbus::Flags{});
    agent->object->finishRegistration();
    // Another thread may have named the same object meanwhile; ours then
    // goes, after the lock is released.
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return agents_.try_emplace(object, std::move(agent)).first->second->channel;
}

void BusContext::forget(Executable* object) {
    std::unique_ptr<Agent> gone;
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    const auto known = agents_.find(object);
    if (known == agents_.end()) return;
    gone = std::move(known->second);
    agents_.erase(known);
}

}  // namespace mgmtbus
