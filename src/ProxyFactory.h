/// \file
/// What leaves the library. The framework creates proxies through C functions
/// it finds by name; client code holding a proxy class calls its members and
/// casts to it, so the three proxy classes are exported whole. Everything else
/// stays hidden.
#pragma once

/// Declares a factory: C linkage, exported, found by the framework by name.
#define MGMT_FACTORY extern "C" __attribute__((visibility("default")))
/// Marks a proxy class that is exported whole.
#define MGMT_PROXY __attribute__((visibility("default")))
/// A member of an exported class that only the library itself calls.
#define MGMT_INTERNAL __attribute__((visibility("hidden")))
