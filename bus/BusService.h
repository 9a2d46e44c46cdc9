// A management service exported on a bus: any ProxyRequest that answers the
// remote methods (the simulated telephone, for one) is served under a
// well-known name, each remote method as a D-Bus method with typed, named
// arguments laid out as BusNames.h describes. Calls are answered one at a
// time, in arrival order, on the thread that runs the service. Beside the
// remote methods it serves a control interface (scripted faults, the state)
// and emits one signal per exchange for monitors.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Framework.h"
#include "bus/BusNames.h"

namespace sdbus {
class IConnection;
class IObject;
class IProxy;
class MethodCall;
}  // namespace sdbus

namespace mgmtbus {

enum class BusCallStyle { OneWay, OneWayWithChannel, Sync, SyncWithChannel, SyncWithTimeout };
const char* nameOf(BusCallStyle style);

struct BusValue {
    std::string name;
    Parameter::kinds kind;
    Parameter::directions direction;
};

// One remote method as exported: request values in sending order, reply
// values in reading order.
struct BusMethod {
    std::string remote;
    BusCallStyle style;
    int timeout;  // ms; 0 unless the style is SyncWithTimeout
    std::vector<BusValue> request;
    std::vector<BusValue> reply;
};

// One request as served, after it was answered or failed.
struct BusExchange {
    const std::string& caller;  // the client's unique bus name
    const Method& request;
    BusCallStyle style;
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
               const std::vector<BusMethod>& methods, BusServiceHooks hooks);
    ~BusService();
    BusService(const BusService&) = delete;
    BusService& operator=(const BusService&) = delete;

    // Hands a notification to the observer behind a callback channel named by
    // a BusContext, without waiting; false for a channel that is no such address.
    bool notify(const std::string& callbackChannel, const Method& notification);

    // The answer to that remote method is held back this long (0: none).
    void delay(const std::string& remote, unsigned milliseconds);

    // Serves on the calling thread until stop(), which any thread may call.
    void run();
    void stop();

private:
    void serve(const BusMethod& method, sdbus::MethodCall& call);
    void publish(const BusExchange& exchange);
    void exportControl();

    ProxyRequest& backend_;
    BusServiceHooks hooks_;
    std::unique_ptr<sdbus::IConnection> connection_;
    std::unique_ptr<sdbus::IObject> object_;
    std::map<std::string, std::unique_ptr<sdbus::IProxy>> observers_;  // by bus name
    std::mutex delaysMutex_;
    std::map<std::string, unsigned> delays_;
};

}  // namespace mgmtbus
