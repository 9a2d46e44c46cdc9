// What a benchmarked call runs against: a channel that answers like a
// transport with nothing behind it, a framework context, an observer agent
// and the log switches. Proxy and floor always share one rig.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Framework.h"
#include "LocalMgmtIfc.h"

namespace bench {

// A transport's work without the wire: synchronous calls get their reply
// decoded afresh, parameter by parameter, from the canned values; the request
// is left to the caller.
class BenchChannel : public ProxyRequest {
public:
    BenchChannel& replyInt(const char* name, int value, Parameter::directions d = Parameter::OUT);
    BenchChannel& replyBool(const char* name, bool value, Parameter::directions d = Parameter::OUT);
    BenchChannel& replyString(const char* name, std::string value, Parameter::directions d = Parameter::OUT);

    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) override;
    bool asynchronousCall(Method& request) override;
    bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel) override;

    // While on, every call is written down as text: how it went out and what
    // it carried. Off while timing.
    void transcribe(bool on) { transcribing_ = on; transcript_.clear(); }
    const std::string& transcript() const { return transcript_; }

private:
    struct Canned {
        const char* name;
        Parameter::kinds kind;
        Parameter::directions direction;
        int number;
        std::string text;
    };
    void decodeInto(Method& reply) const;
    void note(const char* style, const Method& request, const std::string& callbackChannel, int timeout);

    std::vector<Canned> reply_;
    bool transcribing_ = false;
    std::string transcript_;
};

// An observer the framework knows a channel for.
class BenchAgent : public MgmtAgentIfc, public Executable {
public:
    void init(Context&) override {}
    void shutdown() override {}
};

class BenchContext : public FrameworkContext {
public:
    std::string findChannel(Executable* object) override;
    Service* findRealService(const std::string& serviceName, const std::string& instance) override;

    Executable* agent = nullptr;
    Service* service = nullptr;  // the in-process service, when there is one
};

// The log switches for one benchmark: every level off, or only level 5 on;
// records go nowhere. Restores the defaults when it goes.
class LogLevels {
public:
    explicit LogLevels(bool level5);
    ~LogLevels();
    LogLevels(const LogLevels&) = delete;
    LogLevels& operator=(const LogLevels&) = delete;
};

// The local management service living in this process. Made in its own
// translation unit so that calls on it stay virtual.
std::unique_ptr<Service> makeInProcessService();

}  // namespace bench
