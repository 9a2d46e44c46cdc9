// The bus commands' parts, one file each: the served telephone as a session's
// remote service (BusOption.cpp), `serve` (Serve.cpp), `monitor` (Monitor.cpp).
#pragma once

#include <memory>

#include "Options.h"
#include "Printer.h"
#include "Session.h"

namespace mgmtctl {

// The telephone served on the bus named by --bus; null without --bus.
// Throws CorvexException when that bus cannot be reached.
std::unique_ptr<RemoteService> connectRemote(const Options& options);

int serveTelephone(const Options& options, Printer& printer);
int monitorTelephone(const Options& options, Printer& printer);

}  // namespace mgmtctl
