#include "BenchRig.h"

#include <string>
#include <utility>

namespace bench {

BenchChannel& BenchChannel::replyInt(const char* name, int value, Parameter::directions d) {
    reply_.push_back(Canned{name, Parameter::INT, d, value, {}});
    return *this;
}

BenchChannel& BenchChannel::replyBool(const char* name, bool value, Parameter::directions d) {
    reply_.push_back(Canned{name, Parameter::BOOL, d, value ? 1 : 0, {}});
    return *this;
}

BenchChannel& BenchChannel::replyString(const char* name, std::string value, Parameter::directions d) {
    reply_.push_back(Canned{name, Parameter::STRING, d, 0, std::move(value)});
    return *this;
}

void BenchChannel::decodeInto(Method& reply) const {
    for (const Canned& value : reply_) {
        switch (value.kind) {
            case Parameter::INT: reply.addIntParameter(value.name, value.number, value.direction); break;
            case Parameter::BOOL: reply.addBoolParameter(value.name, value.number != 0, value.direction); break;
            case Parameter::STRING: reply.addStringParameter(value.name, value.text, value.direction); break;
        }
    }
}

void BenchChannel::note(const char* style, const Method& request, const std::string& callbackChannel,
                        int timeout) {
    transcript_ += std::string(style) + " " + request.name() + " channel=" + callbackChannel +
                   " timeout=" + std::to_string(timeout);
    for (const Parameter& p : request.parameters()) {
        transcript_ += " " + p.name() + "/" + std::to_string(p.kind()) + "/" + std::to_string(p.direction()) + "=";
        if (p.kind() == Parameter::STRING)
            transcript_ += p.stringValue();
        else
            transcript_ += std::to_string(p.kind() == Parameter::INT ? p.intValue() : int{p.boolValue()});
    }
    transcript_ += '\n';
}

bool BenchChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel) {
    if (transcribing_) note("sync", request, callbackChannel, 0);
    decodeInto(reply);
    return true;
}

bool BenchChannel::synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) {
    if (transcribing_) note("sync", request, callbackChannel, timeout);
    decodeInto(reply);
    return true;
}

bool BenchChannel::asynchronousCall(Method& request) {
    if (transcribing_) note("one-way", request, std::string(), 0);
    return true;
}

bool BenchChannel::asynchronousCallWithChannel(Method& request, std::string& callbackChannel) {
    if (transcribing_) note("one-way", request, callbackChannel, 0);
    return true;
}

std::string BenchContext::findChannel(Executable* object) {
    return object != nullptr && object == agent ? "agent.7" : std::string();
}

Service* BenchContext::findRealService(const std::string&, const std::string&) { return service; }

namespace {
constexpr int kLevels = 16;
constexpr int kDefaultLevelsOn = 4;  // 0..3, as the logging library starts
}  // namespace

LogLevels::LogLevels(bool level5) {
    for (int level = 0; level < kLevels; ++level) setLogLevelEnabled(level, false);
    setLogLevelEnabled(5, level5);
    setLogSink([](const LogRecord&) {});
}

LogLevels::~LogLevels() {
    for (int level = 0; level < kLevels; ++level) setLogLevelEnabled(level, level < kDefaultLevelsOn);
    setLogSink({});
}

}  // namespace bench
