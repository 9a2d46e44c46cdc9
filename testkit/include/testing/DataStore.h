/// \file
/// The simulated telephone's manageable data.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "Framework.h"

namespace mgmtkit {

/// The manageable data nodes, their schemas and who may edit them. Nodes are
/// named with dots ("audio.ringVolume"); the part before the first dot names
/// the schema. Rules: see PhoneState.
class DataStore {
public:
    /// The nodes, schemas and user-editable marks of a fresh telephone.
    DataStore();

    /// Writes the nodes given; every node written is kept for takeWritten().
    void merge(const KeyValues& values);
    /// The nodes written since the last call, for the observers to hear of.
    KeyValues takeWritten();
    /// The value of a node; nothing for no such node.
    std::optional<std::string> value(const std::string& nodeId) const;
    /// Removes a node, without telling the observers.
    void erase(const std::string& nodeId) { values_.erase(nodeId); }
    /// Fills in the stored value of every key asked, or every node when none is
    /// asked; a key that is no node gets an empty value and makes the answer false.
    bool fill(KeyValues& asked) const;
    /// Every node with its value.
    const KeyValues& nodes() const { return values_; }

    /// The schema a node belongs to; "" for a node whose first name part has no schema.
    std::string schemaOf(const std::string& nodeId) const;
    /// Nodes whose first name part is `prefix` belong to the schema `schemaName`.
    void addSchema(const std::string& prefix, const std::string& schemaName) { schemas_[prefix] = schemaName; }
    /// The nodes of a schema with their value types ("boolean", "integer",
    /// "string"); false for an unknown schema.
    bool schema(const std::string& schemaName, KeyValues& nodeTypes) const;
    /// A schema as XML, each node with its type and who may edit it; "" for an unknown schema.
    std::string schemaXml(const std::string& schemaName) const;

    /// Whether `accessLevel` may edit all of `nodes`: admin and service access
    /// anything, user access only a non-empty set of nodes marked editable.
    bool mayEdit(const KeyValues& nodes, int accessLevel) const;
    /// Marks `nodes` editable by users (1) or not (0); other values change nothing.
    void setEditable(const KeyValues& nodes, int editableStatus);
    /// Whether users may edit the node.
    bool editableByUser(const std::string& nodeId) const { return userEditable_.count(nodeId) != 0; }

private:
    friend class StateDocument;

    KeyValues values_;
    KeyValues written_;
    std::map<std::string, std::string> schemas_;  // by node prefix
    std::set<std::string> userEditable_;
};

}  // namespace mgmtkit
