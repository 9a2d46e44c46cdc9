#include "Commands.h"

#include <functional>

#include "BadInput.h"
#include "Faults.h"
#include "Reference.h"
#include "Script.h"

namespace mgmtctl {

namespace {

int perform(Session& session, Output& output, BoundCall& call, int line) {
    const std::vector<Record> records = session.perform(*call.operation, call.arguments, line);
    output.print(records);
    return records.back()["record"] == "error" ? kExitCallFailed : kExitDone;
}

Record stateRecord(Session& session, int line) {
    Record record = {{"record", "state"}, {"state", Record::parse(session.state())}};
    if (line > 0) record["line"] = line;
    return record;
}

// One line of a script, checked before any runs: a call, a change of the
// scripted faults, or a look at the state. Returns what running it does.
std::function<int()> bindStep(Session& session, Output& output, const ScriptLine& line) {
    const std::vector<std::string>& words = line.words;
    const auto expect = [&words](std::size_t operands, const char* usage) {
        if (words.size() != operands + 1) throw ArgumentError(std::string("usage: ") + usage);
    };
    const auto fault = [&session, &output, number = line.number](std::string name, std::optional<std::string> text) {
        const std::string remote = Session::remoteNamed(name);
        return [&session, &output, number, remote, text] {
            text ? session.failRemote(remote, *text) : session.restoreRemote(remote);
            output.print(Record{{"record", "fault"}, {"line", number}, {"remote", remote},
                                {"failure", text ? Record(*text) : Record()}});
            return kExitDone;
        };
    };
    if (words.front() == "fail") {
        expect(1, "fail REMOTE[=TEXT], one word: quote a TEXT with blanks, as in fail uploadUserFile=\"disk full\"");
        const auto failure = parseFailure(words[1]);
        if (!failure) throw ArgumentError("fail needs a remote method name, as in fail REMOTE[=TEXT]");
        return fault(failure->first, failure->second);
    }
    if (words.front() == "restore") {
        expect(1, "restore REMOTE");
        return fault(words[1], std::nullopt);
    }
    if (words.front() == "state") {
        expect(0, "state (on a line of its own)");
        return [&session, &output, number = line.number] {
            output.print(stateRecord(session, number));
            return kExitDone;
        };
    }
    // "call OPERATION ARGS..." reads as it does on the command line.
    const std::vector<std::string> call(words.begin() + (words.front() == "call" ? 1 : 0), words.end());
    if (call.empty()) throw ArgumentError("usage: call OPERATION ARGS... (or OPERATION ARGS...)");
    return [&session, &output, bound = bindCall(session, call), number = line.number]() mutable {
        return perform(session, output, bound, number);
    };
}

}  // namespace

BoundCall bindCall(Session& session, const std::vector<std::string>& words) {
    const mgmtdesc::Operation& operation = requireOperation(words.front());
    try {
        return {&operation, session.bind(operation, {words.begin() + 1, words.end()})};
    } catch (const ArgumentError& error) {
        throw ArgumentError(std::string(error.what()) +
                            "\nusage: " + Output::usageOf(operationRecord(operation, false)));
    }
}

int listOperations(Output& output, bool verbose) {
    std::vector<Record> records;
    for (const mgmtdesc::Operation* operation : callableOperations())
        records.push_back(operationRecord(*operation, verbose));
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
    std::vector<std::pair<int, std::function<int()>>> steps;
    for (const ScriptLine& line : readScriptFile(path)) {
        try {
            steps.emplace_back(line.number, bindStep(session, output, line));
        } catch (const ArgumentError& error) {
            throw ArgumentError(source + ": line " + std::to_string(line.number) + ": " + error.what());
        }
    }
    int status = kExitDone;
    for (auto& [line, step] : steps) {
        if (step() == kExitDone) continue;
        status = kExitCallFailed;
        if (keepGoing) continue;
        output.problem(source + ": line " + std::to_string(line) +
                           ": an exception reached the caller; stopping here (--keep-going runs on)",
                       status);
        break;
    }
    return status;
}

int showState(Session& session, Output& output) {
    output.print(stateRecord(session, 0));
    return kExitDone;
}

int showCalls(Session& session, Output& output) {
    const Record record = Record::parse(session.calls());
    for (const Record& exchange : record["calls"]) {
        const std::string caller = exchange["caller"];
        output.note(exchange["time"].get<std::string>() + (caller.empty() ? "" : " from " + caller));
        output.print(exchangeRecords(exchange));
    }
    if (record["dropped"] != 0) output.note("(" + record["dropped"].dump() + " earlier exchanges are no longer kept)");
    return kExitDone;
}

int controlTelephone(Session& session, const Options& options) {
    if (options.command == "clear-calls") session.clearCalls();
    if (options.command == "reset") session.reset();
    if (options.command == "set-state") session.setState(readInput(options.file));
    return kExitDone;
}

}  // namespace mgmtctl
