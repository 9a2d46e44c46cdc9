// One session against a telephone: the three proxies made by the library's
// factories and bound to one simulated telephone in this process, or to a
// service elsewhere, so that state carries from call to call. Everything a
// call produces is captured as records, in the order it happened.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Agents.h"
#include "Arguments.h"
#include "Records.h"
#include "testing/ProxyLibrary.h"
#include "testing/SimulatedPhone.h"
#include "testing/StdoutCapture.h"

namespace mgmtctl {

// The framework's log levels run from 0 to this.
inline constexpr int kHighestLogLevel = 15;

using mgmtkit::LibraryError;
using mgmtkit::ProxyLibrary;

class RelayChannel;

// A service elsewhere that a session's proxies call instead of the simulated
// telephone in this process, and its control interface (bus/BusControl.h):
// the call record and the state as the same JSON documents the simulated
// telephone writes. Refusals throw ArgumentError.
class RemoteService {
public:
    virtual ~RemoteService() = default;
    virtual ProxyRequest& channel() = 0;
    // Returns once the agents have heard the callbacks of the calls answered so far.
    virtual void awaitCallbacks() = 0;
    virtual void fail(const std::string& remoteName, const std::string& text) = 0;
    virtual void restore(const std::string& remoteName) = 0;
    virtual std::string calls() = 0;
    virtual void clearCalls() = 0;
    virtual void reset() = 0;
    virtual std::string state() = 0;
    virtual void setState(const std::string& document) = 0;
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

    // The remote method a name stands for (itself, or the one an operation
    // sends); throws ArgumentError naming the closest ones.
    static std::string remoteNamed(const std::string& name);
    // The service fails every call of that remote method from now on, or
    // answers it again; an unknown name throws as remoteNamed does.
    void failRemote(const std::string& name, const std::string& text);
    void restoreRemote(const std::string& name);

    // The telephone's call record, its state, and setting it up, as the
    // simulated telephone's JSON documents; refusals throw ArgumentError.
    std::string calls() { return remote_ ? remote_->calls() : phone_.callsDocument(); }
    void clearCalls() { remote_ ? remote_->clearCalls() : phone_.clearCalls(); }
    void reset() { remote_ ? remote_->reset() : phone_.reset(); }
    std::string state() { return remote_ ? remote_->state() : phone_.stateDocument(); }
    void setState(const std::string& document);

    // The operation's arguments from their texts; throws ArgumentError.
    std::vector<ArgumentValue> bind(const mgmtdesc::Operation& operation, const std::vector<std::string>& texts) {
        return parseArguments(operation, texts, agents_);
    }

    // Calls the operation through its interface; `line` is the script's, 0
    // outside one. Returns the call; the log records, exchanges, callbacks,
    // printed lines and reboots; then the result, or the error record of the
    // exception that reached the caller.
    std::vector<Record> perform(const mgmtdesc::Operation& operation, std::vector<ArgumentValue>& arguments,
                                int line = 0);

private:
    ProxyRequest& channel();  // the relay to the remote service, else the phone
    void record(std::vector<Record> records);
    void takePrinted();

    mgmtkit::SimulatedContext context_;
    mgmtkit::SimulatedPhone phone_;
    RemoteService* remote_ = nullptr;
    std::unique_ptr<RelayChannel> relay_;  // to the remote service, when there is one
    Agents agents_;
    mgmtkit::LoadedProxy<LocalMgmtIfc> local_;
    mgmtkit::LoadedProxy<ActionEventRequestIfc> actions_;
    mgmtkit::LoadedProxy<LocationDeliveryRequestIfc> location_;

    // Guards the three below: over a bus, callbacks are heard on its thread.
    std::mutex recording_;
    std::vector<Record> records_;                // of the call under way
    mgmtkit::StdoutCapture* capture_ = nullptr;  // during a call only
    // Over a bus, callbacks may be heard before the caller has recorded the
    // reply that came before them: kept here until it has.
    std::vector<Record> heard_;
};

}  // namespace mgmtctl
