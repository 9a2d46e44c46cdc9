#include "bus/BusFailures.h"

#include <utility>

namespace mgmtbus {

BusCallFailed::BusCallFailed(const std::string& text, std::string remote, std::string busName)
    : CorvexException(text), remote_(std::move(remote)), busName_(std::move(busName)) {}
BusCallFailed::~BusCallFailed() = default;

ServiceFailed::ServiceFailed(const std::string& text, std::string remote, std::string busName)
    : BusCallFailed(text, std::move(remote), std::move(busName)) {}
ServiceFailed::~ServiceFailed() = default;

ServiceAbsent::ServiceAbsent(std::string remote, std::string busName)
    : BusCallFailed("service " + busName + " is not on the bus", std::move(remote), busName) {}
ServiceAbsent::~ServiceAbsent() = default;

ServiceWentAway::ServiceWentAway(std::string remote, std::string busName)
    : BusCallFailed("service " + busName + " went away before answering", std::move(remote), busName) {}
ServiceWentAway::~ServiceWentAway() = default;

ServiceTimedOut::ServiceTimedOut(std::string remote, std::string busName, int milliseconds)
    : BusCallFailed("no answer from service " + busName + " within " + std::to_string(milliseconds) + " ms",
                    std::move(remote), busName),
      milliseconds_(milliseconds) {}
ServiceTimedOut::~ServiceTimedOut() = default;

}  // namespace mgmtbus
