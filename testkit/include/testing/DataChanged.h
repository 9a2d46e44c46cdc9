/// \file
/// The notification an observer hears when data it observes changes. Its
/// remote name is "dataChanged" (kDataChanged), with two string parameters,
/// both IN:
///
/// | %Parameter | Carries |
/// |---|---|
/// | `nodeId` | the node the observer observes |
/// | `manageableData` | the nodes written under it with their new values, a serialised ManageableData |
///
/// NotificationSink::notify hands it over as a const Method, whose typed
/// getters are not const: readDataChanged() reads it as it is.
///
/// \code
/// void notify(const Method& notification) override {  // in the observer
///     if (auto change = mgmtkit::readDataChanged(notification)) volume = change->values.at("audio.ringVolume");
/// }
/// \endcode
#pragma once

#include <optional>
#include <string>

#include "Framework.h"

namespace mgmtkit {

/// The remote name of the notification an observer hears when its data changes.
inline constexpr const char* kDataChanged = "dataChanged";

/// What a dataChanged notification says.
struct DataChanged {
    std::string nodeId;  ///< The node observed.
    KeyValues values;    ///< The nodes written under it, with their new values.

    /// Same node, same values.
    bool operator==(const DataChanged& other) const { return nodeId == other.nodeId && values == other.values; }
};

/// The notification that tells an observer of `change`.
Method notificationOf(const DataChanged& change);

/// The node and values of a dataChanged notification; nothing for any other
/// notification. Throws CorvexException for a dataChanged without both
/// values as strings, or whose data does not parse.
std::optional<DataChanged> readDataChanged(const Method& notification);

}  // namespace mgmtkit
