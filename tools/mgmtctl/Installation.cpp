#include "Installation.h"

#include <unistd.h>

#include <climits>

namespace mgmtctl {

namespace {

// The directory of the running executable, or "" when it cannot be told.
std::string executableDirectory() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return std::string();
    const std::string path(buffer, static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::vector<std::string> libraryCandidates() {
    const std::string here = executableDirectory();
    std::vector<std::string> candidates;
    if (!here.empty()) {
        candidates.push_back(here + "/" MGMTCTL_LIBDIR_FROM_BINDIR "/" MGMTCTL_LIBRARY_NAME);
        candidates.push_back(here + "/" MGMTCTL_LIBRARY_NAME);
    }
    candidates.emplace_back(MGMTCTL_BUILD_LIBRARY);
    return candidates;
}

std::string locateBeside(const std::string& name, const std::string& built) {
    const std::string beside = executableDirectory() + "/" + name;
    return access(beside.c_str(), X_OK) == 0 ? beside : built;
}

}  // namespace mgmtctl
