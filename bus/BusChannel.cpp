#include "BusChannel.h"

#include <cstdint>
#include <future>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include <sdbus-c++/Error.h>
#include <sdbus-c++/IProxy.h>

#include "BusConnection.h"
#include "MethodCoding.h"
#include "bus/BusContext.h"

namespace mgmtbus {

namespace {

constexpr const char* kBusDriver = "org.freedesktop.DBus";
constexpr const char* kBusDriverPath = "/org/freedesktop/DBus";
constexpr const char* kPeerInterface = "org.freedesktop.DBus.Peer";

bool nameIs(const sdbus::Error& error, const char* suffix) {
    return error.getName() == std::string("org.freedesktop.DBus.Error.") + suffix;
}

// The kind of failure behind a call that did not come back with an answer.
[[noreturn]] void throwFailure(const sdbus::Error& error, const std::string& remote, const std::string& busName,
                               int timeout) {
    if (error.getName() == kFailedError) throw ServiceFailed(error.getMessage(), remote, busName);
    if (nameIs(error, "ServiceUnknown") || nameIs(error, "NameHasNoOwner")) throw ServiceAbsent(remote, busName);
    if (nameIs(error, "NoReply") || nameIs(error, "Timeout") || nameIs(error, "TimedOut")) {
        // The bus says "disconnected" when the service went away with the call unanswered.
        if (error.getMessage().find("disconnected") != std::string::npos) throw ServiceWentAway(remote, busName);
        throw ServiceTimedOut(remote, busName, timeout);
    }
    if (nameIs(error, "Disconnected")) throw BusCallFailed("the bus connection is lost", remote, busName);
    throw BusCallFailed(error.getName() + ": " + error.getMessage(), remote, busName);
}

// The reply values up to "replied", then the names in it: an empty name is a
// value the service left out. Values sent INOUT come back INOUT.
Method readReply(sdbus::MethodReply& answer, const Method& request, const std::string& busName) {
    Method values;
    std::vector<std::string> replied;
    for (std::size_t slot = 0;; ++slot) {
        std::string type, contents;
        answer.peekType(type, contents);
        if (type == "a") break;
        readValue(answer, values, std::to_string(slot), Parameter::OUT);
    }
    answer >> replied;
    if (replied.size() != values.parameters().size())
        throw BusCallFailed("the reply names " + std::to_string(replied.size()) + " of its " +
                                std::to_string(values.parameters().size()) + " values",
                            request.name(), busName);
    Method reply;
    for (std::size_t i = 0; i < replied.size(); ++i) {
        if (replied[i].empty()) continue;
        Parameter::directions direction = Parameter::OUT;
        for (const Parameter& sent : request.parameters())
            if (sent.direction() == Parameter::INOUT && sent.name() == replied[i]) direction = Parameter::INOUT;
        const Parameter& value = values.parameters()[i];
        switch (value.kind()) {
            case Parameter::INT: reply.addIntParameter(replied[i].c_str(), value.intValue(), direction); break;
            case Parameter::STRING:
                reply.addStringParameter(replied[i].c_str(), value.stringValue(), direction);
                break;
            case Parameter::BOOL: reply.addBoolParameter(replied[i].c_str(), value.boolValue(), direction); break;
        }
    }
    return reply;
}

}  // namespace

// Who owns the service's name, and who wants to hear when that changes.
// The owner is written only before the bus thread starts and on it.
struct BusChannel::Presence {
    std::string owner;
    std::atomic<bool> onBus{false};
    std::recursive_mutex listenersMutex;  // held while listeners are told
    std::map<unsigned, ServiceListener> listeners;
    unsigned nextId = 1;

    void ownerIs(const std::string& now) {
        const std::string before = std::exchange(owner, now);
        onBus = !now.empty();
        if (before == now) return;
        // A name handed straight to another connection is a new service too.
        if (!before.empty()) tell(ServiceEvent::WentAway);
        if (!now.empty()) tell(ServiceEvent::CameBack);
    }

    void tell(ServiceEvent event) {
        std::lock_guard<std::recursive_mutex> lock(listenersMutex);
        std::vector<unsigned> ids;
        for (const auto& entry : listeners) ids.push_back(entry.first);
        for (unsigned id : ids) {
            const auto found = listeners.find(id);
            if (found == listeners.end()) continue;  // cancelled by an earlier listener
            const ServiceListener listener = found->second;  // it may cancel itself
            try {
                listener(event);
            } catch (...) {
                // A listener's failure is its own; the bus thread goes on.
            }
        }
    }

    void cancel(unsigned id) {
        std::lock_guard<std::recursive_mutex> lock(listenersMutex);
        listeners.erase(id);
    }
};

struct BusChannel::Link {
    std::unique_ptr<sdbus::IConnection> connection;
    std::unique_ptr<sdbus::IProxy> service;
    std::unique_ptr<sdbus::IProxy> busDriver;
    sdbus::Slot ownerChanges;

