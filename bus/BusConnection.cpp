#include "BusConnection.h"

#include <sdbus-c++/Error.h>

#include "Framework.h"

namespace mgmtbus {

std::unique_ptr<sdbus::IConnection> connectToBus(const std::string& address) {
    try {
        return address.empty() ? sdbus::createSessionBusConnection()
                               : sdbus::createSessionBusConnectionWithAddress(address);
    } catch (const sdbus::Error& error) {
        throw CorvexException("cannot reach " + describeBus(address) + ": " + error.getMessage());
    }
}

std::string describeBus(const std::string& address) {
    return address.empty() ? std::string("the session bus") : "the bus at " + address;
}

}  // namespace mgmtbus
