// The tool's own options, accepted anywhere on the command line up to a "--".
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mgmtctl {

// The framework's log levels run from 0 to this.
inline constexpr int kHighestLogLevel = 15;

struct Options {
    std::optional<std::string> library;
    int logLevel = 3;
    std::vector<std::pair<std::string, std::string>> failures;  // remote method, text
    bool json = false;
    bool help = false;
    std::optional<std::string> bus;  // --bus: "" for the session bus, else an address
    bool trace = false;              // serve: every exchange written out
    std::vector<std::string> words;  // the command and its arguments
};

// Throws ArgumentError for an unknown option or a bad value.
Options parseOptions(const std::vector<std::string>& arguments);

std::string usageText();

}  // namespace mgmtctl
