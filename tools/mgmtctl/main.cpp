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

int badInput(const std::string& message) {
    std::cerr << "mgmtctl: " << message << '\n';
    return kExitBadInput;
}

// Checks the command and its word count before anything is loaded.
std::string checkCommand(const std::vector<std::string>& words) {
    const std::string command = words.empty() ? "demo" : words.front();
    const std::size_t operands = words.empty() ? 0 : words.size() - 1;
    if (command == "demo" || command == "list" || isBusCommand(command)) {
        if (operands != 0) throw ArgumentError(command + " takes no arguments");
    } else if (command == "run") {
        if (operands != 1) throw ArgumentError("usage: mgmtctl run FILE (or - for standard input)");
    } else if (command == "call") {
        if (operands == 0)
            throw ArgumentError("usage: mgmtctl call OPERATION ARGS... (mgmtctl list shows them)");
    } else if (findOperation(command) != nullptr) {
        throw ArgumentError("unknown command '" + command + "'; to call the operation: mgmtctl call " +
                            command);
    } else {
        std::string message = "unknown command '" + command + "'; closest:";
        for (const std::string& name : closest(command, {"demo", "list", "call", "run", "serve", "monitor"}, 2))
            message += " " + name;
        throw ArgumentError(message + " (mgmtctl --help)");
    }
    return command;
}

int runCommand(const Options& options, const std::string& command, Printer& printer) {
    if (command == "list") return listOperations(printer);
    if (isBusCommand(command)) return runBusCommand(command, options, printer);
    const ProxyLibrary library(ProxyLibrary::locate(options.library, libraryCandidates()));
    std::unique_ptr<RemoteService> remote;
    try {
        remote = connectRemote(options);
    } catch (const CorvexException& error) {
        std::cerr << "mgmtctl: " << error.what() << '\n';
        return kExitCallFailed;
    }
    Session session(library, remote.get());
    session.setLogLevel(options.logLevel);
    try {
        for (const auto& [remote, text] : options.failures) session.failRemote(remote, text);
    } catch (const ArgumentError& error) {
        return badInput(std::string("--fail: ") + error.what());
    }
    if (command == "call")
        return callOperation(session, printer, {options.words.begin() + 1, options.words.end()});
    if (command == "run") return runScript(session, printer, options.words[1]);
    return showDemo(session, printer, library, options.logLevel);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string command;
    try {
        options = parseOptions({argv + 1, argv + argc});
        if (options.help) {
            std::cout << usageText();
            return kExitDone;
        }
        command = checkCommand(options.words);
    } catch (const ArgumentError& error) {
        return badInput(error.what());
    }
    const auto printer = options.json ? makeJsonPrinter(std::cout) : makeTextPrinter(std::cout);
    try {
        return runCommand(options, command, *printer);
    } catch (const LibraryError& error) {
        return badInput(error.what());
    } catch (const std::exception& error) {
        std::cerr << "mgmtctl: unexpected error: " << error.what() << '\n';
        return kExitCallFailed;
    }
}
