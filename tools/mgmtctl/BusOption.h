// The tool's bus options and commands: --bus[=ADDRESS] binds the proxies to
// a service on a bus instead of the one in this process, `serve` puts the
// simulated telephone on a bus, `monitor` follows its traffic.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Options.h"
#include "Printer.h"

class ProxyRequest;

namespace mgmtctl {

// True when `name` is a bus option, which is then stored in `options`;
// throws ArgumentError for a bad value.
bool parseBusOption(const std::string& name, const std::optional<std::string>& inlineValue, Options& options);

// The lines the usage text gives the bus options.
std::string busOptionsUsage();

// True for the commands that need no proxy library.
bool isBusCommand(const std::string& command);
// Runs `serve` or `monitor`; returns the exit status.
int runBusCommand(const std::string& command, const Options& options, Printer& printer);

}  // namespace mgmtctl
