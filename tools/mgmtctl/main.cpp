// mgmtctl: calls the management proxies by name against a simulated
// telephone service and shows what each call sends and gets back.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "BadInput.h"
#include "Bus.h"
#include "Commands.h"
#include "Faults.h"

using namespace mgmtctl;

namespace {

// Where the library is looked for: installed beside the tool's prefix, next to
// the tool, then the library this tool was built with.
std::vector<std::string> libraryCandidates() {
    std::error_code unknown;
    const auto here = std::filesystem::read_symlink("/proc/self/exe", unknown).parent_path();
    if (unknown) return {MGMTCTL_BUILD_LIBRARY};
    return {here / MGMTCTL_LIBDIR_FROM_BINDIR / MGMTCTL_LIBRARY_NAME, here / MGMTCTL_LIBRARY_NAME,
            MGMTCTL_BUILD_LIBRARY};
}

int run(const Options& options, Output& output) {
    if (options.command == "list") return listOperations(output, options.verbose);
    if (options.command == "describe") return describeOperation(output, options.operation);
    if (options.command == "serve") return serveTelephone(options, output);
    if (options.command == "monitor") return monitorTelephone(options, output);

    const ProxyLibrary library(ProxyLibrary::locate(options.library, libraryCandidates()));
    std::unique_ptr<RemoteService> remote;
    try {
        remote = connectRemote(options);
    } catch (const CorvexException& error) {
        output.problem(error.what(), kExitCallFailed);
        return kExitCallFailed;
    }
    Session session(library, remote.get());
    session.setLogLevel(options.logLevel);
    for (const std::string& failure : options.failures) {
        const auto [remoteName, text] = *parseFailure(failure);  // checked by the command line
        try {
            session.failRemote(remoteName, text);
        } catch (const ArgumentError& error) {
            throw ArgumentError(std::string("--fail: ") + error.what());
        }
    }
    if (options.command == "call") {
        std::vector<std::string> words = {options.operation};
        words.insert(words.end(), options.arguments.begin(), options.arguments.end());
        return callOperation(session, output, words);
    }
    if (options.command == "run") return runScript(session, output, options.file, options.keepGoing);
    if (options.command == "state") return showState(session, output);
    if (options.command == "calls") return showCalls(session, output);
    if (options.command != "demo") return controlTelephone(session, options);
    return showDemo(session, output, library, options.logLevel);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    CommandLine commandLine;
    // The completion script's helper: the words typed so far, the last one
    // being completed. Nothing else is read, so any partial line works.
    if (!words.empty() && words.front() == kCompleteCommand) {
        for (const std::string& candidate : completions(commandLine.app(), {words.begin() + 1, words.end()}))
            std::cout << candidate << '\n';
        return kExitDone;
    }
    Options options;
    try {
        options = commandLine.parse(words);
    } catch (const ArgumentError& error) {
        Output("mgmtctl", commandLine.asksForJson()).problem(error.what(), kExitBadInput);
        return kExitBadInput;
    }
    Output output("mgmtctl", options.json);
    if (options.help || options.command == "help") {
        std::cout << commandLine.help(options.topic);
        return kExitDone;
    }
    if (options.version) {
        std::cout << CommandLine::version();
        return kExitDone;
    }
    try {
        return run(options, output);
    } catch (const ArgumentError& error) {
        output.problem(error.what(), kExitBadInput);
    } catch (const LibraryError& error) {
        output.problem(error.what(), kExitBadInput);
    } catch (const std::exception& error) {
        output.problem(std::string("unexpected error: ") + error.what(), kExitCallFailed);
        return kExitCallFailed;
    }
    return kExitBadInput;
}
