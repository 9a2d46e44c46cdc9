#include "testing/DataStore.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace mgmtkit {

namespace {

enum AccessLevel { kUser = 0, kAdmin = 1, kService = 2 };
enum EditableStatus { kNotEditable = 0, kEditable = 1 };

struct SchemaRow {
    const char* prefix;
    const char* name;
};

const SchemaRow kSchemas[] = {
    {"audio", "AudioSettings"},     {"device", "DeviceSettings"},     {"display", "DisplaySettings"},
    {"network", "NetworkSettings"}, {"security", "SecuritySettings"},
};

struct NodeRow {
    const char* id;
    const char* value;
    bool userEditable;
};

const NodeRow kNodes[] = {
    {"audio.keyClick", "true", true},          {"audio.ringVolume", "5", true},
    {"device.location", "Reception", false},   {"display.brightness", "7", true},
    {"display.language", "en_US", true},       {"network.dhcp", "true", false},
    {"network.hostname", "desk-phone", false}, {"network.vlanId", "0", false},
    {"security.webAccess", "false", false},    {"security.webPassword", "changeme", false},
};

std::string valueType(const std::string& value) {
    if (value == "true" || value == "false") return "boolean";
    const bool digits = !value.empty() && std::all_of(value.begin(), value.end(),
                                                      [](unsigned char c) { return std::isdigit(c) != 0; });
    return digits ? "integer" : "string";
}

std::string xmlEscaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

}  // namespace

DataStore::DataStore() {
    for (const SchemaRow& row : kSchemas) schemas_[row.prefix] = row.name;
    for (const NodeRow& node : kNodes) {
        values_[node.id] = node.value;
        if (node.userEditable) userEditable_.insert(node.id);
    }
}

void DataStore::merge(const KeyValues& values) {
    for (const auto& [key, value] : values) values_[key] = written_[key] = value;
}

KeyValues DataStore::takeWritten() {
    KeyValues written;
    written.swap(written_);
    return written;
}

std::optional<std::string> DataStore::value(const std::string& nodeId) const {
    const auto found = values_.find(nodeId);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

bool DataStore::fill(KeyValues& asked) const {
    if (asked.empty()) {
        asked = values_;
        return true;
    }
    bool allKnown = true;
    for (auto& [key, value] : asked) {
        const auto stored = values_.find(key);
        allKnown = allKnown && stored != values_.end();
        value = stored == values_.end() ? std::string() : stored->second;
    }
    return allKnown;
}

std::string DataStore::schemaOf(const std::string& nodeId) const {
    const auto found = schemas_.find(nodeId.substr(0, nodeId.find('.')));
    return found == schemas_.end() ? std::string() : found->second;
}

bool DataStore::schema(const std::string& schemaName, KeyValues& nodeTypes) const {
    const bool known = std::any_of(schemas_.begin(), schemas_.end(),
                                   [&](const auto& entry) { return schemaName == entry.second; });
    if (!known) return false;
    nodeTypes.clear();
    for (const auto& [id, value] : values_)
        if (schemaOf(id) == schemaName) nodeTypes[id] = valueType(value);
    return true;
}

std::string DataStore::schemaXml(const std::string& schemaName) const {
    KeyValues nodeTypes;
    if (!schema(schemaName, nodeTypes)) return std::string();
    std::string xml = "<schema name=\"" + xmlEscaped(schemaName) + "\">\n";
    for (const auto& [id, type] : nodeTypes) {
        xml += "  <node id=\"" + xmlEscaped(id) + "\" type=\"" + type + "\" editableBy=\"" +
               (userEditable_.count(id) ? "user" : "admin") + "\"/>\n";
    }
    return xml + "</schema>\n";
}

bool DataStore::mayEdit(const KeyValues& nodes, int accessLevel) const {
    switch (accessLevel) {
        case kAdmin:
        case kService: return true;
        case kUser:
            // A user may edit only what was opened to users, and asking about nothing opens nothing.
            return !nodes.empty() && std::all_of(nodes.begin(), nodes.end(), [this](const auto& node) {
                return userEditable_.count(node.first) != 0;
            });
        default: return false;
    }
}

void DataStore::setEditable(const KeyValues& nodes, int editableStatus) {
    for (const auto& node : nodes) {
        if (editableStatus == kEditable)
            userEditable_.insert(node.first);
        else if (editableStatus == kNotEditable)
            userEditable_.erase(node.first);
    }
}

}  // namespace mgmtkit
