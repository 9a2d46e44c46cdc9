#include "testing/SimulatedPhone.h"

#include <cxxabi.h>

#include <cstdlib>
#include <limits>
#include <utility>

#include "ServiceTable.h"
#include "StateDocument.h"
#include "testing/PhoneState.h"

namespace mgmtkit {

namespace {

using mgmtdesc::CallStyle;

const ServiceTable& serviceTable() {
    static const ServiceTable table;
    return table;
}

}  // namespace

std::string readableTypeName(const std::type_info& type) {
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> readable(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    return status == 0 && readable ? readable.get() : type.name();
}

SimulatedPhone::SimulatedPhone()
    : state_(std::make_unique<PhoneState>()), keep_(std::numeric_limits<std::size_t>::max()) {}

SimulatedPhone::~SimulatedPhone() = default;

std::vector<std::string> SimulatedPhone::remoteMethods() const { return serviceTable().names(); }

std::vector<Exchange> SimulatedPhone::calls() const {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    return {calls_.begin(), calls_.end()};
}

void SimulatedPhone::clearCalls() {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    calls_.clear();
    dropped_ = 0;
}

void SimulatedPhone::keepCalls(std::size_t count) {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    keep_ = count;
    for (; calls_.size() > keep_; ++dropped_) calls_.pop_front();
}

std::string SimulatedPhone::callsDocument() const {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    return callsJson({calls_.begin(), calls_.end()}, dropped_);
}

void SimulatedPhone::setCaller(std::string caller) {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    caller_ = std::move(caller);
}

std::string SimulatedPhone::stateDocument() const {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    return StateDocument::write(*state_, faults());
}

void SimulatedPhone::setState(const std::string& document) {
    auto fresh = std::make_unique<PhoneState>();
    StateDocument::Faults faults;
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    StateDocument::read(document, *state_, *fresh, faults);
    for (const auto& [remote, fault] : faults) remoteNamed(remote);  // all known before any changes
    state_ = std::move(fresh);
    restoreAll();
    for (const auto& [remote, fault] : faults) script(remote, fault);
}

void SimulatedPhone::reset() {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    state_ = std::make_unique<PhoneState>();
    restoreAll();
    clearCalls();
}

void SimulatedPhone::setCallbackRoute(Route route) {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    route_ = std::move(route);
}

void SimulatedPhone::changeData(const KeyValues& values) {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    state_->data.merge(values);
    announceWritten();
}

PhoneState& SimulatedPhone::state() { return *state_; }

void SimulatedPhone::record(Exchange exchange) {
    exchange.caller = caller_;
    exchange.time = clock().now();
    if (observer) observer(exchange);
    if (keep_ == 0) {
        ++dropped_;
        return;
    }
    for (; calls_.size() >= keep_; ++dropped_) calls_.pop_front();
    calls_.push_back(std::move(exchange));
}

void SimulatedPhone::announceWritten() {
    const KeyValues written = state_->data.takeWritten();
    if (written.empty()) return;
    for (const DataChange& change : state_->agents.changesFor(written)) {
        Exchange exchange{Exchange::Notification, notificationOf(change.change), CallStyle::OneWayWithChannel,
                          change.channel};
        // An observer that throws must not fail the call that changed the data.
        try {
            if (route_) route_(change.channel, exchange.message);
        } catch (const CorvexException& error) {
            exchange.failure = error.what();
        } catch (const std::exception& error) {
            exchange.failure = error.what();
        }
        record(std::move(exchange));
    }
}

void SimulatedPhone::serve(Method& request, CallStyle style, std::string& callbackChannel, int timeout,
                           Method* reply) {
    Method answered;
    std::optional<std::string> failure;
    try {
        answerScripted(request, style, timeout, answered, [&](Method& into) {
            const std::lock_guard<std::recursive_mutex> lock(mutex_);
            serviceTable().answer(*state_, request, style, callbackChannel, into);
        });
    } catch (const CorvexException& error) {
        failure = error.what();
    }
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    // The caller's reply is replaced only by a complete answer.
    const bool answeredInFull = reply != nullptr && !failure;
    if (answeredInFull) *reply = answered;
    record(Exchange{Exchange::Request, request, style, callbackChannel, timeout,
                    answeredInFull ? std::optional<Method>(std::move(answered)) : std::nullopt, failure});
    announceWritten();
    if (failure) throw CorvexException(*failure);
}

bool SimulatedPhone::synchronousCall(Method& request, Method& reply, std::string& callbackChannel) {
    serve(request, callbackChannel.empty() ? CallStyle::Sync : CallStyle::SyncWithChannel, callbackChannel, 0,
          &reply);
    return true;
}

bool SimulatedPhone::synchronousCall(Method& request, Method& reply, std::string& callbackChannel,
                                     int timeout) {
    serve(request, CallStyle::SyncWithTimeout, callbackChannel, timeout, &reply);
    return true;
}

bool SimulatedPhone::asynchronousCall(Method& request) {
    std::string noChannel;
    serve(request, CallStyle::OneWay, noChannel, 0, nullptr);
    return true;
}

bool SimulatedPhone::asynchronousCallWithChannel(Method& request, std::string& callbackChannel) {
    serve(request, CallStyle::OneWayWithChannel, callbackChannel, 0, nullptr);
    return true;
}

bool SimulatedPhone::setProxyOption(const int&) { return true; }

}  // namespace mgmtkit
