/// \file
/// The simulated service's record of its exchanges, and two readings of it:
/// text for people, JSON for programs (the served telephone's GetCalls, the
/// tools' records).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Framework.h"
#include "description/ServiceDescription.h"
#include "testing/Clock.h"

namespace mgmtkit {

/// One exchange: a request and what came of it, or a notification the service
/// sent an observer. Method keeps every parameter's name, kind, direction and
/// value.
struct Exchange {
    /// What was exchanged: a Request from a client, or a Notification the
    /// service sent an observer.
    enum Kind { Request, Notification };

    /// An exchange as recorded; `caller` and `time` are set afterwards.
    Exchange(Kind kind, Method message, mgmtdesc::CallStyle style, std::string callbackChannel = std::string(),
             int timeout = 0, std::optional<Method> reply = std::nullopt,
             std::optional<std::string> failure = std::nullopt)
        : kind(kind), message(std::move(message)), style(style), callbackChannel(std::move(callbackChannel)),
          timeout(timeout), reply(std::move(reply)), failure(std::move(failure)) {}

    Kind kind;                           ///< A request or a notification.
    Method message;                      ///< The request, or the notification.
    mgmtdesc::CallStyle style;           ///< OneWayWithChannel for notifications.
    std::string callbackChannel;         ///< For notifications, the observer's channel.
    int timeout = 0;                     ///< 0 unless style is SyncWithTimeout.
    std::optional<Method> reply;         ///< Synchronous requests that were answered.
    std::optional<std::string> failure;  ///< The CorvexException text thrown, or why a notification did not go out.
    std::string caller;                  ///< The calling client's bus name (for a notification, the one
                                         ///< whose call wrote the data); empty in process.
    Clock::Time time{};                  ///< When it was answered or sent, by the channel's clock.
};

/// One parameter as the text records show it: `<kind>:<name>=<value>`, kind
/// i, s or b; in capitals when INOUT, and prefixed with '>' when OUT.
std::string wireText(const Parameter& parameter);
/// The record as text, one line per request, "-> remote (style[ timeout])[
/// @channel] params", followed by "<- params" or "<- failed: text"; "=> remote
/// @channel params" for a notification. Values are shown as sent, passwords
/// included.
std::string callsText(const std::vector<Exchange>& calls);

/// One exchange as a JSON object, passwords hidden. Its keys:
///
///     {"kind": "request" or "notification", "method": remote method,
///      "style": call style (mgmtdesc::nameOf), "timeout": ms, "callbackChannel",
///      "caller": bus name, "time": "YYYY-MM-DDThh:mm:ss.uuuuuuZ" (UTC),
///      "parameters": [{"name", "kind", "direction", "value"}, ...],
///      "outcome": "answered", "sent" (one-way calls, notifications) or "failed",
///      "reply": parameters as above (answered only), "failure": text (failed only)}
std::string toJson(const Exchange& exchange);
/// The record as a JSON document: {"calls": [each exchange as toJson()
/// writes it, in order], "dropped": the number of earlier exchanges no longer
/// kept}.
std::string callsJson(const std::vector<Exchange>& calls, std::size_t dropped = 0);

}  // namespace mgmtkit
