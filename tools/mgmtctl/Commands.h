// The tool's commands. Each returns the process's exit status; bad input
// throws ArgumentError for the caller to report.
#pragma once

#include <string>
#include <vector>

#include "Printer.h"
#include "Session.h"

namespace mgmtctl {

enum ExitStatus { kExitDone = 0, kExitCallFailed = 1, kExitBadInput = 2 };

int listOperations(Printer& printer, bool verbose);
int describeOperation(Printer& printer, const std::string& name);
// words: the operation's name, then its arguments.
int callOperation(Session& session, Printer& printer, const std::vector<std::string>& words);
// `path` "-" reads standard input. Without `keepGoing` the script stops at
// the first line whose call lets an exception reach the caller.
int runScript(Session& session, Printer& printer, const std::string& path, bool keepGoing);
int showState(Session& session, Printer& printer);
int showDemo(Session& session, Printer& printer, const ProxyLibrary& library, int logLevel);

// The operation of that name; an unknown one throws ArgumentError naming the
// closest.
const Operation& requireOperation(const std::string& name);
// The operation's wire reference; every operation of the tool has one.
const mgmtdesc::Operation& wireOf(const Operation& operation);

}  // namespace mgmtctl
