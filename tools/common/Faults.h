// Scripted faults as the tools take them: REMOTE[=TEXT], the remote method
// the service fails and the text its CorvexException carries.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace mgmtctl {

// The remote method and the text ("simulated failure" without "=TEXT");
// nothing when no remote method is named.
std::optional<std::pair<std::string, std::string>> parseFailure(std::string_view failure);

}  // namespace mgmtctl
