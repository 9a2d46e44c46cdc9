#include "Agents.h"

#include <algorithm>
#include <cctype>

#include "BadInput.h"

namespace mgmtctl {

namespace {

bool validName(std::string_view name) {
    return !name.empty() && std::isalpha(static_cast<unsigned char>(name.front())) &&
           std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-'; });
}

}  // namespace

ToolAgent* Agents::get(std::string_view name) {
    if (name == "none") return nullptr;
    if (!validName(name))
        throw ArgumentError("'" + std::string(name) + "' is not an agent name; use a name such as agent1, or none");
    auto found = agents_.find(name);
    if (found != agents_.end()) return found->second.get();
    const std::string channel = channelOf(name);
    for (const auto& [other, agent] : agents_)
        if (agent->channel() == channel)
            throw ArgumentError("'" + std::string(name) + "' would share the callback channel " + channel + " with " +
                                other + "; use another name");
    auto made = std::make_unique<ToolAgent>(std::string(name), channel, heard_);
    if (made_) made_(*made);
    return agents_.emplace(std::string(name), std::move(made)).first->second.get();
}

std::string channelOf(std::string_view name) {
    std::size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
    if (digits == 0 || digits == name.size() || !std::isalpha(static_cast<unsigned char>(name[digits - 1])))
        return std::string(name);
    return std::string(name.substr(0, digits)) + "-" + std::string(name.substr(digits));
}

}  // namespace mgmtctl
