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

// A notification made by notify(): its message, or why there is none.
struct BusService::Notification {
    std::string observer;  // the bus name notified
    std::string channel;
    Method message;
    sdbus::MethodCall call;
    std::string failure;
};

// A call being answered: the notifications it causes wait, and go out after
// its reply and its exchange, so a client hears of a call's effects after its
// answer, in the order it would in process.
class BusService::Answering {
public:
    explicit Answering(BusService& service) : service_(service) { service_.answering_ = true; }
    ~Answering() {
        service_.answering_ = false;
        for (Notification& held : std::exchange(service_.held_, {})) service_.send(held);
    }
    Answering(const Answering&) = delete;
    Answering& operator=(const Answering&) = delete;

private:
    BusService& service_;
};

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
    control_ = std::make_unique<BusControl>(*object_, hooks_.control);
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
    object_.reset();
}

void BusService::serve(const mgmtdesc::Operation& method, sdbus::MethodCall& call) {
    const Answering answering(*this);
    // The bus has checked the signature against the exported one already.
    Method request(method.remote, Method::REQUEST);
    for (const mgmtdesc::Sent& value : method.request) readValue(call, request, value.name, value.direction);
    std::string channel;
    call >> channel;

    // A slow service holds up everyone behind it, so this one does too.
    if (const unsigned late = control_->delayOf(method.remote))
        std::this_thread::sleep_for(std::chrono::milliseconds(late));
    const std::string caller = call.getSender();
    if (hooks_.receiving) hooks_.receiving(caller);

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
    const bool answered = !failed && !isOneWay(method.style);
    publish(BusExchange{caller, request, method.style, channel, method.timeout, answered ? &reply : nullptr,
                        failed ? &failure : nullptr});
}

void BusService::publish(const BusExchange& exchange) {
    emitExchange(exchange.caller, mgmtdesc::nameOf(exchange.style), exchange.request, exchange.callbackChannel,
                 exchange.timeout, exchange.reply, exchange.failure);
    if (hooks_.observer) hooks_.observer(exchange);
}

void BusService::emitExchange(const std::string& peer, const char* style, const Method& message,
                              const std::string& channel, int timeout, const Method* reply,
                              const std::string* failure) {
    try {
        auto signal = object_->createSignal(kMonitorInterface, kExchangeSignal);
        const auto shown = [this](const Method& method) { return hooks_.shown ? hooks_.shown(method) : method; };
        signal << peer << style;
        appendMethod(signal, shown(message));
        signal << channel << static_cast<int32_t>(timeout)
               << (failure ? "failed" : reply ? "answered" : "sent");
        appendMethod(signal, reply ? shown(*reply) : Method());
        signal << (failure ? *failure : std::string());
        object_->emitSignal(signal);
    } catch (const sdbus::Error&) {
        // Monitors are a convenience; serving goes on without them.
    }
}

void BusService::notify(const std::string& callbackChannel, const Method& notification) {
    Notification made{std::string(), callbackChannel, notification, {}, std::string()};
    CallbackAddress address;
    if (!parseCallbackChannel(callbackChannel, address)) {
        made.failure = "the callback channel \"" + callbackChannel + "\" is no observer's address on the bus";
    } else {
        made.observer = address.busName;
        try {
            // A proxy for each: nothing is kept per client, so a service that
            // runs for days does not grow with the clients that came and went.
            // Making one costs no bus traffic.
            const auto observer = sdbus::createProxy(*connection_, address.busName, address.path);
            made.call = observer->createMethodCall(kAgentInterface, "Notify");
            appendMethod(made.call, notification);
            made.call.dontExpectReply();
        } catch (const sdbus::Error& error) {
            made.failure = "the observer at " + callbackChannel + " cannot be reached: " + error.getMessage();
        }
    }
    if (answering_) {
        // Sent later, so the backend hears of what fails now only; one the bus
        // refuses when it goes out shows as failed in its exchange alone.
        held_.push_back(std::move(made));
        if (!held_.back().failure.empty()) throw CorvexException(held_.back().failure);
        return;
    }
    send(made);
    if (!made.failure.empty()) throw CorvexException(made.failure);
}

void BusService::send(Notification& notification) {
    if (notification.failure.empty()) {
        try {
            notification.call.send(0);
        } catch (const sdbus::Error& error) {
            notification.failure =
                "the observer at " + notification.channel + " cannot be reached: " + error.getMessage();
        }
    }
    emitExchange(notification.observer, kNotificationStyle, notification.message, notification.channel, 0, nullptr,
                 notification.failure.empty() ? nullptr : &notification.failure);
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
