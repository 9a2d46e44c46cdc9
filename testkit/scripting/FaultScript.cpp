#include "testing/FaultScript.h"

#include <stdexcept>
#include <utility>

namespace mgmtkit {

namespace {

// Every value of the answer as a string carrying `text`, under the same name and direction.
Method malformed(const Method& answered, const std::string& text) {
    Method reply;
    for (const Parameter& parameter : answered.parameters())
        reply.addStringParameter(parameter.name().c_str(), text, parameter.direction());
    return reply;
}

}  // namespace

std::string FaultScript::remoteNamed(const std::string& name) {
    if (const char* remote = mgmtdesc::remoteMethodNamed(name)) return remote;
    throw std::invalid_argument("no remote method or operation is named " + name +
                                "; `mgmtctl list` shows each operation with the remote method it sends");
}

void FaultScript::script(const std::string& name, Fault fault) {
    const std::string remote = remoteNamed(name);
    if (fault.kind == Fault::Fail && fault.remaining == 0)
        throw std::invalid_argument("a failure of " + remote + " needs a positive number of calls");
    const std::lock_guard<std::mutex> lock(mutex_);
    faults_[remote] = std::move(fault);
}

void FaultScript::fail(const std::string& name, const std::string& text) { script(name, Fault{Fault::Fail, text}); }

void FaultScript::failNext(const std::string& name, int calls, const std::string& text) {
    if (calls <= 0) throw std::invalid_argument("failNext needs a positive number of calls");
    script(name, Fault{Fault::Fail, text, calls});
}

void FaultScript::answerLate(const std::string& name, std::chrono::milliseconds delay) {
    script(name, Fault{Fault::Late, std::string(), -1, delay});
}

void FaultScript::answerMalformed(const std::string& name, const std::string& text) {
    script(name, Fault{Fault::Malformed, text});
}

void FaultScript::restore(const std::string& name) {
    const std::string remote = remoteNamed(name);
    const std::lock_guard<std::mutex> lock(mutex_);
    faults_.erase(remote);
}

void FaultScript::restoreAll() {
    const std::lock_guard<std::mutex> lock(mutex_);
    faults_.clear();
}

std::map<std::string, FaultScript::Fault> FaultScript::faults() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return faults_;
}

void FaultScript::useClock(Clock& clock) {
    const std::lock_guard<std::mutex> lock(mutex_);
    clock_ = &clock;
}

Clock& FaultScript::clock() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return *clock_;
}

void FaultScript::setDefaultTimeout(std::chrono::milliseconds timeout) {
    const std::lock_guard<std::mutex> lock(mutex_);
    defaultTimeout_ = timeout;
}

bool FaultScript::take(const std::string& remote, Fault& fault) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = faults_.find(remote);
    if (found == faults_.end()) return false;
    fault = found->second;
    if (found->second.remaining > 0 && --found->second.remaining == 0) faults_.erase(found);
    return true;
}

void FaultScript::answerScripted(const Method& request, mgmtdesc::CallStyle style, int timeout, Method& reply,
                                 const std::function<void(Method&)>& answer) {
    Fault fault{Fault::Malformed, {}};
    if (!take(request.name(), fault)) return answer(reply);
    if (fault.kind == Fault::Late && !mgmtdesc::isOneWay(style)) {
        std::chrono::milliseconds limit(timeout);
        if (style != mgmtdesc::CallStyle::SyncWithTimeout) {
            const std::lock_guard<std::mutex> lock(mutex_);
            limit = defaultTimeout_;
        }
        if (limit.count() > 0 && fault.delay > limit) {
            clock().sleepFor(limit);
            throw CorvexException(request.name() + ": no answer within " + std::to_string(limit.count()) + " ms");
        }
        clock().sleepFor(fault.delay);
    }
    if (fault.kind == Fault::Fail) throw CorvexException(fault.text);
    answer(reply);
    if (fault.kind == Fault::Malformed) reply = malformed(reply, fault.text);
}

}  // namespace mgmtkit
