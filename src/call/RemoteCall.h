// One operation turned into one remote call. An operation reads like the row
// that describes it:
//
//     int result = -1;
//     RemoteCall(proxyReq, "uploadUserFile")
//         .in("filetype", fileType)
//         .in("filename", filename)
//         .onFailure(MGMT_ERROR_RECORD("uploadUserFile: %s\n"))
//         .send()
//         .out("result", result);
//     return result;
//
// The request is built eagerly, parameter by parameter, so anything thrown
// while building reaches the caller whatever the failure pattern. The guarded
// region starts at the send and covers every reply read after it: the first
// CorvexException there goes to the failure handler once and the remaining
// reads are skipped. Nothing but CorvexException is caught, and without
// onFailure nothing at all. Request and reply are temporaries of the
// statement, so they are released on every exit.
//
// The call patterns, as the operations spell them:
//   A  .post()                                   one-way
//   B  .post(callbackChannel)                    one-way with callback channel
//   C  .send(...).out(...)                       synchronous, failures pass through
//   D  .onFailure(MGMT_TIMEOUT_RECORD(text))     synchronous, level-3 record
//   E  .onFailure(MGMT_ERROR_RECORD(format))     synchronous, level-2 record
//   F  .onFailure(rebootInstead(result, report)) synchronous, local reboot
#pragma once

#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

#include "Framework.h"

namespace mgmt {

// Synchronous calls without onFailure: every exception passes to the caller.
struct Unguarded {};

// The reply of a synchronous call and the reads made from it, in order.
template <class OnFailure>
class Reply {
public:
    template <class Exchange>
    Reply(OnFailure onFailure, Exchange&& exchange) : onFailure_(std::move(onFailure)) {
        step([&] { exchange(reply_); });
    }
    Reply(const Reply&) = delete;
    Reply& operator=(const Reply&) = delete;

    Reply& out(const char* name, int& value) { return read(name, value, Parameter::OUT); }
    Reply& out(const char* name, bool& value) { return read(name, value, Parameter::OUT); }
    Reply& out(const char* name, std::string& value) { return read(name, value, Parameter::OUT); }
    Reply& inout(const char* name, int& value) { return read(name, value, Parameter::INOUT); }
    Reply& inout(const char* name, bool& value) { return read(name, value, Parameter::INOUT); }
    Reply& inout(const char* name, std::string& value) { return read(name, value, Parameter::INOUT); }

    // Post-processing that belongs inside the guarded region (refilling an
    // object, checking an acknowledge, turning a string back into a list).
    template <class Handle>
    Reply& then(Handle&& handle) {
        return step([&] { handle(reply_); });
    }

private:
    template <class Value>
    Reply& read(const char* name, Value& value, Parameter::directions direction) {
        return step([&] { get(name, value, direction); });
    }
    void get(const char* name, int& value, Parameter::directions d) { reply_.getIntParameter(name, value, d); }
    void get(const char* name, bool& value, Parameter::directions d) { reply_.getBoolParameter(name, value, d); }
    void get(const char* name, std::string& value, Parameter::directions d) {
        reply_.getStringParameter(name, value, d);
    }

    template <class Work>
    Reply& step(Work&& work) {
        if (failed_) return *this;
        if constexpr (std::is_same_v<OnFailure, Unguarded>) {
            work();
        } else {
            try {
                work();
            } catch (const CorvexException& failure) {
                failed_ = true;
                onFailure_(failure);
            }
        }
        return *this;
    }

    Method reply_;
    OnFailure onFailure_;
    bool failed_ = false;
};

class RemoteCall;

// The channel of a proxy that `operation` is about to use. A proxy that
// initProxy never bound is the caller's error, reported as one, naming the
// operation, before anything is built, sent or looked up.
[[noreturn, gnu::cold, gnu::noinline]] inline void calledBeforeInitProxy(const char* operation) {
    throw std::logic_error(std::string(operation) + " called before initProxy bound the proxy to a channel");
}
inline ProxyRequest& boundChannel(ProxyRequest* channel, const char* operation) {
    if (channel == nullptr) calledBeforeInitProxy(operation);
    return *channel;
}

// Integers and enumerations travel as int parameters.
template <class T>
constexpr bool isIntLike = (std::is_integral_v<T> && !std::is_same_v<T, bool>) || std::is_enum_v<T>;

// A call whose synchronous exchange is guarded by a failure handler.
template <class OnFailure>
class GuardedCall {
public:
    GuardedCall(RemoteCall& call, OnFailure onFailure) : call_(call), onFailure_(std::move(onFailure)) {}

