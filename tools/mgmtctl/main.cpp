// mgmtctl: calls the management proxies by name against a simulated
// telephone service and shows what each call sends and gets back.
#include <unistd.h>

#include <climits>
#include <iostream>
#include <string>
#include <vector>

#include "ArgumentParsing.h"
#include "BusOption.h"
#include "BusRemote.h"
#include "Commands.h"
#include "Completion.h"
#include "Help.h"
#include "Options.h"
#include "Suggestions.h"

using namespace mgmtctl;

namespace {

// The directory of the running executable, or "" when it cannot be told.
std::string executableDirectory() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return std::string();
    std::string path(buffer, static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Where the library is looked for: installed beside the tool's prefix, next to
// the tool, then the library this tool was built with.
std::vector<std::string> libraryCandidates() {
    const std::string here = executableDirectory();
    std::vector<std::string> candidates;
    if (!here.empty()) {
        candidates.push_back(here + "/" MGMTCTL_LIBDIR_FROM_BINDIR "/" MGMTCTL_LIBRARY_NAME);
        candidates.push_back(here + "/" MGMTCTL_LIBRARY_NAME);
    }
    candidates.emplace_back(MGMTCTL_BUILD_LIBRARY);
    return candidates;
}

// Checks the command and its word count before anything is loaded.
const CommandInfo& checkCommand(const std::vector<std::string>& words) {
    const std::string name = words.empty() ? "demo" : words.front();
    const std::size_t operands = words.empty() ? 0 : words.size() - 1;
    const CommandInfo* command = findCommand(name);
    if (command == nullptr) {
        if (findOperation(name) != nullptr)
            throw ArgumentError("unknown command '" + name + "'; to call the operation: mgmtctl call " + name);
        std::string message = "unknown command '" + name + "'; closest:";
        for (const std::string& known : closest(name, commandNames(), 2)) message += " " + known;
        throw ArgumentError(message + " (mgmtctl --help)");
    }
    if (operands < command->minOperands || operands > command->maxOperands)
        throw ArgumentError("usage: " + synopsisOf(*command) + " (mgmtctl help " + command->name + ")");
    if (name == "help" && operands == 1 && findCommand(words[1]) == nullptr) {
        std::string message = "no command '" + words[1] + "'; the commands:";
        for (const std::string& known : commandNames()) message += " " + known;
        throw ArgumentError(message);
    }
    return *command;
}

int runCommand(const Options& options, const std::string& command, Printer& printer) {
    const std::vector<std::string> operands(options.words.empty() ? options.words.end() : options.words.begin() + 1,
                                            options.words.end());
    if (command == "help") {
        std::cout << (operands.empty() ? usageText() : commandHelp(*findCommand(operands.front())));
        return kExitDone;
    }
    if (command == "list") return listOperations(printer, options.verbose);
    if (command == "describe") return describeOperation(printer, operands.front());
    if (isBusCommand(command)) return runBusCommand(command, options, printer);

    const ProxyLibrary library(ProxyLibrary::locate(options.library, libraryCandidates()));
    std::unique_ptr<RemoteService> remote;
    try {
        remote = connectRemote(options);
    } catch (const CorvexException& error) {
        printer.problem(error.what(), kExitCallFailed);
        return kExitCallFailed;
    }
    Session session(library, remote.get());
    session.setLogLevel(options.logLevel);
    for (const auto& [remote, text] : options.failures) {
        try {
            session.failRemote(remote, text);
        } catch (const ArgumentError& error) {
            throw ArgumentError(std::string("--fail: ") + error.what());
        }
    }
    if (command == "call") return callOperation(session, printer, operands);
    if (command == "run") return runScript(session, printer, operands.front(), options.keepGoing);
    if (command == "state") return showState(session, printer);
    return showDemo(session, printer, library, options.logLevel);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // The completion script's helper: the words typed so far, the last one
    // being completed. Nothing else is read, so any partial line works.
    if (!arguments.empty() && arguments.front() == kCompleteCommand) {
        for (const std::string& candidate : completions({arguments.begin() + 1, arguments.end()}))
            std::cout << candidate << '\n';
        return kExitDone;
    }
    const auto printer =
        asksForJson(arguments) ? makeJsonPrinter(std::cout, std::cerr) : makeTextPrinter(std::cout, std::cerr);
    try {
        const Options options = parseOptions(arguments);
        if (options.help) {
            std::cout << usageText();
            return kExitDone;
        }
        if (options.version) {
            std::cout << versionText();
            return kExitDone;
        }
        return runCommand(options, checkCommand(options.words).name, *printer);
    } catch (const ArgumentError& error) {
        printer->problem(error.what(), kExitBadInput);
        return kExitBadInput;
    } catch (const LibraryError& error) {
        printer->problem(error.what(), kExitBadInput);
        return kExitBadInput;
    } catch (const std::exception& error) {
        printer->problem(std::string("unexpected error: ") + error.what(), kExitCallFailed);
        return kExitCallFailed;
    }
}
