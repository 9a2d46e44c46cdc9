#include "Commands.h"

#include "ArgumentError.h"
#include "Faults.h"
#include "Reference.h"
#include "Script.h"

namespace mgmtctl {

namespace {

int perform(Session& session, Output& output, BoundCall& call, int line) {
    const CallOutcome outcome = session.perform(*call.operation, call.arguments, line);
    output.print(outcome.records);
    return outcome.reachedCaller ? kExitCallFailed : kExitDone;
}

Record stateRecord(const std::string& state, int line) {
    Record values = Record::object();
    std::string_view rest = state;
    while (!rest.empty()) {
        const std::string_view entry = rest.substr(0, std::min(rest.find('\n'), rest.size()));
        const std::size_t colon = entry.find(": ");
        if (colon != std::string_view::npos) values[std::string(entry.substr(0, colon))] = entry.substr(colon + 2);
        rest.remove_prefix(std::min(entry.size() + 1, rest.size()));
    }
    Record record = {{"record", "state"}, {"values", values}};
    if (line > 0) record["line"] = line;
    return record;
}

// One line of a script, checked: a call, a change of the scripted faults, or
// a look at the state.
struct ScriptStep {
    enum Kind { Call, Fail, Restore, State } kind;
    int line;
    BoundCall call;
    std::string remote;
    std::optional<std::string> text;
};

void expectOperands(const ScriptLine& line, std::size_t count, const char* usage) {
    if (line.words.size() != count + 1) throw ArgumentError(std::string("usage: ") + usage);
}

ScriptStep bindStep(Session& session, const ScriptLine& line) {
    const std::string& first = line.words.front();
    if (first == "fail") {
        expectOperands(line, 1, "fail REMOTE[=TEXT], one word: quote a TEXT with blanks, as in "
                                "fail uploadUserFile=\"disk full\"");
        const auto failure = parseFailure(line.words[1]);
        if (!failure) throw ArgumentError("fail needs a remote method name, as in fail REMOTE[=TEXT]");
        session.checkRemote(failure->first);
        return {ScriptStep::Fail, line.number, {}, failure->first, failure->second};
    }
    if (first == "restore") {
        expectOperands(line, 1, "restore REMOTE");
        session.checkRemote(line.words[1]);
        return {ScriptStep::Restore, line.number, {}, line.words[1], std::nullopt};
    }
    if (first == "state") {
        expectOperands(line, 0, "state (on a line of its own)");
        return {ScriptStep::State, line.number, {}, {}, std::nullopt};
    }
    // "call OPERATION ARGS..." reads as it does on the command line.
    std::vector<std::string> words(line.words.begin() + (first == "call" ? 1 : 0), line.words.end());
    if (words.empty()) throw ArgumentError("usage: call OPERATION ARGS... (or OPERATION ARGS...)");
    return {ScriptStep::Call, line.number, bindCall(session, words), {}, std::nullopt};
}

int perform(Session& session, Output& output, ScriptStep& step) {
    switch (step.kind) {
        case ScriptStep::Call: return perform(session, output, step.call, step.line);
        case ScriptStep::Fail: session.failRemote(step.remote, *step.text); break;
        case ScriptStep::Restore: session.restoreRemote(step.remote); break;
        case ScriptStep::State: output.print(stateRecord(session.state(), step.line)); return kExitDone;
    }
    output.print(Record{{"record", "fault"}, {"line", step.line}, {"remote", step.remote}, {"failure", step.text ? Record(*step.text) : Record()}});
    return kExitDone;
}

}  // namespace

BoundCall bindCall(Session& session, const std::vector<std::string>& words) {
    const mgmtdesc::Operation& operation = requireOperation(words.front());
    try {
        return {&operation, session.bind(operation, {words.begin() + 1, words.end()})};
    } catch (const ArgumentError& error) {
        throw ArgumentError(std::string(error.what()) + "\nusage: " + Output::usageOf(operationRecord(operation, false)));
    }
}

int listOperations(Output& output, bool verbose) {
    std::vector<Record> records;
    for (const mgmtdesc::Operation* operation : callableOperations()) records.push_back(operationRecord(*operation, verbose));
    for (Record& type : enumerationRecords()) records.push_back(std::move(type));
    output.print(records);
    return kExitDone;
}

int describeOperation(Output& output, const std::string& name) {
    output.describe(operationRecord(requireOperation(name), true));
    return kExitDone;
}

int callOperation(Session& session, Output& output, const std::vector<std::string>& words) {
    BoundCall call = bindCall(session, words);
    return perform(session, output, call, 0);
}

int runScript(Session& session, Output& output, const std::string& path, bool keepGoing) {
    const std::string source = path == "-" ? "standard input" : path;
    // Every line is checked before the first one runs, so a bad line never
    // leaves the service half-way through a script.
    std::vector<ScriptStep> steps;
    for (const ScriptLine& line : readScriptFile(path)) {
        try {
            steps.push_back(bindStep(session, line));
        } catch (const ArgumentError& error) {
            throw ArgumentError(source + ": line " + std::to_string(line.number) + ": " + error.what());
        }
    }
    int status = kExitDone;
    for (ScriptStep& step : steps) {
        if (perform(session, output, step) == kExitDone) continue;
        status = kExitCallFailed;
        if (keepGoing) continue;
        output.problem(source + ": line " + std::to_string(step.line) +
                           ": an exception reached the caller; stopping here (--keep-going runs on)",
                       status);
        break;
    }
    return status;
}

int showState(Session& session, Output& output) {
    output.print(stateRecord(session.state(), 0));
    return kExitDone;
}

}  // namespace mgmtctl
