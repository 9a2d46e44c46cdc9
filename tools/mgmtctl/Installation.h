// Where mgmtctl finds what it loads and starts: installed beside its own
// prefix, next to it, else where the build put it.
#pragma once

#include <string>
#include <vector>

namespace mgmtctl {

// The simulated telephone's service program.
inline constexpr const char* kServiceProgram = "mgmt-simulated-phone";

// Where the proxy library is looked for, in order: installed beside the
// tool's prefix, next to the tool, then the library this tool was built with.
std::vector<std::string> libraryCandidates();

// The program `name` next to this executable when it is there, else `built`.
std::string locateBeside(const std::string& name, const std::string& built);

}  // namespace mgmtctl
