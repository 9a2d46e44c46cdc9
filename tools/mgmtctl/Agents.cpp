#include "Agents.h"

#include <cctype>

#include "ArgumentParsing.h"

namespace mgmtctl {

namespace {

bool validName(std::string_view name) {
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name.front()))) return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-') return false;
    return true;
}

}  // namespace

ToolAgent* Agents::get(std::string_view name) {
    if (name == "none") return nullptr;
    if (!validName(name))
        throw ArgumentError("'" + std::string(name) +
                            "' is not an agent name; use a name such as agent1, or none");
    auto found = agents_.find(name);
    if (found == agents_.end())
        found = agents_.emplace(std::string(name), std::make_unique<ToolAgent>(std::string(name))).first;
    return found->second.get();
}

}  // namespace mgmtctl
