// Opening a connection to the session bus or to a bus given by its address.
#pragma once

#include <memory>
#include <string>

#include <sdbus-c++/IConnection.h>

namespace mgmtbus {

// Empty address: the session bus. Throws CorvexException naming the bus
// when it cannot be reached.
std::unique_ptr<sdbus::IConnection> connectToBus(const std::string& address);

// "the session bus" or "the bus at ADDRESS", for messages.
std::string describeBus(const std::string& address);

}  // namespace mgmtbus
