// One JSON object per line, each with a "record" key naming what it is:
// call, request, reply, log, stdout, reboot, result, error, note, operation,
// type, fault, state, callback; and on the error stream, fatal.
#include <string>

#include "ArgumentTypes.h"
#include "Enumerations.h"
#include "Json.h"
#include "LogStatements.h"
#include "Printer.h"

namespace mgmtctl {

namespace {

std::string namedValues(const NamedValues& values) {
    JsonObject object;
    for (const auto& [name, value] : values) object.raw(name.c_str(), value.json());
    return object.str();
}

std::string parameters(const Method& method) {
    std::string out = "[";
    for (const Parameter& p : method.parameters()) {
        if (out.size() > 1) out += ',';
        out += JsonObject()
                   .text("name", p.name())
                   .text("kind", nameOf(p.kind()))
                   .text("direction", nameOf(p.direction()))
                   .raw("value", shownParameter(p).json())
                   .str();
    }
    return out + "]";
}

template <class Value>
std::string wireParameters(const std::vector<Value>& wire) {
    std::string out = "[";
    for (const Value& p : wire) {
        if (out.size() > 1) out += ',';
        out += JsonObject()
                   .text("name", p.name)
                   .text("kind", nameOf(p.kind))
                   .text("direction", nameOf(p.direction))
                   .str();
    }
    return out + "]";
}

class JsonPrinter : public Printer {
public:
    JsonPrinter(std::ostream& out, std::ostream& errors) : out_(out), errors_(errors) {}

    void callStart(const CallStart& start) override {
        operation_ = start.operation;
        JsonObject object;
        object.text("record", "call")
            .text("operation", start.operation)
            .raw("arguments", namedValues(start.arguments));
        if (start.line > 0) object.number("line", start.line);
        line(object);
    }

    void log(const LogRecord& record) override {
        line(JsonObject()
                 .text("record", "log")
                 .number("level", record.level)
                 .text("component", record.component)
                 .text("file", record.file)
                 .number("line", record.line)
                 .text("source", sourceOf(record))
                 .text("format", record.format)
                 .text("message", record.message));
    }

    void request(const ExchangeEvent& exchange) override {
        line(JsonObject()
                 .text("record", "request")
                 .text("method", exchange.request.name())
                 .text("style", styleName(exchange.style))
                 .number("timeout", exchange.timeout)
                 .text("callbackChannel", exchange.callbackChannel)
                 .raw("parameters", parameters(exchange.request)));
    }

    void reply(const ExchangeEvent& exchange) override {
        if (exchange.failure)
            line(JsonObject()
                     .text("record", "reply")
                     .text("method", exchange.request.name())
                     .text("failure", *exchange.failure));
        else if (exchange.reply)
            line(JsonObject()
                     .text("record", "reply")
                     .text("method", exchange.request.name())
                     .raw("parameters", parameters(*exchange.reply)));
    }

    void callback(const CallbackEvent& callback) override {
        line(JsonObject()
                 .text("record", "callback")
                 .text("agent", callback.agent)
                 .text("channel", callback.channel)
                 .text("method", callback.notification.name())
                 .raw("parameters", parameters(callback.notification)));
    }

    void printed(const StdoutEvent& printed) override {
        line(JsonObject().text("record", "stdout").text("text", printed.text));
    }

    void reboot() override { line(JsonObject().text("record", "reboot")); }

    void result(const ResultEvent& result) override {
        line(JsonObject()
                 .text("record", "result")
                 .text("operation", operation_)
                 .text("type", result.type)
                 .raw("value", result.value.json())
                 .raw("out", namedValues(result.outs)));
    }

    void error(const ErrorEvent& error) override {
        line(JsonObject().text("record", "error").text("operation", operation_).text("text", error.text));
    }

    void note(std::string_view text) override {
        line(JsonObject().text("record", "note").text("text", text));
    }

    void operation(const Operation& op, const mgmtdesc::Operation& wire, bool verbose) override {
        std::string args = "[";
        for (const ArgShape& shape : op.args) {
            if (args.size() > 1) args += ',';
            args += JsonObject()
                        .text("name", shape.name)
                        .text("type", typeName(shape.type))
                        .flag("optional", shape.optional)
                        .str();
        }
        JsonObject object;
        object.text("record", "operation")
            .text("interface", op.interfaceName)
            .text("name", op.name)
            .text("member", op.memberName())
            .raw("arguments", args + "]")
            .text("result", op.result)
            .text("remote", wire.remote);
        if (verbose) {
            JsonObject failure;
            if (wire.failure.format != nullptr) failure.text("format", wire.failure.format).number("level", wire.failure.level);
            object.raw("wire", JsonObject()
                                   .text("remote", wire.remote)
                                   .raw("request", wireParameters(wire.request))
                                   .raw("reply", wireParameters(wire.reply))
                                   .text("style", styleName(wire.style))
                                   .number("timeout", wire.timeout)
                                   .text("pattern", mgmtdesc::nameOf(wire.pattern))
                                   .raw("failure", wire.failure.format == nullptr ? "null" : failure.str())
                                   .str());
        }
        line(object);
    }

    void describe(const Operation& op, const mgmtdesc::Operation& wire) override { operation(op, wire, true); }

    void legend() override {
        for (ArgType type : enumerationTypes()) {
            const Enumeration& table = *enumerationOf(type);
            JsonObject values;
            for (const Enumerator& e : table.enumerators()) values.number(e.name, e.value);
            line(JsonObject()
                     .text("record", "type")
                     .text("name", typeName(type))
                     .raw("values", values.str())
                     .number("largest", table.largestValue()));
        }
    }

    void fault(const FaultChange& change) override {
        JsonObject object;
        object.text("record", "fault").number("line", change.line).text("remote", change.remote);
        if (change.text)
            object.text("failure", *change.text);
        else
            object.raw("failure", "null");
        line(object);
    }

    void state(const std::string& description, int at) override {
        JsonObject values;
        std::string_view rest = description;
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            const std::string_view entry = rest.substr(0, end);
            const std::size_t colon = entry.find(": ");
            if (colon != std::string_view::npos)
                values.text(std::string(entry.substr(0, colon)).c_str(), entry.substr(colon + 2));
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
        JsonObject object;
        object.text("record", "state").raw("values", values.str());
        if (at > 0) object.number("line", at);
        line(object);
    }

    void problem(std::string_view text, int status) override {
        errors_ << JsonObject().text("record", "fatal").text("text", text).number("status", status).str() << '\n';
    }

private:
    void line(const JsonObject& object) { out_ << object.str() << '\n'; }

    std::ostream& out_;
    std::ostream& errors_;
    std::string operation_;
};

}  // namespace

std::unique_ptr<Printer> makeJsonPrinter(std::ostream& out, std::ostream& errors) {
    return std::make_unique<JsonPrinter>(out, errors);
}

}  // namespace mgmtctl
