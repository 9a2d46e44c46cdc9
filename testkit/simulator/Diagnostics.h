// Answers that depend only on what is asked: ping and traceroute reports and
// the checks of trap settings.
#pragma once

#include <string>

namespace mgmtkit {

std::string pingReport(const std::string& address);
std::string tracerouteReport(const std::string& address);

// Decimal digits only, 1 to 65535.
bool isValidTrapPort(const std::string& port);
// A dotted quad of decimal numbers 0 to 255, each of one to three digits.
bool isValidTrapAddress(const std::string& address);

}  // namespace mgmtkit
