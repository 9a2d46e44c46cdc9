#include "Output.h"

#include <algorithm>
#include <utility>

#include "testing/Masking.h"

namespace mgmtctl {

namespace {

constexpr const char* kIndent = "           ";

// Bytes that are not UTF-8 become U+FFFD rather than stopping the output.
std::string dumped(const Record& value) { return value.dump(-1, ' ', false, Record::error_handler_t::replace); }

// A value as the text form shows it: JSON, on one line, with a blank after
// each comma and colon.
std::string shown(const Record& value) {
    if (!value.is_structured()) return dumped(value);
    std::string text;
    for (const auto& item : value.items()) {
        text += text.empty() ? "" : ", ";
        if (value.is_object()) text += dumped(item.key()) + ": ";
        text += shown(item.value());
    }
    return value.is_object() ? "{" + text + "}" : "[" + text + "]";
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

std::string column(const char* label) { return padded(std::string(label) + ' ', 9); }

std::string kind(const Record& record) { return record.value("record", std::string()); }

const std::string& field(const Record& record, const char* key) { return record.at(key).get_ref<const std::string&>(); }

// A log message on one line: its final line feed dropped, shown quoted when
// it holds any other control character.
std::string oneLine(std::string message) {
    if (!message.empty() && message.back() == '\n') message.pop_back();
    const bool plain = std::none_of(message.begin(), message.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
    return plain ? message : dumped(message);
}

// One name column for a request and its reply.
std::size_t nameWidth(const std::vector<Record>& records, std::size_t at) {
    std::size_t width = 10;
    const auto widen = [&width](const Record& record) {
        for (const Record& p : record.value("parameters", Record::array()))
            width = std::max(width, field(p, "name").size());
    };
    widen(records[at]);
    if (kind(records[at]) == "request" && at + 1 < records.size() && kind(records[at + 1]) == "reply")
        widen(records[at + 1]);
    if (kind(records[at]) == "reply" && at > 0 && kind(records[at - 1]) == "request") widen(records[at - 1]);
    return width;
}

// `words` on lines of at most 79 columns, each starting with `indent`.
std::string wrapped(const std::vector<std::string>& words, const std::string& indent) {
    std::string text, line = indent;
    for (const std::string& word : words) {
        if (line.size() > indent.size() && line.size() + 1 + word.size() > 79) {
            text += line + '\n';
            line = indent;
        }
        line += (line.size() > indent.size() ? " " : "") + word;
    }
    return text + line + '\n';
}

// Each line of `text` in the second column, `label` in the first.
void lines(std::ostream& out, const char* label, std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        out << (label != nullptr ? column(label) : kIndent) << text.substr(0, end) << '\n';
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

void parameters(std::ostream& out, const Record& parameters, std::size_t width) {
    for (const Record& p : parameters)
        out << kIndent << padded(p["name"], width) << "  " << padded(p["kind"], 6) << "  " << padded(p["direction"], 5)
            << "  " << shown(p["value"]) << '\n';
}

void wireReference(std::ostream& out, const Record& operation, const std::string& indent) {
    const Record& wire = operation["wire"];
    out << indent << "remote method  " << field(wire, "remote") << '\n'
        << indent << "call style     " << field(wire, "style")
        << (wire["timeout"] == 0 ? "" : " " + std::to_string(wire["timeout"].get<int>()) + " ms") << '\n';
    for (const char* what : {"request", "reply"}) {
        std::size_t width = 0;
        for (const Record& p : wire[what]) width = std::max(width, field(p, "name").size());
        out << indent << padded(what, 15);
        if (wire[what].empty()) out << "(no parameters)\n";
        bool first = true;
        for (const Record& p : wire[what]) {
            out << (first ? "" : indent + std::string(15, ' ')) << padded(p["name"], width) << "  "
                << padded(p["kind"], 6) << "  " << field(p, "direction") << '\n';
            first = false;
        }
    }
    const mgmtdesc::Operation* row = mgmtdesc::findOperation(field(operation, "name"));
    out << indent << "on failure     pattern " << field(wire, "pattern") << ": "
        << (row != nullptr ? mgmtdesc::failureBehaviour(*row) : "?") << '\n';
}

// The legend of `list`: how arguments are written, then each enumeration with
// every name it is known by.
void enumeration(std::ostream& out, const Record& type, bool first, bool last) {
    if (first)
        out << "\nArguments:\n"
            << "  bool              true or false (also yes/no, on/off, 1/0)\n"
            << "  int, unsigned     decimal, or hexadecimal with 0x\n"
            << "  string            as given; \"\" for the empty string\n"
            << "  list              a,b,c; \"\" for the empty list; \\, for a comma inside a name\n"
            << "  ManageableData    key=value;key=value; \"\" for none; \\; and \\= escape\n"
            << "  SNMPTrapData      key=value;key=value\n"
            << "  MgmtAgentIfc*     an agent name such as agent1 (one object per name for the\n"
            << "  Executable*       whole session, so one callback channel), or none for null\n"
            << "Enumerations, by name or by number (up to the largest value the type holds):\n";
    const mgmtdesc::Enumeration* enumeration = nullptr;
    for (const mgmtdesc::Enumeration& e : mgmtdesc::enumerations())
        if (field(type, "name") == mgmtdesc::nameOf(e.type)) enumeration = &e;
    const bool byName = enumeration != nullptr && enumeration->fallbackWireName != nullptr;
    out << "  " << field(type, "name") << " (0 to " << type["largest"] << ")"
        << (byName ? ", as name|HEADER_NAME=value (either name, or the value):\n"
                   : ", as NAME=value (the name or the value):\n");
    std::vector<std::string> names;
    for (const auto& [name, value] : type["values"].items()) {
        const mgmtdesc::Enumerator* e = enumeration != nullptr ? enumeration->find(name) : nullptr;
        const bool alias = e != nullptr && e->identifier != nullptr && e->wireName != nullptr;
        names.push_back(name + (alias ? std::string("|") + e->identifier : "") + "=" +
                        std::to_string(value.get<int>()));
    }
    out << wrapped(names, "      ");
    if (last)
        out << "Arguments in [brackets] may be left out; they start empty. Values whose name\n"
            << "contains \"password\" are printed as " << mgmtkit::kMask << ".\n";
}

}  // namespace

Output::Output(std::string program, bool json, std::ostream& out, std::ostream& errors)
    : program_(std::move(program)), json_(json), out_(out), errors_(errors) {}

void Output::print(const std::vector<Record>& records) {
    for (std::size_t at = 0; at < records.size(); ++at) {
        if (json_)
            out_ << dumped(records[at]) << '\n';
        else
            text(records, at);
    }
    out_.flush();
}

void Output::describe(const Record& operation) {
    if (json_) return print(operation);
    out_ << field(operation, "name") << "    " << field(operation, "interface") << "::" << field(operation, "member")
         << "\n  usage          mgmtctl call " << usageOf(operation) << '\n';
    wireReference(out_, operation, "  ");
}

void Output::problem(std::string_view text, int status) {
    if (json_)
        errors_ << dumped({{"record", "fatal"}, {"text", text}, {"status", status}}) << '\n';
    else
        errors_ << program_ << ": " << text << '\n';
}

std::string Output::usageOf(const Record& operation) {
    std::string usage = field(operation, "name");
    for (const Record& argument : operation["arguments"]) {
        const std::string shape = field(argument, "name") + ":" + field(argument, "type");
        usage += argument["optional"].get<bool>() ? " [" + shape + "]" : " " + shape;
    }
    return usage + " -> " + field(operation, "result");
}

void Output::block() {
    if (blocks_++ > 0) out_ << '\n';
}

void Output::text(const std::vector<Record>& records, std::size_t at) {
    const Record& r = records[at];
    const std::string what = kind(r);
    if (what == "call") {
        block();
        std::string arguments;
        for (const auto& [name, value] : r["arguments"].items())
            arguments += (arguments.empty() ? "" : ", ") + name + "=" + shown(value);
        out_ << column("call") << (r.contains("line") ? "line " + std::to_string(r["line"].get<int>()) + ": " : "")
             << field(r, "operation") << '(' << arguments << ")\n";
    } else if (what == "log") {
        out_ << column("log") << "level " << r["level"] << "  " << field(r, "file") << ':' << r["line"]
             << (field(r, "source").empty() ? "" : " (" + field(r, "source") + ")") << "  " << oneLine(r["message"])
             << '\n';
    } else if (what == "request") {
        const auto style = mgmtdesc::styleNamed(field(r, "style"));
        out_ << column("request") << field(r, "method") << "  (" << field(r, "style");
        if (style == mgmtdesc::CallStyle::SyncWithTimeout) out_ << ' ' << r["timeout"];
        if (style && mgmtdesc::carriesCallbackChannel(*style)) out_ << ' ' << dumped(r["callbackChannel"]);
        out_ << ")\n";
        parameters(out_, r["parameters"], nameWidth(records, at));
    } else if (what == "reply" && r.contains("failure")) {
        out_ << column("reply") << "none: the service failed with " << dumped(r["failure"]) << '\n';
    } else if (what == "reply") {
        out_ << (r["parameters"].empty() ? column("reply") + "(no parameters)" : "reply") << '\n';
        parameters(out_, r["parameters"], nameWidth(records, at));
    } else if (what == "callback") {
        out_ << column("callback") << field(r, "method") << "  ("
             << (r.contains("agent") ? "to " + field(r, "agent") + " " : "") << "on " << dumped(r["channel"]) << ")\n";
        parameters(out_, r["parameters"], nameWidth(records, at));
    } else if (what == "stdout") {
        lines(out_, "stdout", field(r, "text"));
    } else if (what == "reboot") {
        out_ << column("reboot") << "GPALAdmin::rebootDevice() called: a real telephone restarts here\n";
    } else if (what == "result") {
        out_ << column("result") << field(r, "type") << (r["value"].is_null() ? "" : " " + shown(r["value"])) << '\n';
        for (const auto& [name, value] : r["out"].items()) out_ << kIndent << name << " = " << shown(value) << '\n';
    } else if (what == "error") {
        out_ << column("error") << field(r, "text") << "  (passed to the caller)\n";
    } else if (what == "note") {
        out_ << field(r, "text") << '\n';
        blocks_ = 0;  // a call right after an explanation belongs to it
    } else if (what == "operation") {
        operation(r);
    } else if (what == "type") {
        enumeration(out_, r, at == 0 || kind(records[at - 1]) != "type",
                    at + 1 == records.size() || kind(records[at + 1]) != "type");
    } else if (what == "fault") {
        block();
        out_ << column(r["failure"].is_null() ? "restore" : "fail") << "line " << r["line"] << ": "
             << field(r, "remote")
             << (r["failure"].is_null() ? " is answered again"
                                        : " now throws CorvexException(" + dumped(r["failure"]) + ")")
             << '\n';
    } else if (what == "state") {
        block();
        out_ << column("state") << (r.contains("line") ? "line " + std::to_string(r["line"].get<int>()) : "") << '\n';
        lines(out_, nullptr, r["state"].dump(2, ' ', false, Record::error_handler_t::replace));
    }
}

void Output::operation(const Record& r) {
    const std::string interface = r["interface"];
    if (interface_.empty())
        out_ << "Each operation with its arguments and result, then the remote method it sends\n"
                "(what --fail takes).\n";
    if (interface_ != interface) {
        interface_ = interface;
        number_ = 0;
        out_ << '\n' << interface << ":\n";
    }
    ++number_;
    out_ << (number_ < 10 ? "   " : "  ") << number_ << "  " << usageOf(r) << "    sends " << field(r, "remote")
         << (r["member"] == r["name"] ? "" : "    (" + interface + "::" + field(r, "member") + ")") << '\n';
    if (r.contains("wire")) wireReference(out_, r, "        ");
}

}  // namespace mgmtctl
