// The proxy library, loaded the way the framework loads it: by path with
// dlopen, its three factories resolved by name.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Framework.h"

namespace mgmtctl {

class LibraryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kLocalMgmtFactory = "createLocalMgmtProxy";
inline constexpr const char* kActionEventFactory = "createActionEventRequestProxy";
inline constexpr const char* kLocationFactory = "createLocationDeliveryRequestProxy";

class ProxyLibrary {
public:
    // Where to load from: `requested` when given; otherwise the first that
    // exists of the installed library beside the tool's prefix, a library next
    // to the tool, and the library this tool was built with.
    static std::string locate(const std::optional<std::string>& requested);

    // Loads the library and resolves all three factories; throws
    // LibraryError naming the path and what is missing.
    explicit ProxyLibrary(std::string path);
    ~ProxyLibrary();
    ProxyLibrary(const ProxyLibrary&) = delete;
    ProxyLibrary& operator=(const ProxyLibrary&) = delete;

    const std::string& path() const { return path_; }

    // A new proxy from the named factory; the caller owns it, and must
    // destroy it before this library is unloaded.
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

}  // namespace mgmtctl
