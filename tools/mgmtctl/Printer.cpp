#include "Printer.h"

namespace mgmtctl {

namespace {

struct Dispatch {
    Printer& printer;
    void operator()(const LogRecord& record) { printer.log(record); }
    void operator()(const ExchangeEvent& exchange) {
        printer.request(exchange);
        printer.reply(exchange);
    }
    void operator()(const CallbackEvent& callback) { printer.callback(callback); }
    void operator()(const StdoutEvent& printed) { printer.printed(printed); }
    void operator()(const RebootEvent&) { printer.reboot(); }
    void operator()(const ResultEvent& result) { printer.result(result); }
    void operator()(const ErrorEvent& error) { printer.error(error); }
};

}  // namespace

void Printer::event(const Event& event) { std::visit(Dispatch{*this}, event); }

void Printer::outcome(const CallOutcome& outcome) {
    callStart(outcome.start);
    for (const Event& e : outcome.events) event(e);
}

}  // namespace mgmtctl
