#include "testing/RecordingChannel.h"

#include <utility>

namespace mgmtkit {

using mgmtdesc::CallStyle;

ScriptedReply& ScriptedReply::out(const char* name, int value) {
    reply_.addIntParameter(name, value, Parameter::OUT);
    return *this;
}

ScriptedReply& ScriptedReply::out(const char* name, bool value) {
    reply_.addBoolParameter(name, value, Parameter::OUT);
    return *this;
}

ScriptedReply& ScriptedReply::out(const char* name, const std::string& value) {
    reply_.addStringParameter(name, value, Parameter::OUT);
    return *this;
}

ScriptedReply& ScriptedReply::inout(const char* name, const std::string& value) {
    reply_.addStringParameter(name, value, Parameter::INOUT);
    return *this;
}

RecordingChannel::RecordingChannel(std::string serviceName) : ProxyRequest(std::move(serviceName)) {}

ScriptedReply& RecordingChannel::answer(const std::string& remote) {
    ScriptedReply& reply = replies_[remote];
    reply = ScriptedReply();
    return reply;
}

void RecordingChannel::fail(const std::string& remote, const std::string& text) { failures_[remote] = text; }

void RecordingChannel::restore(const std::string& remote) { failures_.erase(remote); }

std::vector<SentRequest> RecordingChannel::requestsTo(const std::string& remote) const {
    std::vector<SentRequest> sent;
    for (const SentRequest& request : requests_)
        if (request.remote() == remote) sent.push_back(request);
    return sent;
}

void RecordingChannel::record(const Method& request, CallStyle style, const std::string& callbackChannel,
                              int timeout) {
    requests_.push_back(SentRequest{request, style, callbackChannel, timeout});
    if (onCall) onCall(requests_.back());
    const auto failure = failures_.find(request.name());
    if (failure != failures_.end()) throw CorvexException(failure->second);
}

const Method& RecordingChannel::replyFor(const std::string& remote) const {
    const auto scripted = replies_.find(remote);
    return scripted != replies_.end() ? scripted->second.method() : others_.method();
}

bool RecordingChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel) {
    record(request, callbackChannel.empty() ? CallStyle::Sync : CallStyle::SyncWithChannel, callbackChannel, 0);
    reply = replyFor(request.name());
    return true;
}

bool RecordingChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel,
                                       int timeout) {
    record(request, CallStyle::SyncWithTimeout, callbackChannel, timeout);
    reply = replyFor(request.name());
    return true;
}

bool RecordingChannel::asynchronousCall(Method& request) {
    record(request, CallStyle::OneWay, std::string(), 0);
    return true;
}

bool RecordingChannel::asynchronousCallWithChannel(Method& request, std::string& callbackChannel) {
    record(request, CallStyle::OneWayWithChannel, callbackChannel, 0);
    return true;
}

bool RecordingChannel::setProxyOption(const int& option) {
    options_.push_back(option);
    return true;
}

}  // namespace mgmtkit
