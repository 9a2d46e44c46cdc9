// Output of the tool: call records, list lines and explanations, as aligned
// plain text for people or as one JSON object per line for scripts.
#pragma once

#include <memory>
#include <ostream>
#include <string_view>

#include "Catalogue.h"
#include "Events.h"

namespace mgmtctl {

class Printer {
public:
    virtual ~Printer() = default;

    virtual void callStart(const CallStart& start) = 0;
    virtual void log(const LogRecord& record) = 0;
    virtual void request(const ExchangeEvent& exchange) = 0;
    virtual void reply(const ExchangeEvent& exchange) = 0;  // nothing for one-way calls
    virtual void printed(const StdoutEvent& printed) = 0;
    virtual void reboot() = 0;
    virtual void result(const ResultEvent& result) = 0;
    virtual void error(const ErrorEvent& error) = 0;

    virtual void note(std::string_view text) = 0;     // an explanation, as in the tour
    virtual void operation(const Operation& op) = 0;  // one line of `list`
    virtual void legend() = 0;                        // how arguments are written

    void event(const Event& event);
    void outcome(const CallOutcome& outcome);
};

std::unique_ptr<Printer> makeTextPrinter(std::ostream& out);
std::unique_ptr<Printer> makeJsonPrinter(std::ostream& out);

}  // namespace mgmtctl
