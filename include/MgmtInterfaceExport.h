/// \file
/// The service interfaces cross the library boundary: clients dynamic_cast the
/// Proxy* a factory hands them to these types, so their type information must be
/// visible even though the library hides everything else.
#pragma once

/// Marks a service interface whose type information leaves the library.
#define MGMT_INTERFACE __attribute__((visibility("default")))
