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
    bool version = false;
    bool keepGoing = false;  // run: past a failing line
    bool verbose = false;    // list: with the wire reference
    std::optional<std::string> bus;  // --bus: "" for the session bus, else an address
    bool trace = false;              // serve: every exchange written out
    std::vector<std::string> words;  // the command and its arguments
};

// Throws ArgumentError for an unknown option or a bad value.
Options parseOptions(const std::vector<std::string>& arguments);

// Whether --json is among the options, known before they are parsed so that
// a bad option is reported in the form asked for.
bool asksForJson(const std::vector<std::string>& arguments);

// "REMOTE[=TEXT]" as --fail and a script's fail line take it: the remote
// method and the text its failure carries. Throws ArgumentError.
std::pair<std::string, std::string> parseFailure(const std::string& failure);

// The option names, for suggestions and completion.
const std::vector<std::string>& optionNames();

}  // namespace mgmtctl
