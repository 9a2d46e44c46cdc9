// What one call produced, in the order it happened: log records, the
// exchanges the simulated service saw, calls back to the tool's agents,
// anything printed, a requested reboot,
// and then either the result or the exception that reached the caller.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Call.h"
#include "Framework.h"
#include "testing/SimulatedPhone.h"
#include "description/ServiceDescription.h"
#include "Value.h"

namespace mgmtctl {

struct ExchangeEvent {
    Method request;
    mgmtdesc::CallStyle style;
    std::string callbackChannel;
    int timeout;
    std::optional<Method> reply;         // synchronous calls that were answered
    std::optional<std::string> failure;  // the text the service failed with
};

// A call back from the service to one of the tool's agents.
struct CallbackEvent {
    std::string agent;
    std::string channel;
    Method notification;
};

struct StdoutEvent {
    std::string text;
};

struct RebootEvent {};

struct ResultEvent {
    std::string type;
    Value value;
    NamedValues outs;
};

struct ErrorEvent {
    std::string text;
};

using Event =
    std::variant<LogRecord, ExchangeEvent, CallbackEvent, StdoutEvent, RebootEvent, ResultEvent, ErrorEvent>;

// The call as the user asked for it.
struct CallStart {
    std::string operation;
    NamedValues arguments;
    int line = 0;  // the script line, 0 outside `run`
};

struct CallOutcome {
    CallStart start;
    std::vector<Event> events;
    bool reachedCaller = false;  // an exception passed to the caller
};

// Spellings shared by the text and the JSON output.
using mgmtdesc::nameOf;
const char* styleName(mgmtdesc::CallStyle style);
// A parameter's value as shown: masked when its name mentions a password,
// password entries hidden inside manageable data.
Value shownParameter(const Parameter& parameter);

}  // namespace mgmtctl
