/// \file
/// Where the management service lives on the bus and how its messages are
/// laid out, shared by the channel, the service and the tools.
///
/// Every remote method is a D-Bus method of the same name on
/// kRemoteInterface. Its in-arguments are the request's values in the order
/// the proxies add them, typed `i` (INT), `s` (STRING) or `b` (BOOL), followed
/// by the string "callbackChannel" (empty when the call has none). Its
/// out-arguments are the reply values in the order the proxies read them,
/// followed by "replied", an array of strings naming each reply value the
/// service filled in; a value the service left out still takes its slot
/// (0, "" or false) and is named "" in "replied", so the caller sees it as
/// absent. One-way methods have no out-arguments and are sent without
/// expecting a reply.
#pragma once

namespace mgmtbus {

/// The service's well-known bus name.
inline constexpr const char* kServiceBusName = "mgmt.LocalMgmtService";
/// The object the service serves every interface on.
inline constexpr const char* kServicePath = "/mgmt/LocalMgmtService";
/// The remote methods, one D-Bus method each.
inline constexpr const char* kRemoteInterface = "mgmt.LocalMgmtService.Remote";

/// Scripted faults, the call record and the state, for people and tests
/// driving the service (BusControl.h).
inline constexpr const char* kControlInterface = "mgmt.LocalMgmtService.Control";
/// One signal per exchange, for monitors: (caller, style, request,
/// callbackChannel, timeout, outcome, reply, failure). A notification the
/// service sent an observer has the style kNotificationStyle, the observer's
/// bus name as its caller and its channel as the callback channel.
inline constexpr const char* kMonitorInterface = "mgmt.LocalMgmtService.Monitor";
/// The monitor interface's signal, one per exchange.
inline constexpr const char* kExchangeSignal = "Exchange";
/// The style of an Exchange signal that shows a notification.
inline constexpr const char* kNotificationStyle = "notification";

/// The service's lifecycle: it takes its name only once it serves, and emits
/// Stopping (no arguments) before it gives the name up on a clean stop.
inline constexpr const char* kLifecycleInterface = "mgmt.LocalMgmtService.Lifecycle";
/// Emitted before the service gives its name up on a clean stop.
inline constexpr const char* kStoppingSignal = "Stopping";

/// Observers' objects in the client process: Notify(method, parameters).
inline constexpr const char* kAgentInterface = "mgmt.Agent";
/// Where a client serves its observers' objects: this, then a number.
inline constexpr const char* kAgentPathPrefix = "/mgmt/agent/";

/// The error a service answers with when the call failed; its message is the
/// service's own text.
inline constexpr const char* kFailedError = "mgmt.Error.Failed";

/// The last in-argument of every remote method.
inline constexpr const char* kChannelArgument = "callbackChannel";
/// The last out-argument of every synchronous remote method.
inline constexpr const char* kRepliedArgument = "replied";

/// A synchronous call without a time-out of its own gives up after this long, in ms.
inline constexpr int kDefaultTimeoutMs = 25000;

}  // namespace mgmtbus
