// The control interface of a served management service,
// mgmt.LocalMgmtService.Control, for people and for tests in any language:
//
//   Fail(s remote, s text)    every call of that remote method fails with `text`
//   Restore(s remote)         answered again: its failure and its delay removed
//   Delay(s remote, u ms)     its answers are held back that long (0: not)
//   GetCalls() -> s calls     every exchange since the start or the last
//                             ClearCalls, as JSON
//   ClearCalls()
//   Reset()                   a fresh service: starting state, no failures or
//                             delays, no observers, no calls recorded
//   State() -> s state        the whole state as one JSON document
//   SetState(s state)         the state a document describes
//
// A remote method is named by itself or by an operation that sends it. What
// the service refuses (an unknown name, a document that does not fit) is the
// error mgmt.Error.Failed with the reason.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "Framework.h"

namespace sdbus {
class IObject;
}  // namespace sdbus

namespace mgmtbus {

// What the control interface drives, beside the delays it keeps itself. The
// JSON documents pass through unread. Each member throws CorvexException to
// refuse.
class ServiceControl {
public:
    virtual ~ServiceControl() = default;
    virtual void fail(const std::string& remote, const std::string& text) = 0;
    virtual void restore(const std::string& remote) = 0;
    virtual std::string calls() = 0;
    virtual void clearCalls() = 0;
    virtual void reset() = 0;
    virtual std::string state() = 0;
    virtual void setState(const std::string& document) = 0;
};

class BusControl {
public:
    // Exports the interface on `object`, whose registration the caller
    // finishes. Without `backend` only Delay and Restore work; the others
    // say the service takes no such requests.
    BusControl(sdbus::IObject& object, ServiceControl* backend);

    // How long the answer to that remote method is held back, in ms; 0: not.
    unsigned delayOf(const std::string& remote);

private:
    ServiceControl& control();
    void delay(const std::string& remote, unsigned milliseconds);

    ServiceControl* control_;
    std::mutex mutex_;
    std::map<std::string, unsigned> delays_;
};

}  // namespace mgmtbus
