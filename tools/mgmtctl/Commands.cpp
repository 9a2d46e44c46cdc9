#include "Commands.h"

#include <stdexcept>

#include "ArgumentParsing.h"
#include "Options.h"
#include "Script.h"
#include "Suggestions.h"

namespace mgmtctl {

namespace {

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

// One line of a script, checked: a call, a change of the scripted faults, or
// a look at the state.
struct ScriptStep {
    enum Kind { Call, Fail, Restore, State } kind;
    int line;
    BoundCall call{nullptr, {}, 0};
    std::string remote;
    std::string text;
};

void expectOperands(const ScriptLine& line, std::size_t count, const char* usage) {
    if (line.words.size() != count + 1) throw ArgumentError(std::string("usage: ") + usage);
}

ScriptStep bindStep(Session& session, const ScriptLine& line) {
    const std::string& first = line.words.front();
    if (first == "fail") {
        expectOperands(line, 1, "fail REMOTE[=TEXT], one word: quote a TEXT with blanks, as in "
                                "fail uploadUserFile=\"disk full\"");
        auto [remote, text] = parseFailure(line.words[1]);
        session.checkRemote(remote);
        return {ScriptStep::Fail, line.number, {nullptr, {}, 0}, remote, text};
    }
    if (first == "restore") {
        expectOperands(line, 1, "restore REMOTE");
        session.checkRemote(line.words[1]);
        return {ScriptStep::Restore, line.number, {nullptr, {}, 0}, line.words[1], {}};
    }
    if (first == "state") {
        expectOperands(line, 0, "state (on a line of its own)");
        return {ScriptStep::State, line.number, {nullptr, {}, 0}, {}, {}};
    }
    // "call OPERATION ARGS..." reads as it does on the command line.
    std::vector<std::string> words = line.words;
    if (first == "call") {
        words.erase(words.begin());
        if (words.empty()) throw ArgumentError("usage: call OPERATION ARGS... (or OPERATION ARGS...)");
    }
    return {ScriptStep::Call, line.number, bindCall(session, words, line.number), {}, {}};
}

int perform(Session& session, Printer& printer, ScriptStep& step) {
    switch (step.kind) {
        case ScriptStep::Call: return perform(session, printer, step.call);
        case ScriptStep::Fail:
            session.failRemote(step.remote, step.text);
            printer.fault({step.line, step.remote, step.text});
            break;
        case ScriptStep::Restore:
            session.restoreRemote(step.remote);
            printer.fault({step.line, step.remote, std::nullopt});
            break;
        case ScriptStep::State: printer.state(session.state(), step.line); break;
    }
    return kExitDone;
}

}  // namespace

const Operation& requireOperation(const std::string& name) {
    if (const Operation* operation = findOperation(name)) return *operation;
    std::string message = "unknown operation '" + name + "'; closest:";
    for (const std::string& candidate : closest(name, operationNames())) message += " " + candidate;
    throw ArgumentError(message + " (mgmtctl list shows them all)");
}

const mgmtdesc::Operation& wireOf(const Operation& operation) {
    if (const mgmtdesc::Operation* wire = mgmtdesc::findOperation(operation.name)) return *wire;
    throw std::logic_error(std::string("no wire reference for ") + operation.name);
}

int listOperations(Printer& printer, bool verbose) {
    for (const Operation& operation : operations()) printer.operation(operation, wireOf(operation), verbose);
    printer.legend();
    return kExitDone;
}

int describeOperation(Printer& printer, const std::string& name) {
    const Operation& operation = requireOperation(name);
    printer.describe(operation, wireOf(operation));
    return kExitDone;
}

int callOperation(Session& session, Printer& printer, const std::vector<std::string>& words) {
    BoundCall call = bindCall(session, words, 0);
    return perform(session, printer, call);
}

int runScript(Session& session, Printer& printer, const std::string& path, bool keepGoing) {
    const std::string source = path == "-" ? "standard input" : path;
    const std::vector<ScriptLine> lines = readScriptFile(path);
    // Every line is checked before the first one runs, so a bad line never
    // leaves the service half-way through a script.
    std::vector<ScriptStep> steps;
    for (const ScriptLine& line : lines) {
        try {
            steps.push_back(bindStep(session, line));
        } catch (const ArgumentError& error) {
            throw ArgumentError(source + ": line " + std::to_string(line.number) + ": " + error.what());
        }
    }
    int status = kExitDone;
    for (ScriptStep& step : steps) {
        if (perform(session, printer, step) == kExitDone) continue;
        status = kExitCallFailed;
        if (keepGoing) continue;
        printer.problem(source + ": line " + std::to_string(step.line) +
                            ": an exception reached the caller; stopping here (--keep-going runs on)",
                        status);
        break;
    }
    return status;
}

int showState(Session& session, Printer& printer) {
    printer.state(session.state(), 0);
    return kExitDone;
}

}  // namespace mgmtctl