    // The owner of `name` now, asked of the bus; empty when it has none.
    std::string ownerOf(const std::string& name) {
        std::string owner;
        try {
            busDriver->callMethod("GetNameOwner").onInterface(kBusDriver).withArguments(name).storeResultsTo(owner);
        } catch (const sdbus::Error& error) {
            if (!nameIs(error, "NameHasNoOwner")) throw;
        }
        return owner;
    }
};

BusChannel::BusChannel(const std::string& address, std::string busName, std::string serviceName)
    : ProxyRequest(std::move(serviceName)),
      busName_(std::move(busName)),
      presence_(std::make_shared<Presence>()),
      link_(std::make_unique<Link>()) {
    link_->connection = connectToBus(address);
    try {
        link_->service = sdbus::createProxy(*link_->connection, busName_, kServicePath);
        link_->busDriver = sdbus::createProxy(*link_->connection, kBusDriver, kBusDriverPath);
        // Subscribed before asking, so no change falls between the answer and the first signal.
        Presence* presence = presence_.get();
        link_->ownerChanges = link_->connection->addMatch(
            std::string("type='signal',sender='") + kBusDriver + "',path='" + kBusDriverPath + "',interface='" +
                kBusDriver + "',member='NameOwnerChanged',arg0='" + busName_ + "'",
            [presence](sdbus::Message& signal) {
                std::string name, before, now;
                signal >> name >> before >> now;
                presence->ownerIs(now);
            });
        presence_->owner = link_->ownerOf(busName_);
        presence_->onBus = !presence_->owner.empty();
    } catch (const sdbus::Error& error) {
        throw CorvexException("cannot address service " + busName_ + ": " + error.getMessage());
    }
    context_ = std::make_unique<BusContext>(*link_->connection);
    frameworkContext = context_.get();
    // Replies, notifications and owner changes arrive on this thread; callers wait for theirs.
    link_->connection->enterEventLoopAsync();
}

BusChannel::~BusChannel() {
    // The loop thread goes first, so nothing arrives while the rest is torn down.
    link_->connection->leaveEventLoop();
    context_.reset();
}

void BusChannel::setDefaultTimeout(int milliseconds) { defaultTimeout_ = milliseconds; }

BusContext& BusChannel::context() { return *context_; }

bool BusChannel::serviceOnBus() const { return presence_->onBus; }

BusChannel::ServiceWatch BusChannel::watchService(ServiceListener listener) {
    std::lock_guard<std::recursive_mutex> lock(presence_->listenersMutex);
    const unsigned id = presence_->nextId++;
    presence_->listeners.emplace(id, std::move(listener));
    return ServiceWatch(presence_, id);
}

void BusChannel::awaitNotifications() {
    const int timeout = defaultTimeout_;
    // The service answers a ping after what it sent before, and the answer to
    // an asynchronous call is handed over on the bus thread after those, even
    // where a synchronous call would read the bus itself (before that thread
    // runs).
    std::promise<void> answered;
    try {
        auto ping = link_->service->createMethodCall(kPeerInterface, "Ping");
        link_->service->callMethod(
            ping,
            [&answered](sdbus::MethodReply&, const sdbus::Error* error) {
                if (error != nullptr) answered.set_exception(std::make_exception_ptr(*error));
                else answered.set_value();
            },
            static_cast<uint64_t>(timeout) * 1000u);
        answered.get_future().get();
    } catch (const sdbus::Error& error) {
        throwFailure(error, "Ping", busName_, timeout);
    }
}

void BusChannel::send(const Method& request, const std::string& callbackChannel) {
    try {
        // The bus drops a one-way call to a name without an owner and tells
        // nobody. The bus thread may not have heard of a comeback yet: ask.
        if (!presence_->onBus && link_->ownerOf(busName_).empty()) throw ServiceAbsent(request.name(), busName_);
        auto message = link_->service->createMethodCall(kRemoteInterface, request.name());
        for (const Parameter& parameter : request.parameters()) appendValue(message, parameter);
        message << callbackChannel;
        message.dontExpectReply();
        link_->service->callMethod(message);
    } catch (const sdbus::Error& error) {
        throwFailure(error, request.name(), busName_, 0);
    }
}

void BusChannel::call(const Method& request, Method& reply, const std::string& callbackChannel, int timeout) {
    try {
        auto message = link_->service->createMethodCall(kRemoteInterface, request.name());
        for (const Parameter& parameter : request.parameters()) appendValue(message, parameter);
        message << callbackChannel;
        auto answer = link_->service->callMethod(message, static_cast<uint64_t>(timeout) * 1000u);
        // The caller's reply is replaced only by a complete answer.
        reply = readReply(answer, request, busName_);
    } catch (const sdbus::Error& error) {
        throwFailure(error, request.name(), busName_, timeout);
    }
}

bool BusChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel) {
    call(request, reply, callbackChannel, defaultTimeout_);
    return true;
}

bool BusChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) {
    call(request, reply, callbackChannel, timeout > 0 ? timeout : defaultTimeout_.load());
    return true;
}

bool BusChannel::asynchronousCall(Method& request) {
    send(request, std::string());
    return true;
}

bool BusChannel::asynchronousCallWithChannel(Method& request, std::string& callbackChannel) {
    send(request, callbackChannel);
    return true;
}

BusChannel::ServiceWatch::ServiceWatch(ServiceWatch&& other) noexcept
    : presence_(std::move(other.presence_)), id_(std::exchange(other.id_, 0)) {}

BusChannel::ServiceWatch& BusChannel::ServiceWatch::operator=(ServiceWatch&& other) noexcept {
    if (this != &other) {
        cancel();
        presence_ = std::move(other.presence_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

BusChannel::ServiceWatch::~ServiceWatch() { cancel(); }

void BusChannel::ServiceWatch::cancel() {
    if (const auto presence = presence_.lock()) presence->cancel(id_);
    presence_.reset();
    id_ = 0;
}

}  // namespace mgmtbus
