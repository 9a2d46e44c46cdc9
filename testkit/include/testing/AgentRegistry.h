/// \file
/// The simulated telephone's management agents and observers.
#pragma once

#include <list>
#include <map>
#include <string>
#include <vector>

#include "Framework.h"
#include "testing/DataChanged.h"

namespace mgmtkit {

/// What one observer hears of one change: the nodes written that its observed
/// node covers.
struct DataChange {
    std::string channel;  ///< The observer's callback channel.
    DataChanged change;   ///< The node it observes and the nodes written under it.
};

/// Management agents known to the phone and the data nodes observed. Each has
/// the callback channel the phone would call back on. A node observed covers
/// itself and its descendants ("audio" covers "audio.ringVolume", not
/// "audiology"). Rules: see PhoneState.
class AgentRegistry {
public:
    /// A registered management agent.
    struct Agent {
        std::string channel;  ///< Where the agent is called back.
        bool bulkData;        ///< Whether it registered as bulk-data manageable.
    };

    /// Registers, or registers again, `managementId` with its callback channel.
    void registerAgent(const std::string& managementId, const std::string& channel, bool bulkData);

    /// `channel` observes `nodeId` from now on. False, and nothing recorded,
    /// without a channel to call back or a node to observe.
    bool observe(const std::string& nodeId, const std::string& channel, bool bulkData);
    /// Observes every root, as bulk data; false, and nothing recorded, when
    /// there is none, or one is refused.
    bool observeAll(const std::list<std::string>& rootIds, const std::string& channel);
    /// Ends one observation. False when that channel was not observing that node.
    bool stopObserving(const std::string& nodeId, const std::string& channel);

    /// Channels observing at least one node of the changed data, or an ancestor of one.
    int observersOf(const KeyValues& changed) const;
    /// One change per observed node that covers a node written, in channel order.
    std::vector<DataChange> changesFor(const KeyValues& written) const;

    /// How many agents are registered.
    std::size_t agentCount() const { return agents_.size(); }
    /// The agents registered, by management id.
    const std::map<std::string, Agent>& agents() const { return agents_; }
    /// The nodes observed on that channel, sorted; empty when none.
    std::vector<std::string> observedNodes(const std::string& channel) const;

private:
    friend class StateDocument;

    std::map<std::string, Agent> agents_;                              // by management id
    std::map<std::string, std::map<std::string, bool>> observations_;  // channel -> node -> bulk
};

}  // namespace mgmtkit
