// The bus floor of a whole service, for the client-process benchmark: every
// remote method under the telephone's signatures (BusNames.h), its arguments
// unread, answered at once with every reply value in its slot but left out
// (so the proxies read nothing and write no record). What sdbus-c++ and the
// bus cost without the transport's and the telephone's work.
#pragma once

#include <string>

// The raw service's name beside the telephone's.
inline constexpr const char* kRawBusName = "mgmt.RawService";

// Serves on the bus at `address` under `busName` until the process is ended.
int runRawService(const std::string& address, const char* busName);
