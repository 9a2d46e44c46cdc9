#include "testing/AgentRegistry.h"

#include <algorithm>
#include <vector>

namespace mgmtkit {

namespace {

// "audio" covers "audio" and "audio.ringVolume", not "audiology".
bool covers(const std::string& observed, const std::string& node) {
    return node == observed ||
           (node.size() > observed.size() && node.compare(0, observed.size(), observed) == 0 &&
            node[observed.size()] == '.');
}

}  // namespace

void AgentRegistry::registerAgent(const std::string& managementId, const std::string& channel,
                                  bool bulkData) {
    agents_[managementId] = Agent{channel, bulkData};
}

bool AgentRegistry::observe(const std::string& nodeId, const std::string& channel, bool bulkData) {
    if (nodeId.empty() || channel.empty()) return false;
    observations_[channel][nodeId] = bulkData;
    return true;
}

bool AgentRegistry::observeAll(const std::list<std::string>& rootIds, const std::string& channel) {
    const bool acceptable =
        !rootIds.empty() && !channel.empty() &&
        std::none_of(rootIds.begin(), rootIds.end(), [](const std::string& root) { return root.empty(); });
    if (!acceptable) return false;
    for (const std::string& root : rootIds) observe(root, channel, true);
    return true;
}

bool AgentRegistry::stopObserving(const std::string& nodeId, const std::string& channel) {
    const auto found = observations_.find(channel);
    if (found == observations_.end() || found->second.erase(nodeId) == 0) return false;
    if (found->second.empty()) observations_.erase(found);
    return true;
}

int AgentRegistry::observersOf(const KeyValues& changed) const {
    int count = 0;
    for (const auto& [channel, nodes] : observations_) {
        const bool concerned = std::any_of(nodes.begin(), nodes.end(), [&changed](const auto& observed) {
            return std::any_of(changed.begin(), changed.end(),
                               [&observed](const auto& node) { return covers(observed.first, node.first); });
        });
        if (concerned) ++count;
    }
    return count;
}

std::vector<DataChange> AgentRegistry::changesFor(const KeyValues& written) const {
    std::vector<DataChange> changes;
    for (const auto& [channel, nodes] : observations_) {
        for (const auto& observed : nodes) {
            DataChange change{channel, {observed.first, {}}};
            for (const auto& node : written)
                if (covers(observed.first, node.first)) change.change.values.insert(node);
            if (!change.change.values.empty()) changes.push_back(std::move(change));
        }
    }
    return changes;
}

std::vector<std::string> AgentRegistry::observedNodes(const std::string& channel) const {
    std::vector<std::string> nodes;
    const auto found = observations_.find(channel);
    if (found != observations_.end())
        for (const auto& observed : found->second) nodes.push_back(observed.first);
    return nodes;
}

}  // namespace mgmtkit
