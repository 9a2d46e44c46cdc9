// Writes the operation reference page (Doxygen Markdown) from the service
// description: an index of every operation, one short section per operation,
// and the enumerations with their wire names.
//
// Each section links its member with an argument list; Doxygen resolves such a
// link only when the list matches a declaration, so the documentation build
// fails when a row's arguments drift from the header.
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "description/ServiceDescription.h"

namespace {

using namespace mgmtdesc;

// Text for Doxygen Markdown outside code spans: command, HTML and emphasis
// characters are taken literally, and a table cell stays one cell.
std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (std::string_view("\\@&$#<>%*|").find(c) != std::string_view::npos) out += '\\';
        out += c;
    }
    return out;
}

std::string code(std::string_view text) { return "`" + std::string(text) + "`"; }

std::string quoted(const char* text) {
    std::string out = "\"";
    for (const char* c = text; *c != '\0'; ++c) out += *c == '\n' ? std::string("\\n") : std::string(1, *c);
    return code(out + "\"");
}

std::string anchor(const Operation& op) { return std::string("op_") + op.name; }

// The class whose declaration a section links to: the proxy declares every
// operation, including the two LocalMgmtIfc inherits from a framework interface.
const char* declaringClass(Interface interface) {
    switch (interface) {
        case Interface::LocalMgmt:
        case Interface::LocalMgmtProxy: return "LocalMgmtProxy";
        case Interface::ActionEventRequest: return "ActionEventRequestProxy";
        case Interface::LocationDeliveryRequest: return "LocationDeliveryRequestProxy";
    }
    return "?";
}

// The description says how an argument is used, not how a read-only string is
// passed; this one the interface takes by value.
bool passedByValue(const Operation& op, const Argument& argument) {
    return std::string_view(op.name) == "startDownloadFromWithObserver" && std::string_view(argument.name) == "version";
}

// The argument's type as the proxy class declares it.
std::string cppType(const Operation& op, const Argument& argument) {
    const bool readOnly = argument.use == Use::In;
    switch (argument.type) {
        case ArgType::Text:
            return passedByValue(op, argument) ? "std::string" : readOnly ? "const std::string&" : "std::string&";
        case ArgType::List: return readOnly ? "const std::list<std::string>&" : "std::list<std::string>*";
        case ArgType::Data:
        case ArgType::TrapData:
        case ArgType::Info: return std::string(nameOf(argument.type)) + "&";
        case ArgType::EventType: return "ActionEventRequestIfc::EventType";
        case ArgType::Int:
        case ArgType::Unsigned:
        case ArgType::Bool:
        case ArgType::FileType:
        case ArgType::UserType:
        case ArgType::TrapDest:
        case ArgType::EnvVar:
        case ArgType::UserDataGroup:
        case ArgType::Protocol:
        case ArgType::Certificate:
        case ArgType::AccessLevel:
        case ArgType::Editable:
        case ArgType::Agent:
        case ArgType::Observer: return nameOf(argument.type);
    }
    return "?";
}

std::string cppResult(const Operation& op) {
    return std::string_view(op.result) == "string" ? "std::string" : op.result;
}

// The signature, its member linked to the declaration.
std::string signature(const Operation& op) {
    std::string types, parameters;
    for (const Argument& argument : op.arguments) {
        const std::string type = cppType(op, argument);
        types += (types.empty() ? "" : ", ") + type;
        parameters += (parameters.empty() ? "" : ", ") + escaped(type) + " " + argument.name;
    }
    return "<code>" + escaped(cppResult(op)) + " \\ref " + declaringClass(op.interface) + "::" + op.member + "(" +
           types + ") \"" + op.member + "\"(" + parameters + ")</code>";
}

// Which argument a request value carries, and in what form.
std::string carries(const Operation& op, const Sent& sent) {
    if (sent.from == nullptr) return "always empty";
    const Argument* argument = op.argument(sent.from);
    const std::string name = code(sent.from);
    if (argument == nullptr) return name;
    if (const Enumeration* table = enumerationOf(argument->type))
        return name + (sent.kind == Parameter::STRING
                           ? ", by its \\ref enum_" + std::string(nameOf(table->type)) + " \"wire name\""
                           : ", its number");
    switch (argument->type) {
        case ArgType::List: return name + ", the list as one text";
        case ArgType::Data:
        case ArgType::TrapData: return name + ", serialised";
        default: return name;
    }
}

