#include "ProxyLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace mgmtctl {

namespace {

// The directory of the running executable, or "" when it cannot be told.
std::string executableDirectory() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return std::string();
    std::string path(buffer, static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool readable(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

std::string dlerrorText() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown error";
}

}  // namespace

std::string ProxyLibrary::locate(const std::optional<std::string>& requested) {
    if (requested) return *requested;
    const std::string here = executableDirectory();
    std::vector<std::string> candidates;
    if (!here.empty()) {
        candidates.push_back(here + "/" MGMTCTL_LIBDIR_FROM_BINDIR "/" MGMTCTL_LIBRARY_NAME);
        candidates.push_back(here + "/" MGMTCTL_LIBRARY_NAME);
    }
    candidates.emplace_back(MGMTCTL_BUILD_LIBRARY);
    for (const std::string& candidate : candidates)
        if (readable(candidate)) return candidate;
    return candidates.back();  // dlopen then says why it is not there
}

ProxyLibrary::Handle::~Handle() {
    if (library != nullptr) dlclose(library);
}

ProxyLibrary::ProxyLibrary(std::string path) : path_(std::move(path)) {
    handle_.library = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_.library == nullptr)
        throw LibraryError("cannot load the proxy library " + path_ + ": " + dlerrorText());
    for (const char* name : {kLocalMgmtFactory, kActionEventFactory, kLocationFactory}) {
        dlerror();  // clear any earlier error
        void* symbol = dlsym(handle_.library, name);
        if (symbol == nullptr)
            throw LibraryError("the proxy library " + path_ + " has no factory " + name + ": " +
                               dlerrorText());
        factories_.emplace_back(name, reinterpret_cast<Factory>(symbol));
    }
}

ProxyLibrary::~ProxyLibrary() = default;

std::unique_ptr<Proxy> ProxyLibrary::create(const char* factoryName) const {
    for (const auto& [name, factory] : factories_) {
        if (name != factoryName) continue;
        std::unique_ptr<Proxy> proxy(factory());
        if (!proxy) throw LibraryError(std::string(factoryName) + " returned no proxy");
        return proxy;
    }
    throw LibraryError(std::string("no factory named ") + factoryName);
}

}  // namespace mgmtctl
