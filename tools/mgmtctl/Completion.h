// What the shell completion offers, worked out by the tool from its command
// line's definitions and the service description, so that the completion
// script stays a few lines and never lists names of its own.
#pragma once

#include <string>
#include <vector>

#include "CommandLine.h"

namespace mgmtctl {

// The hidden command the completion script runs: mgmtctl __complete WORDS...
inline constexpr const char* kCompleteCommand = "__complete";

// The candidates for the last of `words` (the words after "mgmtctl", the last
// one being the one under the cursor, possibly empty), not yet filtered by
// what it starts with. Nothing for a file name: the shell completes those.
std::vector<std::string> completions(const CLI::App& app, const std::vector<std::string>& words);

}  // namespace mgmtctl
