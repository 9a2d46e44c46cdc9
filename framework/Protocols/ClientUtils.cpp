// Password masking for serialised ManageableData texts. Never logs: its input
// is exactly what must not reach a log.
#include "Framework.h"
#include "KeyValueText.h"

namespace {

constexpr const char* kMask = "********";
constexpr const char* kUnreadable = "<unreadable data hidden>";

bool namesPassword(const std::string& key) {
    static constexpr char kWord[] = "password";
    constexpr std::size_t kLength = sizeof kWord - 1;
    for (std::size_t start = 0; start + kLength <= key.size(); ++start) {
        std::size_t i = 0;
        while (i < kLength) {
            char c = key[start + i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != kWord[i]) break;
            ++i;
        }
        if (i == kLength) return true;
    }
    return false;
}

}  // namespace

std::string ClientUtils::hideValuesForKnownPasswords(const char* text, int length) {
    using framework_internal::KeyValueText;
    const std::string_view input =
        (text && length > 0) ? std::string_view(text, static_cast<std::size_t>(length)) : std::string_view();
    KeyValues values;
    try {
        values = KeyValueText::parse(input);
    } catch (const CorvexException&) {
        return kUnreadable;
    }
    for (auto& [key, value] : values) {
        if (namesPassword(key)) value = kMask;
    }
    return KeyValueText::serialize(values);
}
