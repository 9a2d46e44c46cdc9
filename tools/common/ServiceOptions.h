// The options of the simulated telephone's service program, defined once:
// mgmt-simulated-phone reads them, and `mgmtctl serve` takes every one of
// them and hands them on as given.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace mgmtctl {

struct ServiceOptions {
    std::optional<std::string> bus;     // "" for the session bus, else an address
    std::vector<std::string> failures;  // REMOTE[=TEXT]
    std::size_t keepCalls = 10000;      // exchanges GetCalls answers with
    bool trace = false;                 // every exchange written out
    bool json = false;                  // the trace and errors as JSON lines
    int readyFd = -1;                   // where "ready" and "stopped" are said; -1: nowhere
};

// Adds to `app` each of the program's options that `app` has none of that
// name for yet, its description after `prefix`.
void addServiceOptions(CLI::App& app, ServiceOptions& options, const std::string& prefix = std::string());

// The program's options that were given on the line `app` parsed, as
// --NAME=VALUE, once per value given.
std::vector<std::string> givenServiceOptions(const CLI::App& app);

}  // namespace mgmtctl
