// The tool's commands. Each returns the process's exit status; bad input
// throws ArgumentError for the caller to report.
#pragma once

#include <string>
#include <vector>

#include "CommandLine.h"
#include "Output.h"
#include "Session.h"

namespace mgmtctl {

int listOperations(Output& output, bool verbose);
int describeOperation(Output& output, const std::string& name);
// words: the operation's name, then its arguments.
int callOperation(Session& session, Output& output, const std::vector<std::string>& words);
// `path` "-" reads standard input. Without `keepGoing` the script stops at
// the first line whose call lets an exception reach the caller.
int runScript(Session& session, Output& output, const std::string& path, bool keepGoing);
int showState(Session& session, Output& output);
// The telephone's call record, each exchange after a note of its time and caller.
int showCalls(Session& session, Output& output);
// clear-calls, reset and set-state FILE: a change of the telephone that prints nothing.
int controlTelephone(Session& session, const Options& options);
int showDemo(Session& session, Output& output, const ProxyLibrary& library, int logLevel);

// The call a command line or a script line asks for, bound to its values.
struct BoundCall {
    const mgmtdesc::Operation* operation;
    std::vector<ArgumentValue> arguments;
};
// Throws ArgumentError, with the operation's usage when its arguments do not fit.
BoundCall bindCall(Session& session, const std::vector<std::string>& words);

}  // namespace mgmtctl
