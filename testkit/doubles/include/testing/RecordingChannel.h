// A request channel for unit tests of code that holds proxies: it records
// every request the proxies send (with its call style, callback channel and
// time-out), answers synchronous calls with the reply scripted for that remote
// name, and takes the faults of FaultScript.h as the simulated telephone
// does. Its framework context is a SimulatedContext of its own, so observers
// get a callback channel ("agent-1", ...) unless a test sets another
// context. Not guarded: give each thread a channel of its own.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Framework.h"
#include "description/ServiceDescription.h"
#include "testing/FaultScript.h"
#include "testing/SimulatedPhone.h"

namespace mgmtkit {

struct SentRequest {
    Method request;
    mgmtdesc::CallStyle style;
    std::string callbackChannel;
    int timeout = 0;  // only for SyncWithTimeout

    const std::string& remote() const { return request.name(); }
};

// The reply one remote name gets, built up a value at a time.
class ScriptedReply {
public:
    ScriptedReply& out(const char* name, int value);
    ScriptedReply& out(const char* name, bool value);
    ScriptedReply& out(const char* name, const std::string& value);
    // Without it a literal would travel as a bool.
    ScriptedReply& out(const char* name, const char* value) { return out(name, std::string(value)); }
    ScriptedReply& inout(const char* name, const std::string& value);

    Method& method() { return reply_; }
    const Method& method() const { return reply_; }

private:
    Method reply_;
};

class RecordingChannel : public ProxyRequest, public FaultScript {
public:
    explicit RecordingChannel(std::string serviceName = "LocalMgmtService");

    // The reply every synchronous call of `remote` (a remote method, or an
    // operation that sends one) gets from now on.
    ScriptedReply& answer(const std::string& remote);
    // The reply for remote names without one of their own; empty at first.
    ScriptedReply& answerOthers();
    // Strict: a synchronous call of a remote method with no reply scripted
    // (answer, answerOthers, or a fault) fails the test, printing the
    // request; it is answered with an empty reply, as otherwise.
    void setStrict(bool strict = true) { strict_ = strict; }
    // Runs at every call after it is recorded and before it is answered; throw
    // from it to fail the call with any exception.
    std::function<void(const SentRequest&)> onCall;
    // The framework context the channel starts with.
    SimulatedContext& context() { return context_; }

    const std::vector<SentRequest>& requests() const { return requests_; }
    std::vector<SentRequest> requestsTo(const std::string& remote) const;
    const std::vector<int>& options() const { return options_; }
    void clearRequests() { requests_.clear(); }

    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) override;
    bool asynchronousCall(Method& request) override;
    bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel) override;
    bool setProxyOption(const int& option) override;

private:
    // Records the call, then answers it as scripted; `reply` null for one-way calls.
    void serve(Method& request, mgmtdesc::CallStyle style, const std::string& callbackChannel, int timeout,
               Method* reply);
    const Method& replyFor(const Method& request) const;

    SimulatedContext context_;
    std::vector<SentRequest> requests_;
    std::vector<int> options_;
    std::map<std::string, ScriptedReply> replies_;
    ScriptedReply others_;
    bool othersScripted_ = false;
    bool strict_ = false;
};

}  // namespace mgmtkit
