#include "BusChannel.h"

#include <chrono>
#include <cstdint>
#include <utility>
#include <vector>

#include <sdbus-c++/Error.h>
#include <sdbus-c++/IProxy.h>

#include "BusConnection.h"
#include "MethodCoding.h"
#include "bus/BusContext.h"

namespace mgmtbus {

struct BusChannel::Link {
    std::unique_ptr<sdbus::IConnection> connection;
    std::unique_ptr<sdbus::IProxy> service;
};

namespace {

bool nameIs(const sdbus::Error& error, const char* suffix) {
    return error.getName() == std::string("org.freedesktop.DBus.Error.") + suffix;
}

// What the caller is told when a call did not come back with an answer.
std::string failureText(const sdbus::Error& error, const std::string& remote, const std::string& busName,
                        int timeout) {
    if (error.getName() == kFailedError) return error.getMessage();
    if (nameIs(error, "ServiceUnknown") || nameIs(error, "NameHasNoOwner"))
        return remote + ": service " + busName + " is not on the bus";
    if (nameIs(error, "NoReply") || nameIs(error, "Timeout") || nameIs(error, "TimedOut")) {
        // The bus says "disconnected" when the service went away with the call unanswered.
        if (error.getMessage().find("disconnected") != std::string::npos)
            return remote + ": service " + busName + " went away before answering";
        return remote + ": no answer from service " + busName + " within " + std::to_string(timeout) + " ms";
    }
    if (nameIs(error, "Disconnected")) return remote + ": the bus connection is lost";
    return remote + ": " + error.getName() + ": " + error.getMessage();
}

// The reply values up to "replied", then the names in it: an empty name is a
// value the service left out. Values sent INOUT come back INOUT.
Method readReply(sdbus::MethodReply& answer, const Method& request) {
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
        throw CorvexException(request.name() + ": the reply names " + std::to_string(replied.size()) +
                              " of its " + std::to_string(values.parameters().size()) + " values");
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

BusChannel::BusChannel(const std::string& address, std::string busName, std::string serviceName)
    : ProxyRequest(std::move(serviceName)), busName_(std::move(busName)), link_(std::make_unique<Link>()) {
    link_->connection = connectToBus(address);
    try {
        link_->service = sdbus::createProxy(*link_->connection, busName_, kServicePath);
    } catch (const sdbus::Error& error) {
        throw CorvexException("cannot address service " + busName_ + ": " + error.getMessage());
    }
    context_ = std::make_unique<BusContext>(*link_->connection);
    frameworkContext = context_.get();
    // Replies and notifications arrive on this thread; callers wait for theirs.
    link_->connection->enterEventLoopAsync();
}

BusChannel::~BusChannel() {
    // The loop thread goes first, so nothing arrives while the rest is torn down.
    link_->connection->leaveEventLoop();
    context_.reset();
}

void BusChannel::setDefaultTimeout(int milliseconds) { defaultTimeout_ = milliseconds; }

BusContext& BusChannel::context() { return *context_; }

void BusChannel::send(const Method& request, const std::string& callbackChannel) {
    try {
        auto message = link_->service->createMethodCall(kRemoteInterface, request.name());
        for (const Parameter& parameter : request.parameters()) appendValue(message, parameter);
        message << callbackChannel;
        message.dontExpectReply();
        link_->service->callMethod(message);
    } catch (const sdbus::Error& error) {
        throw CorvexException(failureText(error, request.name(), busName_, 0));
    }
}

void BusChannel::call(const Method& request, Method& reply, const std::string& callbackChannel, int timeout) {
    try {
        auto message = link_->service->createMethodCall(kRemoteInterface, request.name());
        for (const Parameter& parameter : request.parameters()) appendValue(message, parameter);
        message << callbackChannel;
        auto answer = link_->service->callMethod(message, static_cast<uint64_t>(timeout) * 1000u);
        // The caller's reply is replaced only by a complete answer.
        reply = readReply(answer, request);
    } catch (const sdbus::Error& error) {
        throw CorvexException(failureText(error, request.name(), busName_, timeout));
    }
}

bool BusChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel) {
    call(request, reply, callbackChannel, defaultTimeout_);
    return true;
}

bool BusChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) {
    call(request, reply, callbackChannel, timeout > 0 ? timeout : defaultTimeout_);
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

}  // namespace mgmtbus
