// A tool built without the bus transport (cross builds): the bus commands and
// --bus say so instead of doing nothing.
#include "Bus.h"

namespace mgmtctl {

namespace {

int notBuilt(const char* what, Output& output) {
    output.problem(std::string(what) + ": this mgmtctl was built without the bus transport", kExitBadInput);
    return kExitBadInput;
}

}  // namespace

std::unique_ptr<RemoteService> connectRemote(const Options& options) {
    if (options.bus) throw CorvexException("--bus: this mgmtctl was built without the bus transport");
    return nullptr;
}

int serveTelephone(const Options&, Output& output) { return notBuilt("serve", output); }

int monitorTelephone(const Options&, Output& output) { return notBuilt("monitor", output); }

}  // namespace mgmtctl
