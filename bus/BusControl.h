/// \file
/// The control interface of a served management service, for people and for
/// tests in any language: `mgmt.LocalMgmtService.Control` (kControlInterface).
///
/// | D-Bus method | Does |
/// |---|---|
/// | `Fail(s remote, s text)` | every call of that remote method fails with `text` |
/// | `Restore(s remote)` | answered again: its failure and its delay removed |
/// | `Delay(s remote, u ms)` | its answers are held back that long (0: not) |
/// | `GetCalls() -> s calls` | every exchange since the start or the last `ClearCalls`, as JSON |
/// | `ClearCalls()` | empties the call record |
/// | `Reset()` | a fresh service: starting state, no failures or delays, no observers, no calls recorded |
/// | `State() -> s state` | the whole state as one JSON document |
/// | `SetState(s state)` | the state a document describes |
///
/// A remote method is named by itself or by an operation that sends it. What
/// the service refuses (an unknown name, a document that does not fit) is the
/// error `mgmt.Error.Failed` (kFailedError) with the reason.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "Framework.h"

namespace sdbus {
class IObject;
}  // namespace sdbus

namespace mgmtbus {

/// What the control interface drives, beside the delays it keeps itself: a
/// service's backend implements it and hands it to BusService through
/// BusServiceHooks::control. The JSON documents pass through unread. Each
/// member throws CorvexException to refuse; its text reaches the caller as the
/// error's reason. `remote` is as the caller named it: a remote method, or an
/// operation that sends one.
/// A request it refuses, such as an unknown remote method or a state document
/// that does not fit, throws CorvexException or std::invalid_argument; the
/// caller gets a bus error with its text.
class ServiceControl {
public:
    /// Destroyed through this base by its owner.
    virtual ~ServiceControl() = default;
    /// `Fail`: every call of `remote` fails with `text` from now on.
    virtual void fail(const std::string& remote, const std::string& text) = 0;
    /// `Restore`: `remote` is answered again.
    virtual void restore(const std::string& remote) = 0;
    /// `GetCalls`: the call record as a JSON document.
    virtual std::string calls() = 0;
    /// `ClearCalls`: empties the call record.
    virtual void clearCalls() = 0;
    /// `Reset`: a fresh service, its starting state, no failures, no
    /// observers, no calls recorded.
    virtual void reset() = 0;
    /// `State`: the whole state as a JSON document.
    virtual std::string state() = 0;
    /// `SetState`: the state `document` describes.
    virtual void setState(const std::string& document) = 0;
};

/// The control interface on one object of a service: it keeps the delays
/// itself and hands the rest to a ServiceControl. BusService sets it up;
/// client code has no use for it.
class BusControl {
public:
    /// Exports the interface on `object`, whose registration the caller
    /// finishes. Without `backend` only Delay and Restore work; the others
    /// say the service takes no such requests.
    BusControl(sdbus::IObject& object, ServiceControl* backend);

    /// How long the answer to that remote method is held back, in ms; 0: not.
    unsigned delayOf(const std::string& remote);

private:
    ServiceControl& control();
    void delay(const std::string& remote, unsigned milliseconds);

    ServiceControl* control_;
    std::mutex mutex_;
    std::map<std::string, unsigned> delays_;
};

}  // namespace mgmtbus
