// --bus for call, run and demo: the session's proxies call the telephone that
// `mgmtctl serve` put on the bus.
#include <set>
#include <type_traits>

#include <sdbus-c++/Error.h>
#include <sdbus-c++/IProxy.h>

#include "BadInput.h"
#include "Bus.h"
#include "bus/BusChannel.h"
#include "bus/BusConnection.h"

namespace mgmtctl {

namespace {

// The served telephone: calls go through a bus channel, scripted failures
// through the control interface and are taken back when the session ends.
class ServedTelephone final : public RemoteService {
public:
    explicit ServedTelephone(const std::string& address)
        : channel_(address),
          connection_(mgmtbus::connectToBus(address)),
          control_(sdbus::createProxy(*connection_, mgmtbus::kServiceBusName, mgmtbus::kServicePath)) {}

    ~ServedTelephone() override {
        for (const std::string& remote : failed_) {
            try {
                control("Restore", remote);
            } catch (const ArgumentError&) {
                // The service is gone; nothing is left to take back.
            }
        }
    }

    ProxyRequest& channel() override { return channel_; }
    void awaitCallbacks() override {
        try {
            channel_.awaitNotifications();
        } catch (const CorvexException&) {
            // Gone since it answered: nothing more comes.
        }
    }

    void fail(const std::string& remoteName, const std::string& text) override {
        control("Fail", remoteName, text);
        failed_.insert(remoteName);
    }
    void restore(const std::string& remoteName) override {
        control("Restore", remoteName);
        failed_.erase(remoteName);
    }
    std::string calls() override { return control<std::string>("GetCalls"); }
    void clearCalls() override { control("ClearCalls"); }
    void reset() override { control("Reset"); }
    std::string state() override { return control<std::string>("State"); }
    void setState(const std::string& document) override { control("SetState", document); }

private:
    // A request of the control interface, with its one result when `Result` is not void.
    template <class Result = void, class... Arguments>
    Result control(const char* method, const Arguments&... arguments) {
        try {
            if constexpr (std::is_void_v<Result>) {
                control_->callMethod(method).onInterface(mgmtbus::kControlInterface).withArguments(arguments...);
            } else {
                Result result;
                control_->callMethod(method).onInterface(mgmtbus::kControlInterface).storeResultsTo(result);
                return result;
            }
        } catch (const sdbus::Error& error) {
            throw ArgumentError("the served telephone refused: " + error.getMessage());
        }
    }

    mgmtbus::BusChannel channel_;
    std::unique_ptr<sdbus::IConnection> connection_;
    std::unique_ptr<sdbus::IProxy> control_;
    std::set<std::string> failed_;
};

}  // namespace

std::unique_ptr<RemoteService> connectRemote(const Options& options) {
    if (!options.bus) return nullptr;
    return std::make_unique<ServedTelephone>(*options.bus);
}

}  // namespace mgmtctl
