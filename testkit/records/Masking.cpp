#include "testing/Masking.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace mgmtkit {

namespace {

bool containsIgnoringCase(std::string_view text, std::string_view word) {
    const auto match = std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return match != text.end();
}

// Through the framework's own masking, so what is shown hides exactly what
// the proxies' log records hide.
std::string maskedDataText(const std::string& text) {
    return ClientUtils::hideValuesForKnownPasswords(text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

bool namesPassword(std::string_view name) { return containsIgnoringCase(name, "password"); }

KeyValues maskedEntries(const ManageableData& data) {
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

Method masked(const Method& method) {
    Method copy(method.name().c_str(), method.type());
    for (const Parameter& parameter : method.parameters()) {
        const char* name = parameter.name().c_str();
        switch (parameter.kind()) {
            case Parameter::INT: copy.addIntParameter(name, parameter.intValue(), parameter.direction()); break;
            case Parameter::BOOL: copy.addBoolParameter(name, parameter.boolValue(), parameter.direction()); break;
            case Parameter::STRING: {
                std::string text = parameter.stringValue();
                if (namesPassword(name))
                    text = kMask;
                else if (containsIgnoringCase(name, "manageableData"))
                    text = maskedDataText(text);
                copy.addStringParameter(name, text, parameter.direction());
                break;
            }
        }
    }
    return copy;
}

}  // namespace mgmtkit
