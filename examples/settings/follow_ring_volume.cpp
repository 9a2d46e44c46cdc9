// The settings page's ring volume, followed on the telephone served on a bus
// (`mgmt-simulated-phone --bus`, or `mgmtctl serve --bus`) across restarts
// of the service: a service that comes back knows nothing of our observer,
// so the page registers it again.
//
// usage: follow_ring_volume [BUS_ADDRESS]   (none: the session bus)
// Prints a line per event until SIGINT or SIGTERM: "ring volume N",
// "telephone went away", "telephone came back".
#include <csignal>
#include <iostream>
#include <memory>
#include <mutex>
#include <stdexcept>

#include "LocalMgmtProxy.h"
#include "PhoneSettings.h"
#include "bus/BusChannel.h"

namespace {

std::mutex printing;

void say(const std::string& line) {
    std::lock_guard<std::mutex> lock(printing);
    std::cout << line << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    // Taken by sigwait below, from any thread.
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGINT);
    sigaddset(&ending, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);
    try {
        mgmtbus::BusChannel channel(argc > 1 ? argv[1] : "");
        std::unique_ptr<Proxy> proxy(createLocalMgmtProxy());
        auto* phone = dynamic_cast<LocalMgmtIfc*>(proxy.get());
        if (phone == nullptr) throw std::runtime_error("the proxy is no LocalMgmtIfc");
        proxy->initProxy(channel);
        PhoneSettings settings(*phone);
        settings.watchRingVolume([](int volume) { say("ring volume " + std::to_string(volume)); });

        // Told on the channel's bus thread; registering again is one short call.
        const auto watch = channel.watchService([&settings](mgmtbus::ServiceEvent event) {
            if (event == mgmtbus::ServiceEvent::WentAway) {
                say("telephone went away");
                return;
            }
            try {
                settings.phoneRestarted();
                say("telephone came back");
            } catch (const PhoneSettings::Unavailable& error) {
                say(std::string("telephone came back, but ") + error.what());
            }
        });
        say("following the ring volume");
        int received = 0;
        sigwait(&ending, &received);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "follow_ring_volume: " << error.what() << std::endl;
    } catch (const CorvexException& error) {
        std::cerr << "follow_ring_volume: " << error.what() << std::endl;
    }
    return 1;
}
