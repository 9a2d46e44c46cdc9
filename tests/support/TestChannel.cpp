#include "TestChannel.h"

#include <gtest/gtest.h>

#include <ostream>

namespace testing_support {

TestChannel& TestChannel::replyInt(const char* name, int value, Parameter::directions d) {
    reply.addIntParameter(name, value, d);
    return *this;
}
TestChannel& TestChannel::replyString(const char* name, const std::string& value,
                                      Parameter::directions d) {
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

void TestChannel::record(const Method& request, CallStyle style, const std::string& channel,
                         int timeout) {
    calls.push_back(SentCall{request, style, channel, timeout});
    if (onCall) onCall();
}

bool TestChannel::synchronousCall(Method& request, Method& out, std::string& callbackChannel) {
    record(request, CallStyle::Sync, callbackChannel, 0);
    out = reply;
    return true;
}

bool TestChannel::synchronousCall(Method& request, Method& out, std::string& callbackChannel,
                                  int timeout) {
    EXPECT_TRUE(callbackChannel.empty()) << "time-out calls carry no callback channel";
    record(request, CallStyle::SyncWithTimeout, callbackChannel, timeout);
    out = reply;
    return true;
}

bool TestChannel::asynchronousCall(Method& request) {
    record(request, CallStyle::OneWay, "", 0);
    return true;
}

bool TestChannel::asynchronousCallWithChannel(Method& request, std::string& callbackChannel) {
    record(request, CallStyle::OneWayWithChannel, callbackChannel, 0);
    return true;
}

bool TestChannel::setProxyOption(const int& option) {
    options.push_back(option);
    return true;
}

bool Param::operator==(const Param& other) const {
    return name == other.name && kind == other.kind && direction == other.direction &&
           value == other.value;
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

std::vector<Param> paramsOf(const Method& method) {
    std::vector<Param> params;
    for (const Parameter& p : method.parameters()) {
        switch (p.kind()) {
            case Parameter::INT: params.push_back(intParam(p.name().c_str(), p.intValue(), p.direction())); break;
            case Parameter::STRING: params.push_back(stringParam(p.name().c_str(), p.stringValue(), p.direction())); break;
            case Parameter::BOOL: params.push_back(boolParam(p.name().c_str(), p.boolValue(), p.direction())); break;
        }
    }
    return params;
}

std::ostream& operator<<(std::ostream& out, const Param& param) {
    static const char* const kinds[] = {"int", "string", "bool"};
    static const char* const directions[] = {"IN", "OUT", "INOUT"};
    return out << '"' << param.name << "\" " << kinds[param.kind] << ' '
               << directions[param.direction] << " = \"" << param.value << '"';
}

}  // namespace testing_support
