#include "TestChannel.h"

#include <gtest/gtest.h>

namespace testing_support {

TestChannel::TestChannel(std::string serviceName)
    : RecordingChannel(std::move(serviceName)),
      reply(answerOthers().method()),
      options(RecordingChannel::options()) {
    RecordingChannel::onCall = [this](const mgmtkit::SentRequest& sent) {
        static const CallStyle styles[] = {CallStyle::OneWay, CallStyle::OneWayWithChannel, CallStyle::Sync,
                                           CallStyle::Sync, CallStyle::SyncWithTimeout};
        calls.push_back(SentCall{sent.request, styles[static_cast<int>(sent.style)], sent.callbackChannel,
                                 sent.timeout});
        EXPECT_TRUE(sent.style != mgmtdesc::CallStyle::SyncWithTimeout || sent.callbackChannel.empty())
            << "time-out calls carry no callback channel";
        if (onCall) onCall();
    };
}

TestChannel& TestChannel::replyInt(const char* name, int value, Parameter::directions d) {
    reply.addIntParameter(name, value, d);
    return *this;
}

TestChannel& TestChannel::replyString(const char* name, const std::string& value, Parameter::directions d) {
    reply.addStringParameter(name, value, d);
    return *this;
}

TestChannel& TestChannel::replyBool(const char* name, bool value, Parameter::directions d) {
    reply.addBoolParameter(name, value, d);
    return *this;
}

void TestChannel::failWith(const std::string& text) {
    onCall = [text] { throw CorvexException(text); };
}

const SentCall& TestChannel::only() const {
    if (calls.size() != 1) {
        ADD_FAILURE() << "expected exactly one call, got " << calls.size();
        static const SentCall none{Method(), CallStyle::OneWay, "", 0};
        return calls.empty() ? none : calls.front();
    }
    return calls.front();
}

Param intParam(const char* name, int value, Parameter::directions d) {
    return Param{name, Parameter::INT, d, std::to_string(value)};
}

Param stringParam(const char* name, const std::string& value, Parameter::directions d) {
    return Param{name, Parameter::STRING, d, value};
}

Param boolParam(const char* name, bool value, Parameter::directions d) {
    return Param{name, Parameter::BOOL, d, value ? "1" : "0"};
}

}  // namespace testing_support
