/// \file
/// Any operation called by its row in the service description: the arguments
/// as values of the row's types, the call made through the operation's
/// interface, what it writes back landing in those values. mgmtctl calls the
/// proxies this way from a command line, and tests call every operation this
/// way without a line of their own per operation.
#pragma once

#include <list>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "ActionEventRequestIfc.h"
#include "LocalMgmtIfc.h"
#include "LocationDeliveryRequestIfc.h"
#include "description/ServiceDescription.h"

namespace mgmtkit {

/// An observer or management agent as the operations take it: observers as
/// Executable*, agents as MgmtAgentIfc*. Both null: none given.
struct AgentHandle {
    MgmtAgentIfc* agent = nullptr;     ///< What operations that take an agent get.
    Executable* executable = nullptr;  ///< What operations that take an observer get.

    /// The handle of an object that is both an agent and an Executable.
    template <class Both>
    static AgentHandle of(Both* object) {
        return {object, object};
    }
};

/// One argument of an operation, of its row's type; enumerations as their int.
using ArgumentValue = std::variant<int, unsigned int, bool, std::string, std::list<std::string>, ManageableData,
                                   SNMPTrapData, MemoryInfo, AgentHandle>;

/// The interfaces operations are called through. Only the operation's own
/// must be given; callOperation() throws std::invalid_argument without it.
struct ServiceInterfaces {
    LocalMgmtIfc* local = nullptr;                   ///< The local management service.
    ActionEventRequestIfc* actions = nullptr;        ///< Action events.
    LocationDeliveryRequestIfc* location = nullptr;  ///< Location delivery.
};

/// The empty value of an argument type: 0, false, "", an empty list or object,
/// no agent.
ArgumentValue emptyValue(mgmtdesc::ArgType type);

/// Calls the operation through its interface with `arguments`, one per argument
/// of the row and of its type; what the operation writes back through its
/// references lands in them. Returns the result, nothing for void. Arguments
/// that do not fit the row, or a missing interface, throw
/// std::invalid_argument, a member of the proxy class alone (no interface
/// reaches it) std::logic_error, and whatever the operation throws passes on.
///
/// \code
/// const mgmtdesc::Operation& row = *mgmtdesc::findOperation("getFileTypeCountLimit");
/// std::vector<mgmtkit::ArgumentValue> arguments;
/// for (const auto& argument : row.arguments) arguments.push_back(mgmtkit::emptyValue(argument.type));
/// auto result = mgmtkit::callOperation(row, {service}, arguments);  // an int, for this row
/// \endcode
std::optional<ArgumentValue> callOperation(const mgmtdesc::Operation& operation, const ServiceInterfaces& services,
                                           std::vector<ArgumentValue>& arguments);

}  // namespace mgmtkit
