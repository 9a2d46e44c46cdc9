#include "BusOption.h"

#include "ArgumentParsing.h"
#include "BusRemote.h"

namespace mgmtctl {

bool parseBusOption(const std::string& name, const std::optional<std::string>& inlineValue, Options& options) {
    if (name == "--bus") {
        // The address is optional, so it can only come after "=".
        options.bus = inlineValue.value_or(std::string());
        return true;
    }
    if (name == "--trace") {
        if (inlineValue) throw ArgumentError("--trace takes no value");
        options.trace = true;
        return true;
    }
    return false;
}

std::string busOptionsUsage() {
    return R"(  --bus[=ADDRESS]           call, run, demo: bind the proxies to the telephone
                            that `mgmtctl serve` puts on the bus; serve,
                            monitor: the bus to use. Without ADDRESS: the
                            session bus
  --trace                   serve: write every exchange, passwords hidden
)";
}

bool isBusCommand(const std::string& command) { return command == "serve" || command == "monitor"; }

int runBusCommand(const std::string& command, const Options& options, Printer& printer) {
    if (command == "serve") return serveTelephone(options, printer);
    return monitorTelephone(options, printer);
}

}  // namespace mgmtctl
