// The user data space figures, in the data objects' key/value text.
#include "Framework.h"
#include "KeyValueText.h"

using framework_internal::KeyValueText;

MemoryInfo::~MemoryInfo() = default;

bool MemoryInfo::deserialize(std::string& text) {
    KeyValueText::refill(values_, text);
    return true;
}

std::string MemoryInfo::serialize() const { return KeyValueText::serialize(values_); }

void MemoryInfo::setValue(const std::string& key, const std::string& value) { values_[key] = value; }

std::string MemoryInfo::getValue(const std::string& key) const { return KeyValueText::value(values_, key); }
