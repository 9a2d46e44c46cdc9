// Output of the tool: call records, list lines and explanations, as aligned
// plain text for people or as one JSON object per line for scripts. Errors go
// to a stream of their own (standard error), in the same form.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "Catalogue.h"
#include "Events.h"
#include "description/ServiceDescription.h"

namespace mgmtctl {

// A script line that changes the service's scripted faults.
struct FaultChange {
    int line;
    std::string remote;
    std::optional<std::string> text;  // the failure from now on; empty: answered again
};

class Printer {
public:
    virtual ~Printer() = default;

    virtual void callStart(const CallStart& start) = 0;
    virtual void log(const LogRecord& record) = 0;
    virtual void request(const ExchangeEvent& exchange) = 0;
    virtual void reply(const ExchangeEvent& exchange) = 0;  // nothing for one-way calls
    virtual void callback(const CallbackEvent& callback) = 0;
    virtual void printed(const StdoutEvent& printed) = 0;
    virtual void reboot() = 0;
    virtual void result(const ResultEvent& result) = 0;
    virtual void error(const ErrorEvent& error) = 0;

    virtual void note(std::string_view text) = 0;     // an explanation, as in the tour
    // One operation of `list`: its line, and with `verbose` its wire reference.
    virtual void operation(const Operation& op, const mgmtdesc::Operation& wire, bool verbose) = 0;
    virtual void describe(const Operation& op, const mgmtdesc::Operation& wire) = 0;
    virtual void legend() = 0;                        // how arguments are written
    virtual void fault(const FaultChange& change) = 0;
    // The simulated telephone's state, as "key: value" lines; line 0 outside a script.
    virtual void state(const std::string& description, int line) = 0;

    // Why the tool stops, with the exit status it stops with; on the error stream.
    virtual void problem(std::string_view text, int status) = 0;

    void event(const Event& event);
    void outcome(const CallOutcome& outcome);
};

std::unique_ptr<Printer> makeTextPrinter(std::ostream& out, std::ostream& errors);
std::unique_ptr<Printer> makeJsonPrinter(std::ostream& out, std::ostream& errors);

}  // namespace mgmtctl
