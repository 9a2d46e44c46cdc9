// The manageable data nodes, their schemas and who may edit them.
// Rules: see PhoneState.h.
#pragma once

#include <ostream>
#include <set>
#include <string>

#include "Framework.h"

namespace mgmtkit {

class DataStore {
public:
    DataStore();

    void merge(const KeyValues& values);
    // Fills in the stored value of every key asked, or every node when none is
    // asked; a key that is no node gets an empty value and makes the answer false.
    bool fill(KeyValues& asked) const;
    const KeyValues& nodes() const { return values_; }

    // "" for a node whose first name part has no schema.
    static std::string schemaOf(const std::string& nodeId);
    // The nodes of a schema with their value types; false for an unknown schema.
    bool schema(const std::string& schemaName, KeyValues& nodeTypes) const;
    std::string schemaXml(const std::string& schemaName) const;  // "" for an unknown schema

    bool mayEdit(const KeyValues& nodes, int accessLevel) const;
    void setEditable(const KeyValues& nodes, int editableStatus);

    void describe(std::ostream& out) const;

private:
    KeyValues values_;
    std::set<std::string> userEditable_;
};

}  // namespace mgmtkit
