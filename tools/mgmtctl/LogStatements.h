// Where the proxies' log statements really are. A record carries the proxy's
// fixed path and the statement's line, and several source files write under
// the same path, so the tool looks the statement up to show its real place.
#pragma once

#include <string>
#include <vector>

#include "Framework.h"

namespace mgmtctl {

struct LogStatement {
    const char* recordFile;  // the path its records carry ("./src/LocalMgmtProxy")
    int line;
    const char* source;  // the file it is in, from the project's root
    const char* format;
};

// Every log statement of the proxies, made from their sources at build time.
const std::vector<LogStatement>& logStatements();

// "src/localmgmt/FileCatalogue.cpp:79" for the statement that wrote the
// record; empty when no statement of this build matches it.
std::string sourceOf(const LogRecord& record);

}  // namespace mgmtctl
