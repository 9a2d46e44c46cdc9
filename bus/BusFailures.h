/// \file
/// What a call through a bus channel can fail with, one class per kind, so
/// client code can branch on the kind instead of on the text. Each is a
/// CorvexException, so a proxy's failure pattern handles it as any other.
///
/// The texts leave out the remote method: the pattern records put the
/// operation's name in front of them ("uploadUserFile: service
/// mgmt.LocalMgmtService went away before answering"); remote() has it.
///
/// Operations whose failure pattern passes the exception on (the one-way
/// ones, for instance) let client code tell the kinds apart:
///
/// \code
/// try {
///     actions->addActionEventRequest(type);
/// } catch (const mgmtbus::ServiceAbsent&) {
///     // the service is not there (yet): queue the event
/// } catch (const mgmtbus::BusCallFailed& failure) {
///     report(failure.remote(), failure.what());
/// }
/// \endcode
#pragma once

#include <string>

#include "Framework.h"

namespace mgmtbus {

/// Every failure of a call through a BusChannel. Thrown as such for what fits
/// no kind below: the channel's own bus connection lost ("the bus connection
/// is lost"), an answer that does not read as one ("the reply names N of its M
/// values"), an error the bus gives for a service of another version (the
/// error's name and message).
class BusCallFailed : public CorvexException {
public:
    /// A failure with `text` of a call of `remote` to the service at `busName`.
    BusCallFailed(const std::string& text, std::string remote, std::string busName);
    ~BusCallFailed() override;

    /// The remote method called.
    const std::string& remote() const { return remote_; }
    /// The service's bus name.
    const std::string& busName() const { return busName_; }

private:
    std::string remote_;
    std::string busName_;
};

/// The service failed the call: its own text, as in process.
class ServiceFailed : public BusCallFailed {
public:
    /// The service failed the call of `remote` with `text`.
    ServiceFailed(const std::string& text, std::string remote, std::string busName);
    ~ServiceFailed() override;
};

/// "service NAME is not on the bus": nobody owns the name. One-way calls too
/// throw it, when the channel knows the service to be away.
class ServiceAbsent : public BusCallFailed {
public:
    /// Nobody owns `busName`, so the call of `remote` went nowhere.
    ServiceAbsent(std::string remote, std::string busName);
    ~ServiceAbsent() override;
};

/// "service NAME went away before answering": it ended or lost its name with
/// the call unanswered.
class ServiceWentAway : public BusCallFailed {
public:
    /// The service at `busName` went away with the call of `remote` unanswered.
    ServiceWentAway(std::string remote, std::string busName);
    ~ServiceWentAway() override;
};

/// "no answer from service NAME within N ms": the call's time-out passed.
class ServiceTimedOut : public BusCallFailed {
public:
    /// No answer to the call of `remote` came within `milliseconds`.
    ServiceTimedOut(std::string remote, std::string busName, int milliseconds);
    ~ServiceTimedOut() override;

    /// The time-out that passed, in ms.
    int milliseconds() const { return milliseconds_; }

private:
    int milliseconds_;
};

}  // namespace mgmtbus
