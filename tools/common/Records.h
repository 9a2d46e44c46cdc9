// The tools' output, one record per thing that happened: a JSON object whose
// "record" names what it is. Output.h prints records as JSON lines or as
// text. The records of an exchange with the service are made here, from the
// kit's JSON of it, for mgmtctl's calls, its monitor and the simulated
// telephone's trace alike.
#pragma once

#include <vector>

#include <nlohmann/json.hpp>

#include "testing/Exchange.h"

namespace mgmtctl {

// Keys keep the order they were added in.
using Record = nlohmann::ordered_json;

// From an exchange as mgmtkit::toJson writes it (an entry of the call
// record): a request record, then a reply record with its parameters or the
// text the service failed with (none for a one-way call); a notification is
// one callback record. Passwords are hidden.
std::vector<Record> exchangeRecords(const Record& exchange);
std::vector<Record> exchangeRecords(const mgmtkit::Exchange& exchange);

}  // namespace mgmtctl
