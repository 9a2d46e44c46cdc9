// What every operation puts on the wire and reads back: for reading traffic
// and writing expectations. Generated at build time from the operation table
// the proxies' own tests check, so it cannot drift from what they send.
//
// failureFormat is the printf format of the record written when the remote
// call fails inside the proxy's guard; failureLevel is its log level, or 0
// when it is printed on standard output instead (performReboot).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Framework.h"
#include "testing/CallStyle.h"

namespace mgmtkit {

struct WireParameter {
    std::string name;
    Parameter::kinds kind;
    Parameter::directions direction;
};

struct WireOperation {
    std::string operation;      // unique, the name mgmtctl lists ("startDownloadWithObserver", ...)
    std::string interfaceName;  // "LocalMgmtIfc", "ActionEventRequestIfc", "LocationDeliveryRequestIfc", or "LocalMgmtProxy" for proxy-only members
    std::string remote;         // remote method name
    std::vector<WireParameter> request;  // sent, in order
    std::vector<WireParameter> reply;    // reply values the proxy reads, in read order
    CallStyle style;
    int timeout;                // ms, 0 when the style has none
    char pattern;               // 'A' .. 'F'
    std::string failureFormat;  // the record written when the call fails; empty when none
    int failureLevel;           // 2 or 3; 0 when none
};

// How traffic names a parameter's kind and direction: "int", "string",
// "bool"; "in", "out", "inout".
const char* nameOf(Parameter::kinds kind);
const char* nameOf(Parameter::directions direction);

// Every operation, LocalMgmtIfc in interface order first, then the proxy-only
// members, then the event interfaces.
const std::vector<WireOperation>& wireReference();
const WireOperation* findOperation(std::string_view operation);  // null when unknown
// Every operation that sends that remote method; empty when none.
std::vector<const WireOperation*> findRemote(std::string_view remote);

}  // namespace mgmtkit
