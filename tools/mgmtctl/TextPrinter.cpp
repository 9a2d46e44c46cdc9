// Plain text: the record's kind in a fixed-width first column, parameters
// indented below it, values quoted as in JSON so that blanks and control
// characters stay visible.
#include <algorithm>
#include <string>

#include "ArgumentTypes.h"
#include "Enumerations.h"
#include "Json.h"
#include "LogStatements.h"
#include "Masking.h"
#include "Printer.h"

namespace mgmtctl {

namespace {

constexpr const char* kIndent = "           ";

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

std::string column(const char* label) { return padded(std::string(label) + ' ', 9); }

// A log message on one line: its final line feed dropped, any other control
// character shown escaped.
std::string oneLine(std::string_view message) {
    if (!message.empty() && message.back() == '\n') message.remove_suffix(1);
    const bool plain = std::none_of(message.begin(), message.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
    return plain ? std::string(message) : jsonString(message);
}

class TextPrinter : public Printer {
public:
    TextPrinter(std::ostream& out, std::ostream& errors) : out_(out), errors_(errors) {}

    void callStart(const CallStart& start) override {
        if (blocks_++ > 0) out_ << '\n';
        out_ << column("call");
        if (start.line > 0) out_ << "line " << start.line << ": ";
        out_ << start.operation << '(';
        bool first = true;
        for (const auto& [name, value] : start.arguments) {
            out_ << (first ? "" : ", ") << name << '=' << value.json();
            first = false;
        }
        out_ << ")\n";
    }

    void log(const LogRecord& record) override {
        out_ << column("log") << "level " << record.level << "  " << record.file << ':' << record.line;
        const std::string source = sourceOf(record);
        if (!source.empty()) out_ << " (" << source << ')';
        out_ << "  " << oneLine(record.message) << '\n';
    }

    void request(const ExchangeEvent& exchange) override {
        out_ << column("request") << exchange.request.name() << "  (" << styleName(exchange.style);
        if (exchange.style == mgmtdesc::CallStyle::SyncWithTimeout) out_ << ' ' << exchange.timeout;
        if (exchange.style == mgmtdesc::CallStyle::OneWayWithChannel ||
            exchange.style == mgmtdesc::CallStyle::SyncWithChannel)
            out_ << ' ' << jsonString(exchange.callbackChannel);
        out_ << ")\n";
        parameters(exchange.request, nameWidth(exchange));
    }

    void reply(const ExchangeEvent& exchange) override {
        if (exchange.failure) {
            out_ << column("reply") << "none: the service failed with " << jsonString(*exchange.failure)
                 << '\n';
        } else if (exchange.reply) {
            out_ << (exchange.reply->parameters().empty() ? column("reply") + "(no parameters)" : "reply")
                 << '\n';
            parameters(*exchange.reply, nameWidth(exchange));
        }
    }

    void callback(const CallbackEvent& callback) override {
        out_ << column("callback") << callback.notification.name() << "  (to " << callback.agent << " on "
             << jsonString(callback.channel) << ")\n";
        std::size_t width = 10;
        for (const Parameter& p : callback.notification.parameters()) width = std::max(width, p.name().size());
        parameters(callback.notification, width);
    }

    void printed(const StdoutEvent& printed) override {
        std::string_view text = printed.text;
        while (!text.empty()) {
            const std::size_t end = std::min(text.find('\n'), text.size());
            out_ << column("stdout") << text.substr(0, end) << '\n';
            text.remove_prefix(std::min(end + 1, text.size()));
        }
    }

    void reboot() override {
        out_ << column("reboot") << "GPALAdmin::rebootDevice() called: a real telephone restarts here\n";
    }

    void result(const ResultEvent& result) override {
        out_ << column("result") << result.type;
        if (result.value.kind() != Value::Kind::None) out_ << ' ' << result.value.json();
        out_ << '\n';
        for (const auto& [name, value] : result.outs)
            out_ << kIndent << name << " = " << value.json() << '\n';
    }

    void error(const ErrorEvent& error) override {
        out_ << column("error") << error.text << "  (passed to the caller)\n";
    }

    void note(std::string_view text) override {
        out_ << text << '\n';
        blocks_ = 0;  // a call right after an explanation belongs to it
    }

    void operation(const Operation& op, const mgmtdesc::Operation& wire, bool verbose) override {
        if (interface_.empty())
            out_ << "Each operation with its arguments and result, then the remote method it sends\n"
                    "(what --fail takes).\n";
        if (interface_ != op.interfaceName) {
            interface_ = op.interfaceName;
            number_ = 0;
            out_ << '\n' << op.interfaceName << ":\n";
        }
        ++number_;
        out_ << (number_ < 10 ? "   " : "  ") << number_ << "  " << usageOf(op) << "    sends " << wire.remote;
        if (op.member != nullptr) out_ << "    (" << op.interfaceName << "::" << op.member << ")";
        out_ << '\n';
        if (verbose) wireReference(wire, "        ");
    }

    void describe(const Operation& op, const mgmtdesc::Operation& wire) override {
        out_ << op.name << "    " << op.interfaceName << "::" << op.memberName() << '\n'
             << "  usage          mgmtctl call " << usageOf(op) << '\n';
        wireReference(wire, "  ");
    }

    void legend() override {
        out_ << "\nArguments:\n"
             << "  bool              true or false (also yes/no, on/off, 1/0)\n"
             << "  int, unsigned     decimal, or hexadecimal with 0x\n"
             << "  string            as given; \"\" for the empty string\n"
             << "  list              a,b,c; \"\" for the empty list; \\, for a comma inside a name\n"
             << "  ManageableData    key=value;key=value; \"\" for none; \\; and \\= escape\n"
             << "  SNMPTrapData      key=value;key=value\n"
             << "  MgmtAgentIfc*     an agent name such as agent1 (one object per name for the\n"
             << "  Executable*       whole session, so one callback channel), or none for null\n";
        out_ << "Enumerations, by name or by number (up to the largest value the type holds):\n";
        for (ArgType type : enumerationTypes()) {
            const Enumeration& table = *enumerationOf(type);
            const bool aliased = table.enumerators().back().alias != nullptr;
            out_ << "  " << typeName(type) << " (0 to " << table.largestValue() << ")";
            out_ << (aliased ? ", as name|HEADER_NAME=value (either name, or the value):\n"
                             : ", as NAME=value (the name or the value):\n");
            std::string names;
            for (const Enumerator& e : table.enumerators()) {
                names += names.empty() ? "" : " ";
                names += e.name;
                if (e.alias != nullptr) names += std::string("|") + e.alias;
                names += "=" + std::to_string(e.value);
            }
            wrapped(names, "      ");
        }
        out_ << "Arguments in [brackets] may be left out; they start empty. Values whose name\n"
             << "contains \"password\" are printed as " << kMask << ".\n";
    }

    void fault(const FaultChange& change) override {
        if (blocks_++ > 0) out_ << '\n';
        out_ << column(change.text ? "fail" : "restore") << "line " << change.line << ": " << change.remote;
        if (change.text)
            out_ << " now throws CorvexException(" << jsonString(*change.text) << ")\n";
        else
            out_ << " is answered again\n";
    }

    void state(const std::string& description, int line) override {
        if (blocks_++ > 0) out_ << '\n';
        out_ << column("state");
        if (line > 0) out_ << "line " << line;
        out_ << '\n';
        std::string_view rest = description;
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            out_ << kIndent << rest.substr(0, end) << '\n';
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }

    void problem(std::string_view text, int) override { errors_ << "mgmtctl: " << text << '\n'; }

private:
    void wireReference(const mgmtdesc::Operation& wire, const std::string& indent) {
        const std::string label = indent + "               ";
        out_ << indent << "remote method  " << wire.remote << '\n'
             << indent << "call style     " << styleName(wire.style);
        if (wire.timeout != 0) out_ << ' ' << wire.timeout << " ms";
        out_ << '\n';
        wireParameters("request", wire.request, indent);
        wireParameters("reply", wire.reply, indent);
        out_ << indent << "on failure     pattern " << nameOf(wire.pattern) << ": " << mgmtdesc::failureBehaviour(wire)
             << '\n';
    }

    template <class Value>
    void wireParameters(const char* what, const std::vector<Value>& parameters, const std::string& indent) {
        std::size_t width = 0;
        for (const auto& p : parameters) width = std::max(width, std::string_view(p.name).size());
        out_ << indent << padded(what, 15);
        if (parameters.empty()) out_ << "(no parameters)\n";
        bool first = true;
        for (const auto& p : parameters) {
            if (!first) out_ << indent << std::string(15, ' ');
            first = false;
            out_ << padded(p.name, width) << "  " << padded(nameOf(p.kind), 6) << "  " << nameOf(p.direction)
                 << '\n';
        }
    }

    // `words` on lines of at most 79 columns, each starting with `indent`.
    void wrapped(const std::string& words, const char* indent) {
        constexpr std::size_t kWidth = 79;
        std::string line = indent;
        std::size_t at = 0;
        while (at < words.size()) {
            const std::size_t end = std::min(words.find(' ', at), words.size());
            const std::string_view word = std::string_view(words).substr(at, end - at);
            if (line.size() > std::string_view(indent).size() && line.size() + 1 + word.size() > kWidth) {
                out_ << line << '\n';
                line = indent;
            }
            if (line.size() > std::string_view(indent).size()) line += ' ';
            line += word;
            at = end + 1;
        }
        out_ << line << '\n';
    }

    // One name column for request and reply, so that both line up.
    static std::size_t nameWidth(const ExchangeEvent& exchange) {
        std::size_t width = 10;
        for (const Parameter& p : exchange.request.parameters()) width = std::max(width, p.name().size());
        if (exchange.reply)
            for (const Parameter& p : exchange.reply->parameters()) width = std::max(width, p.name().size());
        return width;
    }

    void parameters(const Method& method, std::size_t width) {
        for (const Parameter& p : method.parameters())
            out_ << kIndent << padded(p.name(), width) << "  " << padded(nameOf(p.kind()), 6) << "  "
                 << padded(nameOf(p.direction()), 5) << "  " << shownParameter(p).json() << '\n';
    }

    std::ostream& out_;
    std::ostream& errors_;
    int blocks_ = 0;
    std::string interface_;
    int number_ = 0;
};

}  // namespace

std::unique_ptr<Printer> makeTextPrinter(std::ostream& out, std::ostream& errors) {
    return std::make_unique<TextPrinter>(out, errors);
}

}  // namespace mgmtctl
