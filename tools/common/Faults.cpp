#include "Faults.h"

namespace mgmtctl {

std::optional<std::pair<std::string, std::string>> parseFailure(std::string_view failure) {
    const std::size_t split = failure.find('=');
    if (failure.empty() || split == 0) return std::nullopt;
    if (split == std::string_view::npos) return std::make_pair(std::string(failure), std::string("simulated failure"));
    return std::make_pair(std::string(failure.substr(0, split)), std::string(failure.substr(split + 1)));
}

}  // namespace mgmtctl
