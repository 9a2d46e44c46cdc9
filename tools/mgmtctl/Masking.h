// What the tool never prints in clear: values of parameters and arguments
// whose name mentions a password, and password entries inside manageable data.
#pragma once

#include <string>
#include <string_view>

#include "Framework.h"

namespace mgmtctl {

inline constexpr const char* kMask = "********";

// True when `name` contains "password" in any letter case.
bool namesPassword(std::string_view name);

// True for the parameter that carries a serialised ManageableData.
bool carriesManageableData(std::string_view parameterName);

// A serialised ManageableData text with its password values hidden.
std::string maskedDataText(const std::string& text);

// The entries of `data` with their password values hidden.
KeyValues maskedEntries(const ManageableData& data);

}  // namespace mgmtctl
