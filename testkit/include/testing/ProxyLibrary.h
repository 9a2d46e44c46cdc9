// The proxy library, loaded the way the framework loads it: by path with
// dlopen, its three factories resolved by name. Every failure throws
// LibraryError saying which library and what went wrong.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Framework.h"

namespace mgmtkit {

class LibraryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kLocalMgmtFactory = "createLocalMgmtProxy";
inline constexpr const char* kActionEventFactory = "createActionEventRequestProxy";
inline constexpr const char* kLocationFactory = "createLocationDeliveryRequestProxy";

class ProxyLibrary {
public:
    // `requested` when given; otherwise the first readable candidate, or the
    // last one so that loading it says why it is not there.
    static std::string locate(const std::optional<std::string>& requested,
                              const std::vector<std::string>& candidates);

    // Loads the library and resolves all three factories.
    explicit ProxyLibrary(std::string path);
    ~ProxyLibrary();  // unloads; every proxy made must be destroyed first
    ProxyLibrary(const ProxyLibrary&) = delete;
    ProxyLibrary& operator=(const ProxyLibrary&) = delete;

    const std::string& path() const { return path_; }

    // A new proxy from the named factory; the caller owns it.
    std::unique_ptr<Proxy> create(const char* factoryName) const;

private:
    using Factory = Proxy* (*)();
    struct Handle {
        void* library = nullptr;
        ~Handle();
    };

    std::string path_;
    Handle handle_;
    std::vector<std::pair<std::string, Factory>> factories_;
};

// Casts `proxy` to the interface it should serve and binds it to `channel`,
// as the framework does. `what` names the proxy in the error.
template <class Interface>
Interface* bindProxy(Proxy& proxy, ProxyRequest& channel, const char* what, const char* interfaceName) {
    auto* interface = dynamic_cast<Interface*>(&proxy);
    if (interface == nullptr)
        throw LibraryError(std::string(what) + " made an object that is not a " + interfaceName);
    proxy.initProxy(channel);
    return interface;
}

// A proxy made by the library, bound, and seen through its interface.
template <class Interface>
struct LoadedProxy {
    std::unique_ptr<Proxy> proxy;
    Interface* interface = nullptr;

    LoadedProxy(const ProxyLibrary& library, const char* factoryName, ProxyRequest& channel,
                const char* interfaceName)
        : proxy(library.create(factoryName)),
          interface(bindProxy<Interface>(*proxy, channel, factoryName, interfaceName)) {}
    Interface* operator->() const { return interface; }
};

}  // namespace mgmtkit
