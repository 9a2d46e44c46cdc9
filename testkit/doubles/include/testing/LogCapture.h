// Collects the log records written while it lives, in order, and puts the
// logging library back as it found it afterwards: the sink that was installed
// and every level switch. Records from any thread are collected.
#pragma once

#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "Framework.h"

namespace mgmtkit {

class LogCapture {
public:
    // The level switches stay as they are.
    LogCapture();
    // Only the listed levels are switched on while the capture lives (records
    // of level 2 are written whatever the switches say).
    explicit LogCapture(std::initializer_list<int> enabledLevels);
    // Every level switched off while the capture lives: LogCapture(LogCapture::allLevelsOff).
    struct AllLevelsOff {};
    static constexpr AllLevelsOff allLevelsOff{};
    explicit LogCapture(AllLevelsOff) : LogCapture(std::initializer_list<int>{}) {}
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<LogRecord> records() const;
    std::vector<LogRecord> atLevel(int level) const;
    std::vector<LogRecord> withFormat(std::string_view format) const;
    // The formats, or the messages as written, of all records in order.
    std::vector<std::string> formats() const;
    std::vector<std::string> messages() const;
    void clear();

private:
    static constexpr int kLevels = 16;

    mutable std::mutex mutex_;
    std::vector<LogRecord> records_;
    LogSink previousSink_;
    bool previousLevels_[kLevels];
};

}  // namespace mgmtkit
