#include "Commands.h"

#include <fstream>
#include <iostream>

#include "ArgumentParsing.h"
#include "Script.h"
#include "Suggestions.h"

namespace mgmtctl {

namespace {

int badInput(const std::string& message) {
    std::cerr << "mgmtctl: " << message << '\n';
    return kExitBadInput;
}

struct BoundCall {
    const Operation* operation;
    std::vector<Argument> arguments;
    int line;
};

// The call a command line or a script line asks for; throws ArgumentError
// with the operation's usage added when its arguments do not fit.
BoundCall bindCall(Session& session, const std::vector<std::string>& words, int line) {
    const Operation& operation = requireOperation(words.front());
    try {
        return {&operation, session.bind(operation, {words.begin() + 1, words.end()}), line};
    } catch (const ArgumentError& error) {
        throw ArgumentError(std::string(error.what()) + "\nusage: " + usageOf(operation));
    }
}

int perform(Session& session, Printer& printer, BoundCall& call) {
    const CallOutcome outcome = session.perform(*call.operation, call.arguments, call.line);
    printer.outcome(outcome);
    return outcome.reachedCaller ? kExitCallFailed : kExitDone;
}

}  // namespace

const Operation& requireOperation(const std::string& name) {
    if (const Operation* operation = findOperation(name)) return *operation;
    std::string message = "unknown operation '" + name + "'; closest:";
    for (const std::string& candidate : closest(name, operationNames())) message += " " + candidate;
    throw ArgumentError(message + " (mgmtctl list shows them all)");
}

int listOperations(Printer& printer) {
    for (const Operation& operation : operations()) printer.operation(operation);
    printer.legend();
    return kExitDone;
}

int callOperation(Session& session, Printer& printer, const std::vector<std::string>& words) {
    try {
        BoundCall call = bindCall(session, words, 0);
        return perform(session, printer, call);
    } catch (const ArgumentError& error) {
        return badInput(error.what());
    }
}

int runScript(Session& session, Printer& printer, const std::string& path) {
    // Every line is checked before the first call goes out, so a bad line
    // never leaves the service half-way through a script.
    std::vector<BoundCall> calls;
    try {
        std::ifstream file;
        if (path != "-") {
            file.open(path);
            if (!file) return badInput("cannot read " + path);
        }
        for (const ScriptLine& line : readScript(path == "-" ? std::cin : file)) {
            try {
                calls.push_back(bindCall(session, line.words, line.number));
            } catch (const ArgumentError& error) {
                throw ArgumentError("line " + std::to_string(line.number) + ": " + error.what());
            }
        }
    } catch (const ArgumentError& error) {
        return badInput((path == "-" ? std::string("standard input") : path) + ": " + error.what());
    }
    int status = kExitDone;
    for (BoundCall& call : calls)
        if (perform(session, printer, call) != kExitDone) status = kExitCallFailed;
    return status;
}

}  // namespace mgmtctl
