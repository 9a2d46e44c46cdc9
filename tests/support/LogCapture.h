// The kit's log capture as the proxy tests use it: unless told otherwise,
// every level switch is off while it lives.
#pragma once

#include <initializer_list>

#include "testing/LogCapture.h"

namespace testing_support {

class LogCapture : public mgmtkit::LogCapture {
public:
    explicit LogCapture(std::initializer_list<int> enabledLevels = {}) : mgmtkit::LogCapture(enabledLevels) {}
};

}  // namespace testing_support
