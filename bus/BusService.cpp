#include "BusService.h"

#include <chrono>
#include <cstdint>
#include <set>
#include <thread>
#include <utility>

#include <sdbus-c++/Error.h>
#include <sdbus-c++/IConnection.h>
#include <sdbus-c++/IObject.h>
#include <sdbus-c++/IProxy.h>
#include <sdbus-c++/Message.h>

#include "BusConnection.h"
#include "MethodCoding.h"
#include "bus/BusContext.h"

namespace mgmtbus {

namespace {

using mgmtdesc::CallStyle;
using mgmtdesc::isOneWay;

const Parameter* findValue(const Method& reply, const mgmtdesc::Read& value) {
    for (const Parameter& parameter : reply.parameters())
        if (parameter.name() == value.name && parameter.direction() == value.direction) return &parameter;
    return nullptr;
}

// The backend's verdict on one request: throws CorvexException when it failed.
void callBackend(ProxyRequest& backend, const mgmtdesc::Operation& method, Method& request, Method& reply,
                 std::string& channel) {
    switch (method.style) {
        case CallStyle::OneWay: backend.asynchronousCall(request); break;
        case CallStyle::OneWayWithChannel: backend.asynchronousCallWithChannel(request, channel); break;
        case CallStyle::Sync:
        case CallStyle::SyncWithChannel: backend.synchronousCall(request, reply, channel); break;
        case CallStyle::SyncWithTimeout: backend.synchronousCall(request, reply, channel, method.timeout); break;
    }
}

}  // namespace

BusService::BusService(const std::string& address, const std::string& busName, ProxyRequest& backend,
                       BusServiceHooks hooks)
    : backend_(backend), hooks_(std::move(hooks)), busName_(busName), connection_(connectToBus(address)) {
    object_ = sdbus::createObject(*connection_, kServicePath);
    std::set<std::string> exported;
    for (const mgmtdesc::Operation& method : mgmtdesc::operations()) {
        if (!exported.insert(method.remote).second) continue;
        const MethodSignature signature = signatureOf(method);
        sdbus::Flags flags;
        if (isOneWay(method.style)) flags.set(sdbus::Flags::METHOD_NO_REPLY);
        object_->registerMethod(
            kRemoteInterface, method.remote, signature.in, signature.inNames, signature.out, signature.outNames,
            [this, &method](sdbus::MethodCall call) { serve(method, call); }, flags);
    }
    exportControl();
    object_->registerSignal(kMonitorInterface, kExchangeSignal,
                            std::string("ss") + kMethodSignature + "sis" + kMethodSignature + "s",
                            {"caller", "style", "request", "callbackChannel", "timeout", "outcome", "reply",
                             "failure"});
    object_->registerSignal(kLifecycleInterface, kStoppingSignal, "");
    object_->finishRegistration();
    // The name last: clients that see it taken find everything in place.
    try {
        connection_->requestName(busName);
    } catch (const sdbus::Error& error) {
        throw CorvexException("cannot take the name " + busName + " on " + describeBus(address) + ": " +
                              error.getMessage());
    }
}

BusService::~BusService() {
    connection_->leaveEventLoop();
    observers_.clear();
    object_.reset();
}

void BusService::exportControl() {
    object_->registerMethod("Fail")
        .onInterface(kControlInterface)
        .withInputParamNames("remote", "text")
        .implementedAs([this](const std::string& remote, const std::string& text) {
            if (!hooks_.fail) throw sdbus::Error(kFailedError, "this service takes no scripted failures");
            try {
                hooks_.fail(remote, text);
            } catch (const CorvexException& error) {
                throw sdbus::Error(kFailedError, error.what());
            }
        });
    object_->registerMethod("Restore")
        .onInterface(kControlInterface)
        .withInputParamNames("remote")
        .implementedAs([this](const std::string& remote) {
            if (hooks_.restore) hooks_.restore(remote);
            delay(remote, 0);
        });
    object_->registerMethod("Delay")
        .onInterface(kControlInterface)
        .withInputParamNames("remote", "milliseconds")
        .implementedAs([this](const std::string& remote, uint32_t milliseconds) { delay(remote, milliseconds); });
    object_->registerMethod("State")
        .onInterface(kControlInterface)
        .withOutputParamNames("state")
        .implementedAs([this]() { return hooks_.state ? hooks_.state() : std::string(); });
}

void BusService::delay(const std::string& remote, unsigned milliseconds) {
    std::lock_guard<std::mutex> lock(delaysMutex_);
    if (milliseconds == 0)
        delays_.erase(remote);
    else
        delays_[remote] = milliseconds;
}

void BusService::serve(const mgmtdesc::Operation& method, sdbus::MethodCall& call) {
    // The bus has checked the signature against the exported one already.
    Method request(method.remote, Method::REQUEST);
    for (const mgmtdesc::Sent& value : method.request) readValue(call, request, value.name, value.direction);
    std::string channel;
    call >> channel;

    unsigned late = 0;
    {
        std::lock_guard<std::mutex> lock(delaysMutex_);
        const auto scripted = delays_.find(method.remote);
        if (scripted != delays_.end()) late = scripted->second;
    }
    // A slow service holds up everyone behind it, so this one does too.
    if (late > 0) std::this_thread::sleep_for(std::chrono::milliseconds(late));

    Method reply;
    std::string failure;
    bool failed = false;
    try {
        callBackend(backend_, method, request, reply, channel);
    } catch (const CorvexException& error) {
        failed = true;
        failure = error.what();
    } catch (const std::exception& error) {
        failed = true;
        failure = std::string("the service broke down: ") + error.what();
    }

    if (failed && !call.doesntExpectReply()) {
        call.createErrorReply(sdbus::Error(kFailedError, failure)).send();
    } else if (!call.doesntExpectReply()) {
        auto answer = call.createReply();
        std::vector<std::string> replied;
        for (const mgmtdesc::Read& value : isOneWay(method.style) ? std::vector<mgmtdesc::Read>() : method.reply) {
            const Parameter* given = findValue(reply, value);
            if (given != nullptr && given->kind() == value.kind) {
                appendValue(answer, *given);
                replied.push_back(value.name);
            } else {
                appendZero(answer, value.kind);
                replied.emplace_back();
            }
        }
        if (!isOneWay(method.style)) answer << replied;
        answer.send();
    }
    const std::string caller = call.getSender();
    const bool answered = !failed && !isOneWay(method.style);
    publish(BusExchange{caller, request, method.style, channel, method.timeout, answered ? &reply : nullptr,
                        failed ? &failure : nullptr});
}

void BusService::publish(const BusExchange& exchange) {
    try {
        auto signal = object_->createSignal(kMonitorInterface, kExchangeSignal);
        const auto shown = [this](const Method& method) { return hooks_.shown ? hooks_.shown(method) : method; };
        signal << exchange.caller << mgmtdesc::nameOf(exchange.style);
        appendMethod(signal, shown(exchange.request));
        signal << exchange.callbackChannel << static_cast<int32_t>(exchange.timeout)
               << (exchange.failure ? "failed" : exchange.reply ? "answered" : "sent");
        appendMethod(signal, exchange.reply ? shown(*exchange.reply) : Method());
        signal << (exchange.failure ? *exchange.failure : std::string());
        object_->emitSignal(signal);
    } catch (const sdbus::Error&) {
        // Monitors are a convenience; serving goes on without them.
    }
    if (hooks_.observer) hooks_.observer(exchange);
}

bool BusService::notify(const std::string& callbackChannel, const Method& notification) {
    CallbackAddress address;
    if (!parseCallbackChannel(callbackChannel, address)) return false;
    try {
        auto& observer = observers_[callbackChannel];
        if (!observer) observer = sdbus::createProxy(*connection_, address.busName, address.path);
        auto message = observer->createMethodCall(kAgentInterface, "Notify");
        appendMethod(message, notification);
        message.dontExpectReply();
        observer->callMethod(message);
    } catch (const sdbus::Error&) {
        return false;  // an observer that went away is no reason to fail the call
    }
    return true;
}

void BusService::run() {
    try {
        connection_->enterEventLoop();
    } catch (const sdbus::Error& error) {
        throw CorvexException("lost the bus: " + error.getMessage());
    }
    // Said before the name goes, so a client can tell a stop from a crash.
    try {
        auto stopping = object_->createSignal(kLifecycleInterface, kStoppingSignal);
        object_->emitSignal(stopping);
        connection_->releaseName(busName_);
    } catch (const sdbus::Error&) {
        // The bus itself is gone; so is the name.
    }
}

void BusService::stop() { connection_->leaveEventLoop(); }

}  // namespace mgmtbus
