// --bus for call, run and demo: the session's proxies call the telephone that
// `mgmtctl serve` put on the bus.
#include <set>

#include <sdbus-c++/Error.h>
#include <sdbus-c++/IProxy.h>

#include "ArgumentError.h"
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
        : channel_(address), connection_(mgmtbus::connectToBus(address)),
          control_(sdbus::createProxy(*connection_, mgmtbus::kServiceBusName, mgmtbus::kServicePath)) {}

    ~ServedTelephone() override {
        for (const std::string& remote : failed_) {
            try {
                control_->callMethod("Restore").onInterface(mgmtbus::kControlInterface).withArguments(remote);
            } catch (const sdbus::Error&) {
                // The service is gone; nothing is left to take back.
            }
        }
    }

    ProxyRequest& channel() override { return channel_; }

    void fail(const std::string& remoteName, const std::string& text) override {
        try {
            control_->callMethod("Fail").onInterface(mgmtbus::kControlInterface).withArguments(remoteName, text);
        } catch (const sdbus::Error& error) {
            throw ArgumentError("the served telephone refused: " + error.getMessage());
        }
        failed_.insert(remoteName);
    }

    void restore(const std::string& remoteName) override {
        try {
            control_->callMethod("Restore").onInterface(mgmtbus::kControlInterface).withArguments(remoteName);
        } catch (const sdbus::Error& error) {
            throw ArgumentError("the served telephone refused: " + error.getMessage());
        }
        failed_.erase(remoteName);
    }

    std::string state() override {
        std::string text;
        control_->callMethod("State").onInterface(mgmtbus::kControlInterface).storeResultsTo(text);
        return text;
    }

private:
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
