/// \file
/// What the kit's records and the tools never show in clear: values of
/// parameters and arguments whose name mentions a password, in any letter
/// case, and password entries inside manageable data.
#pragma once

#include <string_view>

#include "Framework.h"

namespace mgmtkit {

/// What a hidden value shows instead.
inline constexpr const char* kMask = "********";

/// True when `name` contains "password" in any letter case.
bool namesPassword(std::string_view name);

/// The entries of `data` with their password values hidden.
KeyValues maskedEntries(const ManageableData& data);

/// A copy of a request, reply or notification fit to be shown: password values
/// hidden, and so are password entries of the manageable data it carries.
Method masked(const Method& method);

}  // namespace mgmtkit
