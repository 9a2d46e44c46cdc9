// The tool's commands as the user meets them: their names, how many operands
// each takes, and the texts of --help, `help COMMAND` and --version. The
// manual page is made from these texts too, so they are the one place to
// document the tool.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mgmtctl {

struct CommandInfo {
    const char* name;
    const char* synopsis;  // what follows the command's name in a usage line
    const char* summary;   // one line of --help
    const char* details;   // the body of `help COMMAND`
    std::size_t minOperands;
    std::size_t maxOperands;
};

const std::vector<CommandInfo>& commands();
const CommandInfo* findCommand(std::string_view name);
std::vector<std::string> commandNames();

// "mgmtctl run FILE"
std::string synopsisOf(const CommandInfo& command);

std::string usageText();                            // --help
std::string commandHelp(const CommandInfo& command);  // help COMMAND
std::string versionText();                          // --version

}  // namespace mgmtctl
