// A request channel for unit tests of code that holds proxies: it records
// every request the proxies send (with its call style, callback channel and
// time-out), answers synchronous calls with the reply scripted for that remote
// name, and fails the remote names it is told to fail. Not guarded: give each
// thread a channel of its own.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Framework.h"
#include "description/ServiceDescription.h"

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

class RecordingChannel : public ProxyRequest {
public:
    explicit RecordingChannel(std::string serviceName = "LocalMgmtService");

    // The reply every synchronous call of `remote` gets from now on.
    ScriptedReply& answer(const std::string& remote);
    // The reply for remote names without one of their own; empty at first.
    ScriptedReply& answerOthers() { return others_; }
    // Every call of `remote`, one-way ones too, throws CorvexException(text)
    // after it is recorded, until restore(remote).
    void fail(const std::string& remote, const std::string& text);
    void restore(const std::string& remote);
    // Runs at every call after it is recorded and before it is answered; throw
    // from it to fail the call with any exception.
    std::function<void(const SentRequest&)> onCall;

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
    void record(const Method& request, mgmtdesc::CallStyle style, const std::string& callbackChannel, int timeout);
    const Method& replyFor(const std::string& remote) const;

    std::vector<SentRequest> requests_;
    std::vector<int> options_;
    std::map<std::string, ScriptedReply> replies_;
    ScriptedReply others_;
    std::map<std::string, std::string> failures_;
};

}  // namespace mgmtkit
