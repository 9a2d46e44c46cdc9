#include "testing/SimulatedPhone.h"

#include <sstream>
#include <utility>

#include "Listing.h"
#include "testing/PhoneState.h"
#include "ServiceTable.h"

namespace mgmtkit {

namespace {

const ServiceTable& serviceTable() {
    static const ServiceTable table;
    return table;
}

bool isOneWay(CallStyle style) { return style == CallStyle::OneWay || style == CallStyle::OneWayWithChannel; }

// Answers one request from the table, or throws CorvexException saying why not.
void answer(PhoneState& state, const Method& request, CallStyle style, const std::string& callbackChannel,
            Method& reply) {
    const RemoteMethod* method = serviceTable().find(request.name());
    if (method == nullptr) throw CorvexException("unknown remote method " + request.name());
    // The real service would not answer a method sent in the wrong style either.
    if (isOneWay(style) != (method->delivery == Delivery::OneWay))
        throw CorvexException(request.name() + (isOneWay(style)
                                                    ? " expects a synchronous call, not a one-way call"
                                                    : " is one-way and has no reply"));
    const Arguments arguments(request, callbackChannel);
    Answer answer(reply);
    method->handle(state, arguments, answer);
}

}  // namespace

SimulatedPhone::SimulatedPhone() : state_(std::make_unique<PhoneState>()) {}

SimulatedPhone::~SimulatedPhone() = default;

void SimulatedPhone::failMethod(const std::string& remoteName, const std::string& text) {
    failures_[remoteName] = text;
}

void SimulatedPhone::restoreMethod(const std::string& remoteName) { failures_.erase(remoteName); }

std::vector<std::string> SimulatedPhone::remoteMethods() const { return serviceTable().names(); }

std::string SimulatedPhone::describeState() const {
    std::ostringstream out;
    std::vector<std::string> options;
    for (int option : options_) options.push_back(std::to_string(option));
    out << "channel.options: " << listing(options) << '\n';
    for (const auto& [remote, text] : failures_) out << "failing." << remote << ": " << oneLine(text) << '\n';
    return out.str() + state_->describe();
}

PhoneState& SimulatedPhone::state() { return *state_; }

void SimulatedPhone::serve(Method& request, CallStyle style, std::string& callbackChannel, int timeout,
                           Method* reply) {
    Method answered;
    std::string failure;
    bool failed = false;
    try {
        const auto injected = failures_.find(request.name());
        if (injected != failures_.end()) throw CorvexException(injected->second);
        answer(*state_, request, style, callbackChannel, answered);
    } catch (const CorvexException& error) {
        failed = true;
        failure = error.what();
    }
    // The caller's reply is replaced only by a complete answer.
    if (reply != nullptr && !failed) *reply = std::move(answered);
    if (observer) {
        const Method* shownReply = failed ? nullptr : reply;
        observer(Exchange{request, style, callbackChannel, timeout, shownReply, failed ? &failure : nullptr});
    }
    if (failed) throw CorvexException(failure);
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

bool SimulatedPhone::setProxyOption(const int& option) {
    options_.push_back(option);
    return true;
}

std::string SimulatedContext::findChannel(Executable* object) {
    if (object == nullptr) return std::string();
    const auto known = channels_.find(object);
    if (known != channels_.end()) return known->second;
    std::string channel;
    for (std::size_t n = channels_.size() + 1; channel.empty(); ++n) {
        channel = "agent-" + std::to_string(n);
        for (const auto& [other, taken] : channels_)
            if (taken == channel) channel.clear();  // named beforehand
    }
    channels_.emplace(object, channel);
    return channel;
}

void SimulatedContext::nameChannel(const Executable& object, std::string channel) {
    channels_[&object] = std::move(channel);
}

}  // namespace mgmtkit
