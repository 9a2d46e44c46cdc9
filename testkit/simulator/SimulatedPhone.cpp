#include "testing/SimulatedPhone.h"

#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

#include "Listing.h"
#include "ServiceTable.h"
#include "testing/PhoneState.h"

namespace mgmtkit {

namespace {

using mgmtdesc::CallStyle;

const ServiceTable& serviceTable() {
    static const ServiceTable table;
    return table;
}

// Every value of the answer as a string carrying `text`, under the same name and direction.
Method malformed(const Method& answered, const std::string& text) {
    Method reply;
    for (const Parameter& parameter : answered.parameters())
        reply.addStringParameter(parameter.name().c_str(), text, parameter.direction());
    return reply;
}

}  // namespace

SimulatedPhone::SimulatedPhone() : state_(std::make_unique<PhoneState>()) {}

SimulatedPhone::~SimulatedPhone() = default;

void SimulatedPhone::script(const std::string& remoteName, Fault fault) {
    if (!serviceTable().knows(remoteName))
        throw std::invalid_argument("the simulated service has no remote method " + remoteName);
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    faults_[remoteName] = std::move(fault);
}

void SimulatedPhone::failMethod(const std::string& remoteName, const std::string& text) {
    script(remoteName, Fault{Fault::Fail, text});
}

void SimulatedPhone::failNext(const std::string& remoteName, int calls, const std::string& text) {
    if (calls <= 0) throw std::invalid_argument("failNext needs a positive number of calls");
    script(remoteName, Fault{Fault::Fail, text, calls});
}

void SimulatedPhone::answerLate(const std::string& remoteName, std::chrono::milliseconds delay) {
    script(remoteName, Fault{Fault::Late, std::string(), -1, delay});
}

void SimulatedPhone::answerMalformed(const std::string& remoteName, const std::string& text) {
    script(remoteName, Fault{Fault::Malformed, text});
}

void SimulatedPhone::restoreMethod(const std::string& remoteName) {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    faults_.erase(remoteName);
}

void SimulatedPhone::restoreAll() {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    faults_.clear();
}

std::optional<SimulatedPhone::Fault> SimulatedPhone::takeFault(const std::string& remoteName) {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    const auto found = faults_.find(remoteName);
    if (found == faults_.end()) return std::nullopt;
    Fault fault = found->second;
    if (found->second.remaining > 0 && --found->second.remaining == 0) faults_.erase(found);
    return fault;
}

std::vector<std::string> SimulatedPhone::remoteMethods() const { return serviceTable().names(); }

std::vector<TrafficEntry> SimulatedPhone::traffic() const {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    return traffic_;
}

void SimulatedPhone::clearTraffic() {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    traffic_.clear();
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

void SimulatedPhone::announceWritten() {
    const KeyValues written = state_->data.takeWritten();
    if (written.empty()) return;
    for (const DataChange& change : state_->agents.changesFor(written)) {
        Method notification(kDataChanged, Method::REQUEST);
        ManageableData data;
        for (const auto& [node, value] : change.data) data.setValue(node, value);
        notification.addStringParameter("nodeId", change.nodeId, Parameter::IN);
        notification.addStringParameter("manageableData", data.serialize(ManageableData::KEY_VALUE_TEXT),
                                        Parameter::IN);
        TrafficEntry entry{TrafficEntry::Notification, notification, CallStyle::OneWayWithChannel,
                           change.channel, 0, std::nullopt, std::nullopt};
        // An observer that throws must not fail the call that changed the data.
        try {
            if (route_) route_(change.channel, notification);
        } catch (const CorvexException& error) {
            entry.failure = error.what();
        } catch (const std::exception& error) {
            entry.failure = error.what();
        }
        traffic_.push_back(std::move(entry));
    }
}

std::string SimulatedPhone::describeState() const {
    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    std::ostringstream out;
    std::vector<std::string> options;
    for (int option : options_) options.push_back(std::to_string(option));
    out << "channel.options: " << listing(options) << '\n';
    for (const auto& [remote, fault] : faults_) {
        switch (fault.kind) {
            case Fault::Fail: out << "failing." << remote << ": " << oneLine(fault.text); break;
            case Fault::Late: out << "late." << remote << ": " << fault.delay.count() << " ms"; break;
            case Fault::Malformed: out << "malformed." << remote << ": " << oneLine(fault.text); break;
        }
        if (fault.remaining > 0) out << " (" << fault.remaining << " more calls)";
        out << '\n';
    }
    return out.str() + state_->describe();
}

PhoneState& SimulatedPhone::state() { return *state_; }

void SimulatedPhone::serve(Method& request, CallStyle style, std::string& callbackChannel, int timeout,
                           Method* reply) {
    const std::optional<Fault> fault = takeFault(request.name());
    bool timedOut = false;
    if (fault && fault->kind == Fault::Late && reply != nullptr) {
        // Waiting out a 60-second time-out would only slow the tests down.
        timedOut = style == CallStyle::SyncWithTimeout && fault->delay.count() > timeout;
        if (!timedOut) std::this_thread::sleep_for(fault->delay);
    }

    const std::lock_guard<std::recursive_mutex> lock(mutex_);
    Method answered;
    std::optional<std::string> failure;
    try {
        if (timedOut)
            throw CorvexException(request.name() + ": no answer within " + std::to_string(timeout) + " ms");
        if (fault && fault->kind == Fault::Fail) throw CorvexException(fault->text);
        serviceTable().answer(*state_, request, style, callbackChannel, answered);
        if (fault && fault->kind == Fault::Malformed) answered = malformed(answered, fault->text);
    } catch (const CorvexException& error) {
        failure = error.what();
    }
    // The caller's reply is replaced only by a complete answer.
    if (reply != nullptr && !failure) *reply = std::move(answered);
    const Method* shownReply = failure ? nullptr : reply;
    traffic_.push_back(TrafficEntry{TrafficEntry::Request, request, style, callbackChannel, timeout,
                                    shownReply ? std::optional<Method>(*shownReply) : std::nullopt, failure});
    if (observer)
        observer(Exchange{request, style, callbackChannel, timeout, shownReply, failure ? &*failure : nullptr});
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

bool SimulatedPhone::setProxyOption(const int& option) {
    options_.push_back(option);
    return true;
}

}  // namespace mgmtkit
