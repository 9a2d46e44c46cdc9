#include "testing/DataChanged.h"

namespace mgmtkit {

namespace {

const std::string& stringValue(const Method& notification, const std::string& name) {
    for (const Parameter& parameter : notification.parameters())
        if (parameter.name() == name && parameter.direction() == Parameter::IN && parameter.kind() == Parameter::STRING)
            return parameter.stringValue();
    throw CorvexException(notification.name() + " carries no string \"" + name + "\"");
}

}  // namespace

Method notificationOf(const DataChanged& change) {
    ManageableData data;
    for (const auto& [node, value] : change.values) data.setValue(node, value);
    Method notification(kDataChanged, Method::REQUEST);
    notification.addStringParameter("nodeId", change.nodeId, Parameter::IN);
    notification.addStringParameter("manageableData", data.serialize(ManageableData::KEY_VALUE_TEXT), Parameter::IN);
    return notification;
}

std::optional<DataChanged> readDataChanged(const Method& notification) {
    if (notification.name() != kDataChanged) return std::nullopt;
    std::string text = stringValue(notification, "manageableData");
    ManageableData data;
    data.deserialize(text);
    return DataChanged{stringValue(notification, "nodeId"), data.values()};
}

}  // namespace mgmtkit
