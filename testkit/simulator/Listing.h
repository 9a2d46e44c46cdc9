// How describe() writes values, so that each stays on its own "key: value" line.
#pragma once

#include <string>

namespace mgmtkit {

// The elements separated by ", ", or "(none)" when there are none.
template <class Strings>
std::string listing(const Strings& elements) {
    if (elements.empty()) return "(none)";
    std::string text;
    const char* separator = "";
    for (const std::string& element : elements) {
        text += separator;
        text += element;
        separator = ", ";
    }
    return text;
}

// Line breaks shown as "\n" and "\r".
inline std::string oneLine(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (c == '\n')
            shown += "\\n";
        else if (c == '\r')
            shown += "\\r";
        else
            shown += c;
    }
    return shown;
}

}  // namespace mgmtkit
