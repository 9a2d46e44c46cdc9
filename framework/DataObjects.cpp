// Key/value data objects; all of them share the KeyValueText codec.
#include <utility>

#include "Framework.h"
#include "KeyValueText.h"

using framework_internal::KeyValueText;

namespace {

std::string valueOf(const KeyValues& values, const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
}

// Parses first, so malformed text leaves `values` as it was.
void refill(KeyValues& values, const std::string& text) {
    KeyValues parsed = KeyValueText::parse(text);
    values.swap(parsed);
}

}  // namespace

// ---------------------------------------------------------------------------
// ManageableData

ManageableData::~ManageableData() = default;

// Only the key/value text form is known; every type gives it.
std::string ManageableData::serialize(serializationType) { return KeyValueText::serialize(values_); }

bool ManageableData::deserialize(std::string& text) {
    refill(values_, text);
    return true;
}

void ManageableData::clearAll() { values_.clear(); }

void ManageableData::setValue(const std::string& key, const std::string& value) { values_[key] = value; }

std::string ManageableData::getValue(const std::string& key) const { return valueOf(values_, key); }

// ---------------------------------------------------------------------------
// MemoryInfo

MemoryInfo::~MemoryInfo() = default;

bool MemoryInfo::deserialize(std::string& text) {
    refill(values_, text);
    return true;
}

std::string MemoryInfo::serialize() const { return KeyValueText::serialize(values_); }

void MemoryInfo::setValue(const std::string& key, const std::string& value) { values_[key] = value; }

std::string MemoryInfo::getValue(const std::string& key) const { return valueOf(values_, key); }

// ---------------------------------------------------------------------------
// SNMPTrapData

SNMPTrapData::~SNMPTrapData() = default;

std::string SNMPTrapData::serialize() { return KeyValueText::serialize(values_); }

void SNMPTrapData::setValue(const std::string& key, const std::string& value) { values_[key] = value; }
