// A management service exported on a bus: any ProxyRequest that answers the
// remote methods (the simulated telephone, for one) is served under a
// well-known name, each remote method of the service description once, as a
// D-Bus method with typed, named arguments laid out as BusNames.h describes.
// Calls are answered one at a time, in arrival order, on the thread that runs
// the service. Beside the remote methods it serves a control interface
// (scripted faults, the state) and emits one signal per exchange for monitors.
// It takes its name once everything is exported and gives it up when run()
// ends, after the Stopping signal (BusNames.h).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "Framework.h"
#include "bus/BusNames.h"
#include "description/ServiceDescription.h"

namespace sdbus {
class IConnection;
class IObject;
class IProxy;
class MethodCall;
}  // namespace sdbus

namespace mgmtbus {

// One request as served, after it was answered or failed.
struct BusExchange {
    const std::string& caller;  // the client's unique bus name
    const Method& request;
    mgmtdesc::CallStyle style;
    const std::string& callbackChannel;
    int timeout;
    const Method* reply;         // synchronous calls that were answered
    const std::string* failure;  // the text the service failed with
};

struct BusServiceHooks {
    std::function<void(const std::string& remote, const std::string& text)> fail;
    std::function<void(const std::string& remote)> restore;
    std::function<std::string()> state;
    // What the exchange signal shows of a record (secrets hidden); unset: all of it.
    std::function<Method(const Method&)> shown;
    // Every exchange, after the answer went out.
    std::function<void(const BusExchange&)> observer;
};

class BusService {
public:
    // Empty address: the session bus. Throws CorvexException when the bus
    // cannot be reached or the name is taken.
    BusService(const std::string& address, const std::string& busName, ProxyRequest& backend,
               BusServiceHooks hooks);
    ~BusService();
    BusService(const BusService&) = delete;
    BusService& operator=(const BusService&) = delete;

    // Hands a notification to the observer behind a callback channel named by
    // a BusContext, without waiting; false for a channel that is no such address.
    bool notify(const std::string& callbackChannel, const Method& notification);

    // The answer to that remote method is held back this long (0: none).
    void delay(const std::string& remote, unsigned milliseconds);

    // Serves on the calling thread until stop(), which any thread may call;
    // then emits Stopping (kLifecycleInterface) and gives up the name.
    // Throws CorvexException when the bus itself goes away.
    void run();
    void stop();

private:
    // `method`: the first row that sends the call's remote method; every row
    // that sends it sends the same request.
    void serve(const mgmtdesc::Operation& method, sdbus::MethodCall& call);
    void publish(const BusExchange& exchange);
    void exportControl();

    ProxyRequest& backend_;
    BusServiceHooks hooks_;
    std::string busName_;
    std::unique_ptr<sdbus::IConnection> connection_;
    std::unique_ptr<sdbus::IObject> object_;
    std::map<std::string, std::unique_ptr<sdbus::IProxy>> observers_;  // by bus name
    std::mutex delaysMutex_;
    std::map<std::string, unsigned> delays_;
};

}  // namespace mgmtbus
