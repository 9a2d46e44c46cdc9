#include "BusControl.h"

#include <cstdint>
#include <stdexcept>

#include <sdbus-c++/Error.h>
#include <sdbus-c++/IObject.h>

#include "bus/BusNames.h"
#include "description/ServiceDescription.h"

namespace mgmtbus {

namespace {

// A refusal, as the bus carries it to the caller.
sdbus::Error refused(const std::string& why) { return sdbus::Error(kFailedError, why); }

std::string remoteNamed(const std::string& name) {
    const char* remote = mgmtdesc::remoteMethodNamed(name);
    if (remote == nullptr) throw refused("no remote method or operation is named " + name);
    return remote;
}

// Runs a request of the control interface, its refusals made bus errors.
template <class Request>
auto refusing(Request request) {
    try {
        return request();
    } catch (const CorvexException& error) {
        throw refused(error.what());
    } catch (const std::invalid_argument& error) {
        throw refused(error.what());
    }
}

}  // namespace

BusControl::BusControl(sdbus::IObject& object, ServiceControl* backend) : control_(backend) {
    object.registerMethod("Fail")
        .onInterface(kControlInterface)
        .withInputParamNames("remote", "text")
        .implementedAs([this](const std::string& remote, const std::string& text) {
            refusing([&] { control().fail(remote, text); });
        });
    object.registerMethod("Restore")
        .onInterface(kControlInterface)
        .withInputParamNames("remote")
        .implementedAs([this](const std::string& remote) {
            delay(remoteNamed(remote), 0);
            if (control_ != nullptr) refusing([&] { control_->restore(remote); });
        });
    object.registerMethod("Delay")
        .onInterface(kControlInterface)
        .withInputParamNames("remote", "milliseconds")
        .implementedAs([this](const std::string& remote, uint32_t milliseconds) {
            delay(remoteNamed(remote), milliseconds);
        });
    object.registerMethod("GetCalls")
        .onInterface(kControlInterface)
        .withOutputParamNames("calls")
        .implementedAs([this]() -> std::string { return refusing([&] { return control().calls(); }); });
    object.registerMethod("ClearCalls").onInterface(kControlInterface).implementedAs([this]() {
        refusing([&] { control().clearCalls(); });
    });
    object.registerMethod("Reset").onInterface(kControlInterface).implementedAs([this]() {
        refusing([&] { control().reset(); });
        const std::lock_guard<std::mutex> lock(mutex_);
        delays_.clear();
    });
    object.registerMethod("State")
        .onInterface(kControlInterface)
        .withOutputParamNames("state")
        .implementedAs([this]() -> std::string { return refusing([&] { return control().state(); }); });
    object.registerMethod("SetState")
        .onInterface(kControlInterface)
        .withInputParamNames("state")
        .implementedAs([this](const std::string& document) { refusing([&] { control().setState(document); }); });
}

ServiceControl& BusControl::control() {
    if (control_ == nullptr) throw refused("this service takes only Delay and Restore");
    return *control_;
}

unsigned BusControl::delayOf(const std::string& remote) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto scripted = delays_.find(remote);
    return scripted == delays_.end() ? 0 : scripted->second;
}

void BusControl::delay(const std::string& remote, unsigned milliseconds) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (milliseconds == 0)
        delays_.erase(remote);
    else
        delays_[remote] = milliseconds;
}

}  // namespace mgmtbus
