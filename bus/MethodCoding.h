// Remote-call records in and out of D-Bus messages: a parameter as a value
// of its own D-Bus type, a remote method's signature, and a whole record as
// one self-describing struct "(sa(siv))" (name; parameters as name,
// direction, value) for the messages whose shape is not fixed per method
// (notifications, the exchange signal).
#pragma once

#include <string>
#include <vector>

#include <sdbus-c++/Message.h>

#include "Framework.h"
#include "description/ServiceDescription.h"

namespace mgmtbus {

inline constexpr const char* kMethodSignature = "(sa(siv))";

// "i", "s" or "b".
const char* typeCode(Parameter::kinds kind);
// Throws CorvexException for any other D-Bus type.
Parameter::kinds kindOfType(const std::string& type);

void appendValue(sdbus::Message& message, const Parameter& parameter);
// The stand-in for a value the service left out.
void appendZero(sdbus::Message& message, Parameter::kinds kind);
// Reads the next value, whatever of the three types it is, into `into`.
void readValue(sdbus::Message& message, Method& into, const std::string& name,
               Parameter::directions direction);

// A remote method as exported (BusNames.h): in, the request's values, then
// the callback channel; out, the reply values, then "replied" (nothing for a
// one-way method).
struct MethodSignature {
    std::string in, out;
    std::vector<std::string> inNames, outNames;
};
MethodSignature signatureOf(const mgmtdesc::Operation& method);

void appendMethod(sdbus::Message& message, const Method& method);
Method readMethod(sdbus::Message& message, Method::methodTypes type);

}  // namespace mgmtbus
