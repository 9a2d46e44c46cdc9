#include "TestChannel.h"

#include <gtest/gtest.h>

namespace testing_support {

TestChannel::TestChannel(std::string serviceName)
    : RecordingChannel(std::move(serviceName)), reply(answerOthers().method()) {
    RecordingChannel::onCall = [this](const SentRequest&) {
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

const SentRequest& TestChannel::only() const {
    if (requests().size() != 1) {
        ADD_FAILURE() << "expected exactly one request, got " << requests().size();
        static const SentRequest none{Method(), CallStyle::OneWay, "", 0};
        return requests().empty() ? none : requests().front();
    }
    return requests().front();
}

Param intParam(const char* name, int value, Parameter::directions d) {
    return Param{name, Parameter::INT, d, std::to_string(value)};
}

}  // namespace testing_support
