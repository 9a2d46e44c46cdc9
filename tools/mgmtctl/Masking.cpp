#include "Masking.h"

#include <algorithm>
#include <cctype>

namespace mgmtctl {

namespace {

bool containsIgnoringCase(std::string_view text, std::string_view word) {
    const auto match = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return match != text.end();
}

}  // namespace

bool namesPassword(std::string_view name) { return containsIgnoringCase(name, "password"); }

bool carriesManageableData(std::string_view parameterName) {
    return containsIgnoringCase(parameterName, "manageableData");
}

std::string maskedDataText(const std::string& text) {
    return ClientUtils::hideValuesForKnownPasswords(text.c_str(), static_cast<int>(text.size()));
}

KeyValues maskedEntries(const ManageableData& data) {
    // Through the framework's own masking, so the tool hides exactly what the
    // proxies' log records hide.
    ManageableData copy(data);
    std::string masked = maskedDataText(copy.serialize(ManageableData::KEY_VALUE_TEXT));
    ManageableData shown;
    try {
        shown.deserialize(masked);
    } catch (const CorvexException&) {
        shown.setValue("(unreadable)", masked);
    }
    return shown.values();
}

}  // namespace mgmtctl
