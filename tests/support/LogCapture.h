// Collects log records for the length of a test and puts the logging library
// back as it found it (default sink, default level switches) afterwards.
#pragma once

#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "Framework.h"

namespace testing_support {

class LogCapture {
public:
    // Only the listed levels are switched on while the capture lives.
    explicit LogCapture(std::initializer_list<int> enabledLevels = {});
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<LogRecord> records() const;
    // The formats of the records, in order: what most tests compare.
    std::vector<std::string> formats() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<LogRecord> records_;
};

}  // namespace testing_support
