// Writes the wire reference as C++ source, from the operation table: the
// request entries ("<kind>:<name>=<value>", kind i, s or b, in capitals when
// INOUT), the reads, the wire style and time-out, the pattern and the
// failure record. Any entry it cannot read stops the build.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "OperationTable.h"

namespace {

using reliability::Operation;

const char* kindName(Parameter::kinds kind) {
    switch (kind) {
        case Parameter::INT: return "Parameter::INT";
        case Parameter::STRING: return "Parameter::STRING";
        case Parameter::BOOL: return "Parameter::BOOL";
    }
    throw std::logic_error("unknown parameter kind");
}

const char* directionName(Parameter::directions direction) {
    switch (direction) {
        case Parameter::IN: return "Parameter::IN";
        case Parameter::OUT: return "Parameter::OUT";
        case Parameter::INOUT: return "Parameter::INOUT";
    }
    throw std::logic_error("unknown parameter direction");
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + '"';
}

std::string parameter(const std::string& name, Parameter::kinds kind, Parameter::directions direction) {
    return "{" + quoted(name) + ", " + kindName(kind) + ", " + directionName(direction) + "}";
}

// One request entry, "<kind>:<name>=<value>".
std::string requestParameter(const std::string& entry) {
    const std::size_t equals = entry.find('=');
    if (entry.size() < 3 || entry[1] != ':' || equals == std::string::npos)
        throw std::runtime_error("request entry is not <kind>:<name>=<value>: " + entry);
    const char letter = entry[0];
    const Parameter::directions direction = std::isupper(static_cast<unsigned char>(letter))
                                                ? Parameter::INOUT
                                                : Parameter::IN;
    Parameter::kinds kind;
    switch (std::tolower(static_cast<unsigned char>(letter))) {
        case 'i': kind = Parameter::INT; break;
        case 's': kind = Parameter::STRING; break;
        case 'b': kind = Parameter::BOOL; break;
        default: throw std::runtime_error("unknown kind letter in request entry: " + entry);
    }
    return parameter(entry.substr(2, equals - 2), kind, direction);
}

std::string style(const reliability::Wire& wire) {
    const std::string name = wire.style != nullptr ? wire.style : "";
    const bool toChannel = wire.callbackChannel != nullptr && *wire.callbackChannel != '\0';
    if (name == "one-way") return "CallStyle::OneWay";
    if (name == "one-way with channel") return "CallStyle::OneWayWithChannel";
    if (name == "sync") return toChannel ? "CallStyle::SyncWithChannel" : "CallStyle::Sync";
    if (name == "sync with timeout") return "CallStyle::SyncWithTimeout";
    throw std::runtime_error("unknown wire style \"" + name + "\"");
}

std::string entry(const Operation& operation) {
    const reliability::Request& request = operation.request;
    if (request.remote == nullptr) throw std::runtime_error("no request");
    if (operation.interfaceName == nullptr) throw std::runtime_error("no interface");
    std::ostringstream out;
    out << "    {" << quoted(operation.name) << ", " << quoted(operation.interfaceName) << ", "
        << quoted(request.remote) << ",\n     {";
    const char* separator = "";
    for (const std::string& param : request.params) {
        out << separator << requestParameter(param);
        separator = ", ";
    }
    out << "},\n     {";
    separator = "";
    for (const reliability::Read& read : operation.reads) {
        out << separator << parameter(read.name, read.kind, read.direction);
        separator = ", ";
    }
    const reliability::FailureRecord& failure = operation.failure;
    out << "},\n     " << style(request.wire) << ", " << request.wire.timeout << ", '"
        << reliability::nameOf(operation.pattern) << "', "
        << quoted(failure.format != nullptr ? failure.format : "") << ", "
        << (failure.format != nullptr ? failure.level : 0) << "},\n";
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUTPUT.cpp\n";
        return 2;
    }
    std::ostringstream source;
    source << "// Generated from the operation table by generate_wire_reference; do not edit.\n"
              "#include \"testing/WireReference.h\"\n\n"
              "namespace mgmtkit {\n\n"
              "const std::vector<WireOperation>& wireReference() {\n"
              "    static const std::vector<WireOperation> operations = {\n";
    for (const Operation& operation : reliability::operations()) {
        try {
            source << entry(operation);
        } catch (const std::exception& error) {
            std::cerr << argv[0] << ": " << operation.name << ": " << error.what() << '\n';
            return 1;
        }
    }
    source << "    };\n    return operations;\n}\n\n}  // namespace mgmtkit\n";
    std::ofstream file(argv[1]);
    file << source.str();
    file.close();
    if (!file) {
        std::cerr << argv[0] << ": cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
