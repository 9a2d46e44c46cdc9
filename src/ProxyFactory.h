// The framework creates proxies through C functions it finds by name; they are
// the library's entry points and the only functions it exports.
#pragma once

#define MGMT_FACTORY extern "C" __attribute__((visibility("default")))
