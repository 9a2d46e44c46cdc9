#include "testing/WireReference.h"

namespace mgmtkit {

const WireOperation* findOperation(std::string_view operation) {
    for (const WireOperation& entry : wireReference())
        if (entry.operation == operation) return &entry;
    return nullptr;
}

std::vector<const WireOperation*> findRemote(std::string_view remote) {
    std::vector<const WireOperation*> found;
    for (const WireOperation& entry : wireReference())
        if (entry.remote == remote) found.push_back(&entry);
    return found;
}

}  // namespace mgmtkit
