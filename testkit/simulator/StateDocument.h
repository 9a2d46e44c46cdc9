// The whole state of a simulated telephone as one JSON document, both ways:
// SimulatedPhone's stateDocument() writes it and setState() reads it, and the
// served telephone's State and SetState pass it on unchanged. Not installed:
// nlohmann stays inside the kit.
//
// {"device":  {"busyStatus", "identifier", "displayName", "softwareVersion",
//              "environment": {"<selection>": value} (1, 2, 3, 5; 0 and 4 are
//              the identifier and the software version), "factoryResetPassword",
//              "softwareUpgrades", "reboots", "lastRebootReason",
//              "factoryResets", "factoryResetsPreservingData"},
//  "users":   {"current", "clearedAll", "clearedMobile",
//              "clearedGroups": {"<group>": count}, "cleanedUp": {"<file type>.<user kind>": count}},
//  "files":   {"types": {"<file type>": {"description", "countLimit", "nameLimit",
//              "files": [...], "download": "idle", "in progress" or "done"}},
//              "userFiles": {"<user kind>": {"<file type>": [...]}}, "downloadsStarted", "uploads"},
//  "data":    {"nodes": {"<node>": value}, "editableByUser": [...], "schemas": {"<first part>": "<schema>"}},
//  "agents":  {"registered": {"<management id>": {"channel", "bulkData"}},
//              "observing": {"<callback channel>": {"<node>": bulk data}}},
//  "events":  {"traps": [{"dest", "trapNo"} or {"dest", "data"}], "notifications": [...],
//              "actionEvents": [{"type"[, "data"]}], "locationRequests"},
//  "faults":  {"<remote method>": {"fail": text[, "calls": n]} or {"lateMs": n} or {"malformed": text}}}
//
// Passwords (the factory reset password, data nodes whose name mentions one)
// are written as "********"; read back, that keeps the value held before.
// Reading starts from a fresh telephone: whatever the document leaves out
// keeps its starting value, and a key it does not know is refused.
#pragma once

#include <map>
#include <string>

#include "testing/FaultScript.h"
#include "testing/PhoneState.h"

namespace mgmtkit {

class StateDocument {
public:
    using Faults = std::map<std::string, FaultScript::Fault>;

    static std::string write(const PhoneState& state, const Faults& faults);
    // Fills `fresh` (a newly made state) and `faults` from the document;
    // hidden passwords keep their values in `current`. Throws
    // std::invalid_argument naming the key that does not fit.
    static void read(const std::string& document, const PhoneState& current, PhoneState& fresh, Faults& faults);
};

}  // namespace mgmtkit
