// A tool built without the bus transport (cross builds): the bus commands and
// --bus say so instead of doing nothing.
#include <iostream>

#include "BusRemote.h"
#include "Commands.h"

namespace mgmtctl {

namespace {

int notBuilt(const char* what) {
    std::cerr << "mgmtctl: " << what << ": this mgmtctl was built without the bus transport\n";
    return kExitBadInput;
}

}  // namespace

std::unique_ptr<RemoteService> connectRemote(const Options& options) {
    if (options.bus) throw CorvexException("--bus: this mgmtctl was built without the bus transport");
    return nullptr;
}

int serveTelephone(const Options&, Printer&) { return notBuilt("serve"); }

int monitorTelephone(const Options&, Printer&) { return notBuilt("monitor"); }

}  // namespace mgmtctl
