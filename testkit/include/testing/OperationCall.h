// Any operation called by its row in the service description: the arguments
// as values of the row's types, the call made through the operation's
// interface, what it writes back landing in those values. mgmtctl calls the
// proxies this way from a command line, and tests call every operation this
// way without a line of their own per operation.
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

// An observer or management agent as the operations take it: observers as
// Executable*, agents as MgmtAgentIfc*. Both null: none given.
struct AgentHandle {
    MgmtAgentIfc* agent = nullptr;
    Executable* executable = nullptr;

    template <class Both>
    static AgentHandle of(Both* object) {
        return {object, object};
    }
};

// One argument of an operation, of its row's type; enumerations as their int.
using ArgumentValue = std::variant<int, unsigned int, bool, std::string, std::list<std::string>, ManageableData,
                                   SNMPTrapData, MemoryInfo, AgentHandle>;

// The interfaces operations are called through.
struct ServiceInterfaces {
    LocalMgmtIfc* local = nullptr;
    ActionEventRequestIfc* actions = nullptr;
    LocationDeliveryRequestIfc* location = nullptr;
};

// The empty value of an argument type: 0, false, "", an empty list or object,
// no agent.
ArgumentValue emptyValue(mgmtdesc::ArgType type);

// Calls the operation through its interface with `arguments`, one per argument
// of the row and of its type; what the operation writes back through its
// references lands in them. Returns the result, nothing for void. Arguments
// that do not fit the row throw std::invalid_argument, a member of the proxy
// class alone (no interface reaches it) std::logic_error, and whatever the
// operation throws passes on.
std::optional<ArgumentValue> callOperation(const mgmtdesc::Operation& operation, const ServiceInterfaces& services,
                                           std::vector<ArgumentValue>& arguments);

}  // namespace mgmtkit
