// mgmtctl's command line, defined once with CLI11: the commands with their
// operands, the options and every text of --help and `help COMMAND`. The
// parser, the help, the manual page and the completion's word lists
// (Completion.cpp) all come from these definitions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "ServiceOptions.h"

namespace mgmtctl {

enum ExitStatus { kExitDone = 0, kExitCallFailed = 1, kExitBadInput = 2 };

// The service's options are mgmtctl's too: --bus, --fail (each checked) and
// --json for every command, the others for serve alone.
struct Options : ServiceOptions {
    std::optional<std::string> library;
    int logLevel = 3;
    bool keepGoing = false;  // run: past a failing line
    bool verbose = false;    // list: with each operation's row
    bool help = false;
    bool version = false;
    std::string command = "demo";
    std::string operation;               // describe, call
    std::vector<std::string> arguments;  // call: the operation's arguments
    std::string file;                    // run
    std::string topic;                   // help
    std::vector<std::string> serviceArguments;  // serve: the service's options given, as --NAME=VALUE
};

// A command's operands, in order.
std::vector<const CLI::Option*> operandsOf(const CLI::App& command);
// "demo", "list", ...: every command's name.
std::vector<std::string> commandNames(const CLI::App& app);
// "--library", "--log-level", ...: every option's long name.
std::vector<std::string> optionNames(const CLI::App& app);

// The hidden command the completion script runs: mgmtctl __complete WORDS...
inline constexpr const char* kCompleteCommand = "__complete";

// The candidates for the last of `words` (the words after "mgmtctl", the last
// one being the one under the cursor, possibly empty), not yet filtered by
// what it starts with. Nothing for a file name: the shell completes those.
std::vector<std::string> completions(const CLI::App& app, const std::vector<std::string>& words);

class CommandLine {
public:
    CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // The words after the program's name. Throws ArgumentError saying what
    // does not fit.
    Options parse(const std::vector<std::string>& words);
    // Whether the words read by parse(), well-formed or not, asked for JSON,
    // so that bad input is reported in the form asked for.
    bool asksForJson() const { return options_.json; }

    const CLI::App& app() const { return app_; }
    // --help, or `help COMMAND` for a command's name.
    std::string help(const std::string& command = std::string()) const;
    static std::string version();

private:
    // Says how the chosen command's operands are written.
    [[noreturn]] void refuseOperands() const;

    CLI::App app_;
    Options options_;
};

}  // namespace mgmtctl
