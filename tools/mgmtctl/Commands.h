// The tool's commands. Each returns the process's exit status.
#pragma once

#include <string>
#include <vector>

#include "Printer.h"
#include "Session.h"

namespace mgmtctl {

enum ExitStatus { kExitDone = 0, kExitCallFailed = 1, kExitBadInput = 2 };

int listOperations(Printer& printer);
// words: the operation's name, then its arguments.
int callOperation(Session& session, Printer& printer, const std::vector<std::string>& words);
// `path` "-" reads standard input.
int runScript(Session& session, Printer& printer, const std::string& path);
int showDemo(Session& session, Printer& printer, const ProxyLibrary& library, int logLevel);

// The operation of that name; an unknown one throws ArgumentError naming the
// closest.
const Operation& requireOperation(const std::string& name);

}  // namespace mgmtctl