// Where a reply value lands.
std::string landsIn(const Operation& op, const Read& read) {
    switch (read.role) {
        case Role::Result: return "the result";
        case Role::Status: return "must be `\"SUCCESS\"`, or nothing after it is read";
        case Role::Argument: {
            std::string text = code(read.into);
            const Argument* argument = op.argument(read.into);
            switch (argument != nullptr ? argument->type : ArgType::Text) {
                case ArgType::Data: text += ", refilled"; break;
                case ArgType::Info: text += ", filled in"; break;
                case ArgType::List: text += ", the list read back"; break;
                default: break;
            }
            return read.emptiesFirst ? text + " (emptied first)" : text;
        }
    }
    return "?";
}

std::string callbackArgument(const Operation& op) {
    for (const Argument& argument : op.arguments)
        if (argument.type == ArgType::Agent || argument.type == ArgType::Observer) return code(argument.name);
    return "the observer";
}

std::string sending(const Operation& op) {
    std::string text = "**Sends** " + code(op.remote) + ", " + nameOf(op.style);
    if (carriesCallbackChannel(op.style)) text += " (" + callbackArgument(op) + "'s channel)";
    if (op.timeout != 0)
        text += "; gives up after " + std::to_string(op.timeout) + " ms";
    else if (op.synchronous())
        text += "; waits as long as the channel does";
    else
        text += "; returns once the channel has it";
    return text + ".";
}

std::string returning(const Operation& op) {
    if (op.starting == nullptr) return "**Returns** nothing.";
    const std::string value = code(*op.starting != '\0' ? op.starting : "\"\"");
    if (!op.synchronous()) return "**Returns** " + value + " once sent.";
    if (op.trueOnceRead) return "**Returns** `true` once the last reply value has been read, else " + value + ".";
    return "**Returns** " + code(cppResult(op)) + ", starting as " + value + ".";
}

// failureBehaviour's sentence with its quoted record set as code.
std::string onFailure(const Operation& op) {
    const std::string sentence = failureBehaviour(op);
    const std::size_t open = sentence.find('"'), close = sentence.rfind('"');
    std::string text = "**On failure** (pattern " + std::string(nameOf(op.pattern)) + ") ";
    if (open == std::string::npos || close == open) return text + escaped(sentence) + ".";
    return text + escaped(sentence.substr(0, open)) + code(sentence.substr(open, close - open + 1)) +
           escaped(sentence.substr(close + 1)) + ".";
}

void section(std::ostream& out, const Operation& op) {
    out << "### " << op.name << " {#" << anchor(op) << "}\n\n" << signature(op) << "\n\n";
    out << "- " << sending(op) << "\n";
    out << "- " << returning(op) << "\n";
    if (op.localShortcut)
        out << "- **In process** the service's implementation, when it lives in this process, answers instead; "
               "nothing is sent.\n";
    out << "- " << onFailure(op) << "\n";
    if (op.trace.format != nullptr)
        out << "- **Entry trace** " << quoted(op.trace.format) << " at level " << op.trace.level << ".\n";
    else
        out << "- **Entry trace** none.\n";
    out << "\n";
    if (op.request.empty() && op.reply.empty()) return;
    out << "| | Value | Kind | Direction | From / into |\n|---|---|---|---|---|\n";
    const char* group = "request";
    for (const Sent& sent : op.request) {
        out << "| " << group << " | " << code(sent.name) << " | " << nameOf(sent.kind) << " | "
            << nameOf(sent.direction) << " | " << carries(op, sent) << " |\n";
        group = "";
    }
    group = "reply";
    for (const Read& read : op.reply) {
        out << "| " << group << " | " << code(read.name) << " | " << nameOf(read.kind) << " | "
            << nameOf(read.direction) << " | " << landsIn(op, read) << " |\n";
        group = "";
    }
    out << "\n";
}

