#include "testing/WireReference.h"

namespace mgmtkit {

const char* nameOf(Parameter::kinds kind) {
    switch (kind) {
        case Parameter::INT: return "int";
        case Parameter::STRING: return "string";
        case Parameter::BOOL: return "bool";
    }
    return "?";
}

const char* nameOf(Parameter::directions direction) {
    switch (direction) {
        case Parameter::IN: return "in";
        case Parameter::OUT: return "out";
        case Parameter::INOUT: return "inout";
    }
    return "?";
}

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
