#include "testing/ProxyLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

namespace mgmtkit {

namespace {

bool readable(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

std::string dlerrorText() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown error";
}

}  // namespace

std::string ProxyLibrary::locate(const std::optional<std::string>& requested,
                                 const std::vector<std::string>& candidates) {
    if (requested) return *requested;
    for (const std::string& candidate : candidates)
        if (readable(candidate)) return candidate;
    return candidates.empty() ? std::string() : candidates.back();
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

}  // namespace mgmtkit
