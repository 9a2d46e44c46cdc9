/// \file
/// The proxy library, loaded the way the framework loads it.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Framework.h"
#include "testing/SimulatedPhone.h"

namespace mgmtkit {

/// What loading the proxy library or making a proxy from it failed with,
/// saying which library or factory and what went wrong.
class LibraryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The factory of LocalMgmtProxy.
inline constexpr const char* kLocalMgmtFactory = "createLocalMgmtProxy";
/// The factory of ActionEventRequestProxy.
inline constexpr const char* kActionEventFactory = "createActionEventRequestProxy";
/// The factory of LocationDeliveryRequestProxy.
inline constexpr const char* kLocationFactory = "createLocationDeliveryRequestProxy";

/// The proxy library, loaded the way the framework loads it: by path with
/// dlopen, its three factories resolved by name. Every failure throws
/// LibraryError saying which library and what went wrong.
///
/// \code
/// mgmtkit::ProxyLibrary library("libLocalMgmtProxy.so.1");  // as dlopen finds it; or a path
/// mgmtkit::LoadedProxy<LocalMgmtIfc> service(library, mgmtkit::kLocalMgmtFactory, phone);
/// service->retrievePhoneBusyStatus();
/// \endcode
class ProxyLibrary {
public:
    /// The library to load: `requested` when given; otherwise the first
    /// readable candidate, or the last one so that loading it says why it is
    /// not there.
    static std::string locate(const std::optional<std::string>& requested,
                              const std::vector<std::string>& candidates);

    /// Loads the library and resolves all three factories.
    explicit ProxyLibrary(std::string path);
    /// Unloads the library; every proxy made must be destroyed first.
    ~ProxyLibrary();
    ProxyLibrary(const ProxyLibrary&) = delete;
    ProxyLibrary& operator=(const ProxyLibrary&) = delete;

    /// The path the library was loaded from.
    const std::string& path() const { return path_; }

    /// A new proxy from the named factory; the caller owns it. Throws
    /// LibraryError for an unknown factory or one that returns no proxy.
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

/// A proxy made by the library, bound, and seen through its interface.
/// Destroy it before the library.
template <class Interface>
struct LoadedProxy {
    std::unique_ptr<Proxy> proxy;    ///< The proxy, owned.
    Interface* interface = nullptr;  ///< The same proxy as its interface.

    /// Makes a proxy with the named factory and binds it to `channel`. Throws
    /// LibraryError when the factory fails or the proxy is not an `Interface`.
    LoadedProxy(const ProxyLibrary& library, const char* factoryName, ProxyRequest& channel)
        : proxy(library.create(factoryName)), interface(bound(factoryName, channel)) {}
    /// The interface, for calls: `service->getData(data)`.
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