    Reply<OnFailure> send();
    Reply<OnFailure> send(int timeout);
    Reply<OnFailure> send(std::string& callbackChannel);

private:
    RemoteCall& call_;
    OnFailure onFailure_;
};

class RemoteCall {
public:
    // `operation` only names the caller in the error of an unbound proxy; the
    // compiler fills it in where the call is made.
    RemoteCall(ProxyRequest* channel, const char* remoteName, const char* operation = __builtin_FUNCTION())
        : channel_(boundChannel(channel, operation)), request_(remoteName, Method::REQUEST) {}
    RemoteCall(const RemoteCall&) = delete;
    RemoteCall& operator=(const RemoteCall&) = delete;

    // Parameters, in the order the service expects them. The wire kind follows
    // the argument: string, bool, or int for integers and enumerations.
    RemoteCall& in(const char* name, const std::string& value) { return add(name, value, Parameter::IN); }
    RemoteCall& in(const char* name, bool value) { return add(name, value, Parameter::IN); }
    template <class Number, class = std::enable_if_t<isIntLike<Number>>>
    RemoteCall& in(const char* name, Number value) {
        return add(name, static_cast<int>(value), Parameter::IN);
    }
    RemoteCall& in(const char*, const char*) = delete;  // would silently travel as a bool

    RemoteCall& inout(const char* name, const std::string& value) {
        return add(name, value, Parameter::INOUT);
    }
    RemoteCall& inout(const char* name, bool value) { return add(name, value, Parameter::INOUT); }
    template <class Number, class = std::enable_if_t<isIntLike<Number>>>
    RemoteCall& inout(const char* name, Number value) {
        return add(name, static_cast<int>(value), Parameter::INOUT);
    }
    RemoteCall& inout(const char*, const char*) = delete;

    // One-way calls: nothing comes back and nothing is caught.
    void post() { channel_.asynchronousCall(request_); }
    void post(std::string& callbackChannel) { channel_.asynchronousCallWithChannel(request_, callbackChannel); }

    // Synchronous calls without a failure handler (pattern C).
    Reply<Unguarded> send() { return GuardedCall<Unguarded>(*this, {}).send(); }
    Reply<Unguarded> send(int timeout) { return GuardedCall<Unguarded>(*this, {}).send(timeout); }
    Reply<Unguarded> send(std::string& callbackChannel) {
        return GuardedCall<Unguarded>(*this, {}).send(callbackChannel);
    }

    template <class OnFailure>
    GuardedCall<OnFailure> onFailure(OnFailure handler) {
        return GuardedCall<OnFailure>(*this, std::move(handler));
    }

private:
    template <class>
    friend class GuardedCall;

    RemoteCall& add(const char* name, const std::string& value, Parameter::directions direction) {
        request_.addStringParameter(name, value, direction);
        return *this;
    }
    RemoteCall& add(const char* name, bool value, Parameter::directions direction) {
        request_.addBoolParameter(name, value, direction);
        return *this;
    }
    RemoteCall& add(const char* name, int value, Parameter::directions direction) {
        request_.addIntParameter(name, value, direction);
        return *this;
    }

    ProxyRequest& channel_;
    Method request_;
};

template <class OnFailure>
Reply<OnFailure> GuardedCall<OnFailure>::send() {
    return Reply<OnFailure>(onFailure_, [this](Method& reply) {
        std::string noCallbackChannel;
        call_.channel_.synchronousCall(call_.request_, reply, noCallbackChannel);
    });
}

template <class OnFailure>
Reply<OnFailure> GuardedCall<OnFailure>::send(int timeout) {
    return Reply<OnFailure>(onFailure_, [this, timeout](Method& reply) {
        std::string noCallbackChannel;
        call_.channel_.synchronousCall(call_.request_, reply, noCallbackChannel, timeout);
    });
}

template <class OnFailure>
Reply<OnFailure> GuardedCall<OnFailure>::send(std::string& callbackChannel) {
    return Reply<OnFailure>(onFailure_, [this, &callbackChannel](Method& reply) {
        call_.channel_.synchronousCall(call_.request_, reply, callbackChannel);
    });
}

// Pattern F: when the remote call fails the device is rebooted from here and
// the operation counts as done. `report` says why first.
template <class Report>
auto rebootInstead(bool& result, Report report) {
    return [&result, report](const CorvexException& failure) {
        report(failure);
        GPALAdmin::rebootDevice();
        result = true;
    };
}

}  // namespace mgmt
