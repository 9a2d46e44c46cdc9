// The notification an observer hears when data it observes changes:
//   remote "dataChanged", parameters (both string, IN)
//     "nodeId"          the node the observer observes
//     "manageableData"  the nodes written under it with their new values, a
//                       serialised ManageableData
// NotificationSink::notify hands it over as a const Method, whose typed
// getters are not const: readDataChanged reads it as it is.
#pragma once

#include <optional>
#include <string>

#include "Framework.h"

namespace mgmtkit {

inline constexpr const char* kDataChanged = "dataChanged";

struct DataChanged {
    std::string nodeId;  // the node observed
    KeyValues values;    // the nodes written under it, with their new values

    bool operator==(const DataChanged& other) const { return nodeId == other.nodeId && values == other.values; }
};

// The notification that tells an observer of `change`.
Method notificationOf(const DataChanged& change);

// The node and values of a dataChanged notification; nothing for any other
// notification. Throws CorvexException for a dataChanged without both
// values as strings, or whose data does not parse.
std::optional<DataChanged> readDataChanged(const Method& notification);

}  // namespace mgmtkit
