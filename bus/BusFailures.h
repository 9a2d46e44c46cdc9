// What a call through a bus channel can fail with, one class per kind, so
// client code can branch on the kind instead of on the text. Each is a
// CorvexException, so a proxy's failure pattern handles it as any other.
//
// The texts leave out the remote method: the pattern records put the
// operation's name in front of them ("uploadUserFile: service
// mgmt.LocalMgmtService went away before answering"); remote() has it.
#pragma once

#include <string>

#include "Framework.h"

namespace mgmtbus {

// Every failure of a call through a BusChannel. Thrown as such for what fits
// no kind below: the channel's own bus connection lost, an answer that does
// not read as one, an error the bus gives for a service of another version.
class BusCallFailed : public CorvexException {
public:
    BusCallFailed(const std::string& text, std::string remote, std::string busName);
    ~BusCallFailed() override;

    const std::string& remote() const { return remote_; }    // the remote method called
    const std::string& busName() const { return busName_; }  // the service's bus name

private:
    std::string remote_;
    std::string busName_;
};

// The service failed the call: its own text, as in process.
class ServiceFailed : public BusCallFailed {
public:
    ServiceFailed(const std::string& text, std::string remote, std::string busName);
    ~ServiceFailed() override;
};

// "service NAME is not on the bus": nobody owns the name. One-way calls too
// throw it, when the channel knows the service to be away.
class ServiceAbsent : public BusCallFailed {
public:
    ServiceAbsent(std::string remote, std::string busName);
    ~ServiceAbsent() override;
};

// "service NAME went away before answering": it ended or lost its name with
// the call unanswered.
class ServiceWentAway : public BusCallFailed {
public:
    ServiceWentAway(std::string remote, std::string busName);
    ~ServiceWentAway() override;
};

// "no answer from service NAME within N ms".
class ServiceTimedOut : public BusCallFailed {
public:
    ServiceTimedOut(std::string remote, std::string busName, int milliseconds);
    ~ServiceTimedOut() override;

    int milliseconds() const { return milliseconds_; }

private:
    int milliseconds_;
};

}  // namespace mgmtbus
