#include "testing/SimulatedPhone.h"

namespace mgmtkit {

std::string SimulatedContext::findChannel(Executable* object) {
    if (object == nullptr) return std::string();
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto known = channels_.find(object);
    if (known != channels_.end()) return known->second;
    std::string channel = "agent-" + std::to_string(++named_);
    channels_.emplace(object, channel);
    return channel;
}

void SimulatedContext::attach(SimulatedPhone& phone) {
    phone.frameworkContext = this;
    phone.setCallbackRoute(
        [this](const std::string& channel, const Method& notification) { deliver(channel, notification); });
}

bool SimulatedContext::deliver(const std::string& callbackChannel, const Method& notification) {
    Executable* owner = nullptr;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& [object, channel] : channels_)
            if (channel == callbackChannel) owner = const_cast<Executable*>(object);
    }
    // Outside the lock: the observer may well call a proxy, which asks for channels again.
    auto* sink = dynamic_cast<NotificationSink*>(owner);
    if (sink == nullptr) return false;
    sink->notify(notification);
    return true;
}

void SimulatedContext::forget(Executable* object) {
    const std::lock_guard<std::mutex> lock(mutex_);
    channels_.erase(object);
}

}  // namespace mgmtkit
