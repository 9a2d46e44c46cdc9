// Key/value data objects; they share the KeyValueText codec with MemoryInfo.
#include "Framework.h"
#include "KeyValueText.h"

using framework_internal::KeyValueText;

// ---------------------------------------------------------------------------
// ManageableData

ManageableData::~ManageableData() = default;

// Only the key/value text form is known; every type gives it.
std::string ManageableData::serialize(serializationType) { return KeyValueText::serialize(values_); }

bool ManageableData::deserialize(std::string& text) {
    KeyValueText::refill(values_, text);
    return true;
}

void ManageableData::clearAll() { values_.clear(); }

void ManageableData::setValue(const std::string& key, const std::string& value) { values_[key] = value; }

std::string ManageableData::getValue(const std::string& key) const { return KeyValueText::value(values_, key); }

// ---------------------------------------------------------------------------
// SNMPTrapData

SNMPTrapData::~SNMPTrapData() = default;

std::string SNMPTrapData::serialize() { return KeyValueText::serialize(values_); }

void SNMPTrapData::setValue(const std::string& key, const std::string& value) { values_[key] = value; }
