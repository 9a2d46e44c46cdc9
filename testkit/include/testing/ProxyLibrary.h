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
#include "testing/SimulatedPhone.h"

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

// A proxy made by the library, bound, and seen through its interface.
template <class Interface>
struct LoadedProxy {
    std::unique_ptr<Proxy> proxy;
    Interface* interface = nullptr;

    LoadedProxy(const ProxyLibrary& library, const char* factoryName, ProxyRequest& channel)
        : proxy(library.create(factoryName)), interface(bound(factoryName, channel)) {}
    Interface* operator->() const { return interface; }

private:
    Interface* bound(const char* factoryName, ProxyRequest& channel) {
        try {
            return bindProxy<Interface>(*proxy, channel);
        } catch (const std::invalid_argument& error) {
            throw LibraryError(std::string(factoryName) + ": " + error.what());
        }
    }
};

}  // namespace mgmtkit
