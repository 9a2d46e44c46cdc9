// The operations as `list` and `describe` show them and `call` names them:
// every row of the service description that an interface reaches (members of
// the proxy class alone are not called through one).
#pragma once

#include <string>
#include <vector>

#include "Records.h"
#include "description/ServiceDescription.h"

namespace mgmtctl {

using mgmtdesc::Operation;

std::vector<const Operation*> callableOperations();
std::vector<std::string> operationNames();
const Operation* findCallable(const std::string& name);
// Throws ArgumentError naming the closest names.
const Operation& requireOperation(const std::string& name);

// The operation with its arguments, result and remote method, and with
// `wire` its whole row: request, reply, style, time-out, pattern, failure.
Record operationRecord(const Operation& operation, bool wire);
// Every enumeration: its values by name and the largest value it holds.
std::vector<Record> enumerationRecords();

}  // namespace mgmtctl
