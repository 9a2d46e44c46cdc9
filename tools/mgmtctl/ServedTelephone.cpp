// --bus for call, run and demo: the session's proxies call the telephone that
// `mgmtctl serve` put on the bus.
#include <set>

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

    void fail(const std::string& remoteName, const std::string& text) override {
        control("Fail", remoteName, text);
        failed_.insert(remoteName);
    }

    void restore(const std::string& remoteName) override {
        control("Restore", remoteName);
        failed_.erase(remoteName);
    }

    std::string state() override {
        std::string text;
        control_->callMethod("State").onInterface(mgmtbus::kControlInterface).storeResultsTo(text);
        return text;
    }

private:
    template <class... Arguments>
    void control(const char* method, const Arguments&... arguments) {
        try {
            control_->callMethod(method).onInterface(mgmtbus::kControlInterface).withArguments(arguments...);
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
