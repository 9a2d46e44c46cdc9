/// \file
/// The faults a test scripts on the channel its proxies call.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "Framework.h"
#include "description/ServiceDescription.h"
#include "testing/Clock.h"

namespace mgmtkit {

/// The faults a test scripts, per remote method, on the channel its proxies
/// call. The simulated telephone and the recording channel both take them, by
/// the same names. A fault is named by its remote method or by an operation
/// that sends it ("observeManageableData" scripts "observeData"); any other
/// name throws std::invalid_argument. Each fault replaces the one before on
/// that method. Any thread may script.
///
/// \code
/// phone.fail("getListOfFilesOfType", "link down");  // every call, until restored
/// phone.failNext("uploadUserFile", 2);               // the next two calls
/// phone.answerLate("getFileTypeNameLimit", std::chrono::seconds(30));
/// phone.restoreAll();
/// \endcode
class FaultScript {
public:
    /// One scripted fault, as faults() lists it and script() takes it.
    struct Fault {
        /// What a fault does: Fail throws, Late answers late, Malformed spoils
        /// the answer's values.
        enum Kind { Fail, Late, Malformed } kind;  ///< What this fault does.
        std::string text;                    ///< Fail: the exception's text; Malformed: the values'.
        int remaining = -1;                  ///< Fail: calls left to fail; -1 for every call.
        std::chrono::milliseconds delay{0};  ///< Late: how much later the answer comes.
    };

    /// Every call of that method throws CorvexException(text).
    void fail(const std::string& name, const std::string& text);
    /// The next `calls` calls throw CorvexException(text), then the method
    /// answers again. Throws std::invalid_argument for no positive number of calls.
    void failNext(const std::string& name, int calls, const std::string& text = "simulated failure");
    /// Synchronous calls are answered `delay` later by the clock. A call whose
    /// time-out (its own, else the default one) is shorter waits that long and
    /// fails with "REMOTE: no answer within N ms". One-way calls are not delayed.
    void answerLate(const std::string& name, std::chrono::milliseconds delay);
    /// The reply carries every value the method answers as a string `text`,
    /// with its name and direction: a number or flag of the wrong kind, an
    /// object text that does not parse. The call itself succeeds.
    void answerMalformed(const std::string& name, const std::string& text = "[malformed");
    /// Answers that method again.
    void restore(const std::string& name);
    /// Answers every method again.
    void restoreAll();
    /// Any fault, as faults() lists it.
    void script(const std::string& name, Fault fault);
    /// The faults scripted now, by remote method.
    std::map<std::string, Fault> faults() const;

    /// The remote method `name` names: itself, or the one the operation of
    /// that name sends. Throws std::invalid_argument for any other name.
    static std::string remoteNamed(const std::string& name);

    /// The clock late answers wait by: Clock::real() unless a test hands
    /// another (a FakeClock), which must outlive the channel's use.
    void useClock(Clock& clock);
    /// The clock late answers wait by.
    Clock& clock() const;
    /// Synchronous calls without a time-out of their own give up after this
    /// long; zero, the default, waits as long as the answer takes. The bus
    /// gives such calls 25 s.
    void setDefaultTimeout(std::chrono::milliseconds timeout);

protected:
    /// A part of a channel, never one on its own.
    ~FaultScript() = default;

    /// For the channel that has the script: `answer` fills in the reply of one
    /// call, with that call's scripted fault applied around it: waited for,
    /// failed with CorvexException, or spoilt.
    void answerScripted(const Method& request, mgmtdesc::CallStyle style, int timeout, Method& reply,
                        const std::function<void(Method&)>& answer);

private:
    // The fault for this call, counted down; none when the method has none.
    bool take(const std::string& remote, Fault& fault);

    mutable std::mutex mutex_;
    std::map<std::string, Fault> faults_;
    Clock* clock_ = &Clock::real();
    std::chrono::milliseconds defaultTimeout_{0};
};

}  // namespace mgmtkit
