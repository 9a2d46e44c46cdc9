// The tools' output, one record per thing that happened: a JSON object whose
// "record" names what it is. Output.h prints records as JSON lines or as
// text. The records of an exchange with the service are made here, for
// mgmtctl's calls, its monitor and the simulated telephone's trace alike.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Framework.h"
#include "description/ServiceDescription.h"

namespace mgmtctl {

// Keys keep the order they were added in.
using Record = nlohmann::ordered_json;

// The parameters of a request, reply or notification, each with its name,
// kind, direction and value; passwords hidden.
Record parametersOf(const Method& method);

// The request record, then the reply record: its parameters, or the text the
// service failed with. A one-way exchange has no reply record.
std::vector<Record> exchangeRecords(const Method& request, mgmtdesc::CallStyle style,
                                    const std::string& callbackChannel, int timeout, const Method* reply,
                                    const std::string* failure);

}  // namespace mgmtctl
