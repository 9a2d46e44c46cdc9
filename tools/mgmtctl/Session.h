// One session against a telephone: the three proxies made by the library's
// factories and bound to one simulated telephone in this process, or to a
// service elsewhere, so that state carries from call to call. Everything a
// call produces is captured as records, in the order it happened.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Agents.h"
#include "Arguments.h"
#include "Records.h"
#include "testing/ProxyLibrary.h"
#include "testing/SimulatedPhone.h"

namespace mgmtctl {

// The framework's log levels run from 0 to this.
inline constexpr int kHighestLogLevel = 15;

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

    // The telephone's state, one "key: value" line each.
    std::string state() const { return remote_ != nullptr ? remote_->state() : phone_.describeState(); }

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

    std::vector<Record> records_;       // of the call under way
    StdoutCapture* capture_ = nullptr;  // during a call only
};

}  // namespace mgmtctl
