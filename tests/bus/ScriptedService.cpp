#include "ScriptedService.h"

#include <unistd.h>

#include <stdexcept>

#include "bus/BusService.h"

namespace bustest {

std::unique_ptr<ChildProcess> serveScripted(const std::string& busName, const ServiceScript& script) {
    auto service = std::make_unique<ChildProcess>([&busName, &script](int ready) {
        try {
            mgmtkit::RecordingChannel backend;
            script(backend);
            mgmtbus::BusService service(std::string(), busName, backend, {});
            if (write(ready, "ready\n", 6) != 6) _exit(2);
            service.run();
            _exit(0);
        } catch (...) {
            _exit(3);
        }
    });
    if (service->nextLine() != "ready") throw std::runtime_error("the scripted service " + busName + " did not come up");
    return service;
}

}  // namespace bustest
