// The manageable data nodes, their schemas and who may edit them.
// Rules: see PhoneState.h.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "Framework.h"

namespace mgmtkit {

class DataStore {
public:
    DataStore();

    // Writes the nodes given; every node written is kept for takeWritten().
    void merge(const KeyValues& values);
    // The nodes written since the last call, for the observers to hear of.
    KeyValues takeWritten();
    std::optional<std::string> value(const std::string& nodeId) const;
    void erase(const std::string& nodeId) { values_.erase(nodeId); }
    // Fills in the stored value of every key asked, or every node when none is
    // asked; a key that is no node gets an empty value and makes the answer false.
    bool fill(KeyValues& asked) const;
    const KeyValues& nodes() const { return values_; }

    // "" for a node whose first name part has no schema.
    std::string schemaOf(const std::string& nodeId) const;
    // Nodes whose first name part is `prefix` belong to the schema `schemaName`.
    void addSchema(const std::string& prefix, const std::string& schemaName) { schemas_[prefix] = schemaName; }
    // The nodes of a schema with their value types; false for an unknown schema.
    bool schema(const std::string& schemaName, KeyValues& nodeTypes) const;
    std::string schemaXml(const std::string& schemaName) const;  // "" for an unknown schema

    bool mayEdit(const KeyValues& nodes, int accessLevel) const;
    void setEditable(const KeyValues& nodes, int editableStatus);
    bool editableByUser(const std::string& nodeId) const { return userEditable_.count(nodeId) != 0; }

private:
    friend class StateDocument;

    KeyValues values_;
    KeyValues written_;
    std::map<std::string, std::string> schemas_;  // by node prefix
    std::set<std::string> userEditable_;
};

}  // namespace mgmtkit
