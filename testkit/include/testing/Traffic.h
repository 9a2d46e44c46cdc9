// The simulated telephone's record of its traffic, and a readable text of it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Framework.h"
#include "description/ServiceDescription.h"

namespace mgmtkit {

// One entry of the traffic record: a request and what came of it, or a
// notification sent to an observer. Method keeps every parameter's name, kind,
// direction and value.
struct TrafficEntry {
    enum Kind { Request, Notification } kind;
    Method message;                      // the request, or the notification
    mgmtdesc::CallStyle style;                     // OneWayWithChannel for notifications
    std::string callbackChannel;         // for notifications, the observer's channel
    int timeout;                         // 0 unless style is SyncWithTimeout
    std::optional<Method> reply;         // synchronous requests that were answered
    std::optional<std::string> failure;  // the CorvexException text thrown
};

// "<kind>:<name>=<value>", kind i, s or b; in capitals when INOUT, and
// prefixed with '>' when OUT.
std::string wireText(const Parameter& parameter);
// One line per request, "-> remote (style[ timeout])[ @channel] params",
// followed by "<- params" or "<- failed: text"; "=> remote @channel params"
// for a notification. Values are shown as sent, passwords included.
std::string trafficText(const std::vector<TrafficEntry>& traffic);

}  // namespace mgmtkit
