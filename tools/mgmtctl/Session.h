// One session against the simulated telephone: the three proxies made by the
// library's factories and bound to one SimulatedPhone, so that state carries
// from call to call, and everything a call produces captured as events.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Agents.h"
#include "Catalogue.h"
#include "Events.h"
#include "testing/ProxyLibrary.h"
#include "testing/SimulatedPhone.h"

namespace mgmtctl {

using mgmtkit::kActionEventFactory;
using mgmtkit::kLocalMgmtFactory;
using mgmtkit::kLocationFactory;
using mgmtkit::LibraryError;
using mgmtkit::ProxyLibrary;

class StdoutCapture;
class RelayChannel;

// A service elsewhere that a session's proxies call instead of the simulated
// telephone in this process.
class RemoteService {
public:
    virtual ~RemoteService() = default;
    virtual ProxyRequest& channel() = 0;
    virtual void fail(const std::string& remoteName, const std::string& text) = 0;
    virtual void restore(const std::string& remoteName) = 0;
    virtual std::string state() = 0;
};

class Session {
public:
    // The library must outlive the session. Throws LibraryError when a
    // factory's object lacks its interface.
    explicit Session(const ProxyLibrary& library, RemoteService* remote = nullptr);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Records of levels up to `level` are switched on, the others off. Level-2
    // records are written whatever the switches say.
    void setLogLevel(int level);

    // Throws ArgumentError, naming the closest ones, unless the service
    // answers a remote method of that name.
    void checkRemote(const std::string& remoteName) const;
    // The service fails every call of that remote method from now on, or
    // answers it again; an unknown name throws as checkRemote does.
    void failRemote(const std::string& remoteName, const std::string& text);
    void restoreRemote(const std::string& remoteName);

    // The simulated telephone's state, one "key: value" line each.
    std::string state() const { return remote_ != nullptr ? remote_->state() : phone_.describeState(); }

    // The operation's arguments from their texts; throws ArgumentError.
    std::vector<Argument> bind(const Operation& operation, const std::vector<std::string>& texts);

    // Calls the operation through its interface, capturing what happens.
    CallOutcome perform(const Operation& operation, std::vector<Argument>& arguments, int line = 0);

    mgmtkit::SimulatedPhone& phone() { return phone_; }

private:
    void record(Event event);
    void takePrinted();

    mgmtkit::SimulatedContext context_;
    mgmtkit::SimulatedPhone phone_;
    RemoteService* remote_ = nullptr;
    std::unique_ptr<RelayChannel> relay_;  // to the remote service, when there is one
    Agents agents_;
    std::unique_ptr<Proxy> localProxy_;
    std::unique_ptr<Proxy> actionProxy_;
    std::unique_ptr<Proxy> locationProxy_;
    LocalMgmtIfc* local_ = nullptr;
    ActionEventRequestIfc* actions_ = nullptr;
    LocationDeliveryRequestIfc* location_ = nullptr;

    std::vector<Event> events_;         // of the call under way
    StdoutCapture* capture_ = nullptr;  // during a call only
};

}  // namespace mgmtctl
