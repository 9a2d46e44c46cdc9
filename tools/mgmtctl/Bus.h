// The telephone on a bus, from mgmtctl's side: --bus binds a session's
// proxies to the served telephone, `serve` starts the service program,
// `monitor` follows its traffic. A tool built without the bus transport says
// so instead (NoBus.cpp).
#pragma once

#include <memory>

#include "CommandLine.h"
#include "Output.h"
#include "Session.h"

namespace mgmtctl {

// The telephone served on the bus named by --bus; null without --bus.
// Throws CorvexException when that bus cannot be reached.
std::unique_ptr<RemoteService> connectRemote(const Options& options);

// Replaces this process with the simulated telephone's service, handing it
// the options it takes; returns only when it cannot be started.
int serveTelephone(const Options& options, Output& output);
int monitorTelephone(const Options& options, Output& output);

}  // namespace mgmtctl
