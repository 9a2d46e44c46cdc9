#include "LogStatements.h"

namespace mgmtctl {

std::string sourceOf(const LogRecord& record) {
    const LogStatement* found = nullptr;
    int matches = 0;
    for (const LogStatement& statement : logStatements()) {
        if (record.file != statement.recordFile || record.line != statement.line) continue;
        ++matches;
        // Two files may put a statement on the same line; the format tells them apart.
        if (found == nullptr || record.format == statement.format) found = &statement;
    }
    if (found == nullptr || (matches > 1 && record.format != found->format)) return {};
    return std::string(found->source) + ':' + std::to_string(found->line);
}

}  // namespace mgmtctl
