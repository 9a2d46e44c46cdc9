#include "TestChannel.h"

#include <gtest/gtest.h>

namespace testing_support {

TestChannel::TestChannel(std::string serviceName)
    : RecordingChannel(std::move(serviceName)), reply(answerOthers().method()) {
    RecordingChannel::onCall = [this](const SentRequest&) {
        if (onCall) onCall();
    };
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

}  // namespace testing_support
