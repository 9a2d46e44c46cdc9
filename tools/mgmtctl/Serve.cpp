// `mgmtctl serve`: the simulated telephone's service is a program of its own
// (tools/simulated-phone); serve starts it in this process's place.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "Bus.h"

namespace mgmtctl {

int serveTelephone(const Options& options, Output& output) {
    // Beside this tool once installed, else where the build put it.
    std::error_code unknown;
    std::string program =
        std::filesystem::read_symlink("/proc/self/exe", unknown).parent_path() / "mgmt-simulated-phone";
    if (unknown || access(program.c_str(), X_OK) != 0) program = MGMTCTL_BUILD_SERVICE;
    std::vector<std::string> words = {program};
    words.insert(words.end(), options.serviceArguments.begin(), options.serviceArguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    output.problem("serve: cannot start " + program + ": " + std::strerror(errno), kExitBadInput);
    return kExitBadInput;
}

}  // namespace mgmtctl
