#include "testing/RecordingChannel.h"

#include <gtest/gtest.h>

#include <utility>

#include "testing/RequestMatchers.h"

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

RecordingChannel::RecordingChannel(std::string serviceName) : ProxyRequest(std::move(serviceName)) {
    frameworkContext = &context_;
}

ScriptedReply& RecordingChannel::answer(const std::string& remote) {
    ScriptedReply& reply = replies_[remoteNamed(remote)];
    reply = ScriptedReply();
    return reply;
}

ScriptedReply& RecordingChannel::answerOthers() {
    othersScripted_ = true;
    return others_;
}

std::vector<SentRequest> RecordingChannel::requestsTo(const std::string& remote) const {
    std::vector<SentRequest> sent;
    for (const SentRequest& request : requests_)
        if (request.remote() == remote) sent.push_back(request);
    return sent;
}

const Method& RecordingChannel::replyFor(const Method& request) const {
    const auto scripted = replies_.find(request.name());
    if (scripted != replies_.end()) return scripted->second.method();
    if (strict_ && !othersScripted_ && faults().count(request.name()) == 0)
        ADD_FAILURE() << "RecordingChannel: no reply scripted for " << ::testing::PrintToString(requests_.back());
    return others_.method();
}

void RecordingChannel::serve(Method& request, CallStyle style, const std::string& callbackChannel, int timeout,
                             Method* reply) {
    requests_.push_back(SentRequest{request, style, callbackChannel, timeout});
    if (onCall) onCall(requests_.back());
    Method answered;
    answerScripted(request, style, timeout, answered, [&](Method& into) {
        if (reply != nullptr) into = replyFor(request);
    });
    if (reply != nullptr) *reply = std::move(answered);
}

bool RecordingChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel) {
    serve(request, callbackChannel.empty() ? CallStyle::Sync : CallStyle::SyncWithChannel, callbackChannel, 0, &reply);
    return true;
}

bool RecordingChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel,
                                       int timeout) {
    serve(request, CallStyle::SyncWithTimeout, callbackChannel, timeout, &reply);
    return true;
}

bool RecordingChannel::asynchronousCall(Method& request) {
    serve(request, CallStyle::OneWay, std::string(), 0, nullptr);
    return true;
}

bool RecordingChannel::asynchronousCallWithChannel(Method& request, std::string& callbackChannel) {
    serve(request, CallStyle::OneWayWithChannel, callbackChannel, 0, nullptr);
    return true;
}

bool RecordingChannel::setProxyOption(const int& option) {
    options_.push_back(option);
    return true;
}

}  // namespace mgmtkit