void patterns(std::ostream& out) {
    out << "| Pattern | Call | When the channel throws `CorvexException` |\n|---|---|---|\n"
           "| A | one-way | it reaches the caller; no record |\n"
           "| B | one-way with callback channel | it reaches the caller; no record |\n"
           "| C | synchronous | it reaches the caller; no record |\n"
           "| D | synchronous | a level-3 record when level 3 is on; the result keeps its value |\n"
           "| E | synchronous | a level-2 record with the exception's text; the result keeps its value |\n"
           "| F | synchronous with time-out | the text is reported, the telephone reboots itself, `true` is "
           "returned |\n\n";
}

// One table per interface: operation, remote method, call style, pattern.
void index(std::ostream& out) {
    std::optional<Interface> current;
    for (const Operation& op : operations()) {
        if (current != op.interface) {
            if (current) out << "\n";
            out << "### " << nameOf(op.interface) << "\n\n"
                << "| Operation | Remote method | Call style | Pattern |\n|---|---|---|---|\n";
        }
        current = op.interface;
        out << "| \\ref " << anchor(op) << " \"" << op.name << "\" | " << code(op.remote) << " | " << nameOf(op.style)
            << " | \\ref operations_patterns \"" << nameOf(op.pattern) << "\" |\n";
    }
    out << "\n";
}

void enumerationSection(std::ostream& out, const Enumeration& table) {
    const char* type = nameOf(table.type);
    out << "### " << type << " {#enum_" << type << "}\n\n";
    out << "The " << table.noun << ". ";
    if (table.fallbackWireName != nullptr)
        out << "Sent as a string, a value travels by its wire name, a value without one as "
            << code(table.fallbackWireName) << "; sent as an int, by its number.\n\n";
    else
        out << "Travels as its number; any int is forwarded.\n\n";
    out << "| Enumerator | Value |" << (table.fallbackWireName != nullptr ? " Wire name |\n|---|---|---|\n" : "\n|---|---|\n");
    for (const Enumerator& e : table.enumerators) {
        out << "| " << (e.identifier != nullptr ? code(e.identifier) : "(none)") << " | " << e.value << " |";
        if (table.fallbackWireName != nullptr) out << ' ' << (e.wireName != nullptr ? code(e.wireName) : "") << " |";
        out << '\n';
    }
    out << '\n';
}

void page(std::ostream& out) {
    out << "# Operation reference {#operations}\n\n"
           "Every remote operation of the three services, and the enumerations they send. This page is written "
           "from the service description (`mgmtdesc::operations()`, `mgmtdesc::enumerations()`) each time the "
           "documentation is built.\n\n"
           "Each operation's section gives its C++ member (linked to its declaration), the remote method and call "
           "style, what it returns, what a failure does, its entry trace, and the request's values in sending order "
           "and the reply's values in reading order, each with the argument it carries or where it lands. Kinds and "
           "directions are those of `Parameter`. A proxy not yet bound by `initProxy` throws `std::logic_error` "
           "naming the operation and sends nothing.\n\n"
           "- \\ref operations_index\n- \\ref operations_patterns\n- \\ref operations_enumerations\n\n";
    out << "## Index {#operations_index}\n\n";
    index(out);
    out << "## Failure patterns {#operations_patterns}\n\n";
    patterns(out);
    std::optional<Interface> current;
    for (const Operation& op : operations()) {
        if (current != op.interface) {
            out << "## " << nameOf(op.interface) << " {#operations_" << nameOf(op.interface) << "}\n\n";
            if (op.interface == Interface::LocalMgmtProxy)
                out << "Members of the proxy class alone, reached through a `LocalMgmtProxy`.\n\n";
        }
        current = op.interface;
        section(out, op);
    }
    out << "## Enumerations {#operations_enumerations}\n\n";
    for (const Enumeration& table : enumerations()) enumerationSection(out, table);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_operation_reference FILE.md\n";
        return 2;
    }
    std::ostringstream text;
    page(text);
    std::ofstream file(argv[1]);
    file << text.str();
    if (!file.flush()) {
        std::cerr << "write_operation_reference: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
