// Writes a setting on the served telephone and reads it back, as a settings
// application would. usage: component [BUS_ADDRESS]   (none: the session bus)
#include <cstdio>
#include <memory>

#include "LocalMgmtIfc.h"
#include "LocalMgmtProxy.h"
#include "bus/BusChannel.h"

int main(int argc, char** argv) {
    try {
        mgmtbus::BusChannel channel(argc > 1 ? argv[1] : "");
        std::unique_ptr<Proxy> proxy(createLocalMgmtProxy());
        auto* phone = dynamic_cast<LocalMgmtIfc*>(proxy.get());
        if (phone == nullptr) return 1;
        proxy->initProxy(channel);

        ManageableData change;
        change.setValue("device.location", "Lab 7");
        ManageableData asked;
        asked.setValue("device.location", "");
        const bool done = phone->setData(change) && phone->getData(asked);
        std::printf("device.location: %s\n", asked.getValue("device.location").c_str());
        return done && asked.getValue("device.location") == "Lab 7" ? 0 : 1;
    } catch (const CorvexException& error) {
        std::fprintf(stderr, "component: %s\n", error.what());
        return 1;
    }
}
