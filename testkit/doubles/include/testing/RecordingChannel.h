/// \file
/// The recording channel: every request the proxies send, with scripted replies.
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

/// One request as a RecordingChannel saw it.
struct SentRequest {
    Method request;               ///< The request, every parameter with its name, kind, direction and value.
    mgmtdesc::CallStyle style;    ///< Which channel operation carried it.
    std::string callbackChannel;  ///< The observer's channel it carried; empty for none.
    int timeout = 0;              ///< Only for SyncWithTimeout.

    /// The remote method called.
    const std::string& remote() const { return request.name(); }
};

/// The reply one remote name gets, built up a value at a time:
/// `channel.answer("uploadUserFile").out("result", 0)`.
class ScriptedReply {
public:
    /// Adds an int OUT value.
    ScriptedReply& out(const char* name, int value);
    /// Adds a bool OUT value.
    ScriptedReply& out(const char* name, bool value);
    /// Adds a string OUT value.
    ScriptedReply& out(const char* name, const std::string& value);
    /// Adds a string OUT value. Without it a literal would travel as a bool.
    ScriptedReply& out(const char* name, const char* value) { return out(name, std::string(value)); }
    /// Adds a string INOUT value.
    ScriptedReply& inout(const char* name, const std::string& value);

    /// The reply as built so far.
    Method& method() { return reply_; }
    /// The reply as built so far.
    const Method& method() const { return reply_; }

private:
    Method reply_;
};

/// A request channel that records every request the proxies send and answers
/// as the test scripts. For unit tests of code that holds proxies: it records
/// each request with its call style, callback channel and time-out, answers
/// synchronous calls with the reply scripted for that remote name (answer(),
/// answerOthers()), and takes the faults of FaultScript (fail(), failNext(),
/// answerLate(), answerMalformed()) as the simulated telephone does. Unlike the simulated telephone it keeps no state and checks no
/// request against the service description: it answers what it is told to.
/// Its framework context is a SimulatedContext of its own, so observers
/// get a callback channel ("agent-1", ...) unless a test sets another
/// context. Not guarded: give each thread a channel of its own.
///
/// \code
/// mgmtkit::RecordingChannel channel;
/// std::unique_ptr<Proxy> proxy{createLocalMgmtProxy()};
/// LocalMgmtIfc* service = mgmtkit::bindProxy<LocalMgmtIfc>(*proxy, channel);
/// channel.answer("uploadUserFile").out("result", 0);
///
/// EXPECT_EQ(service->uploadUserFile(LocalMgmtIfc::FILETYPE_RINGER, "a.wav"), 0);
/// EXPECT_THAT(channel.requests(),
///             Contains(Request("uploadUserFile", Param("filetype", 11), Param("filename", "a.wav"))));
/// \endcode
class RecordingChannel : public ProxyRequest, public FaultScript {
public:
    /// A channel to the service `serviceName`, with nothing scripted.
    explicit RecordingChannel(std::string serviceName = "LocalMgmtService");

    /// The reply every synchronous call of `remote` (a remote method, or an
    /// operation that sends one) gets from now on; empty until built up.
    /// Throws std::invalid_argument for any other name.
    ScriptedReply& answer(const std::string& remote);
    /// The reply for remote names without one of their own; empty at first.
    ScriptedReply& answerOthers();
    /// Makes a synchronous call of a remote method with no reply scripted
    /// (answer(), answerOthers(), or a fault) fail the test, printing the
    /// request; it is still answered with an empty reply.
    void setStrict(bool strict = true) { strict_ = strict; }
    /// Runs at every call after it is recorded and before it is answered; throw
    /// from it to fail the call with any exception.
    std::function<void(const SentRequest&)> onCall;
    /// The framework context the channel starts with.
    SimulatedContext& context() { return context_; }

    /// Every request sent, in order.
    const std::vector<SentRequest>& requests() const { return requests_; }
    /// The requests of one remote method (by that name only), in order.
    std::vector<SentRequest> requestsTo(const std::string& remote) const;
    /// The options set with setProxyOption(), in order.
    const std::vector<int>& options() const { return options_; }
    /// Forgets the requests recorded so far.
    void clearRequests() { requests_.clear(); }

    /// Records the request and answers it with its scripted reply, or with
    /// its scripted fault.
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel) override;
    /// As the call without `timeout`, which is recorded too.
    bool synchronousCall(Method& request, Method& reply, std::string& callbackChannel, int timeout) override;
    /// Records the request; a scripted failure is thrown as for any call.
    bool asynchronousCall(Method& request) override;
    /// As asynchronousCall(), with the observer's `callbackChannel`.
    bool asynchronousCallWithChannel(Method& request, std::string& callbackChannel) override;
    /// Records the option (options()) and returns true.
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
