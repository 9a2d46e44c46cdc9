/// \file
/// Collects the proxies' log records in a test.
#pragma once

#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "Framework.h"

namespace mgmtkit {

/// Collects the log records written while it lives, in order. Afterwards it
/// puts the logging library back as it found it: the sink that was installed
/// and every level switch. Records from any thread are collected. It uses the
/// stand-in's log sink, so it works against the stand-in platform only.
///
/// \code
/// mgmtkit::LogCapture log{3};  // only level 3 on
/// service->getIDAndDisplayName(identifier, displayName);  // with the call failing
/// EXPECT_THAT(log.formats(), ElementsAre("getIDAndDisplayName: proxyReq->synchronousCall timeout.\n"));
/// \endcode
class LogCapture {
public:
    /// Collects records; the level switches stay as they are.
    LogCapture();
    /// Only the listed levels are switched on while the capture lives (records
    /// of level 2 are written whatever the switches say).
    explicit LogCapture(std::initializer_list<int> enabledLevels);
    /// The tag of the constructor that switches every level off.
    struct AllLevelsOff {};
    /// Every level switched off while the capture lives: LogCapture(LogCapture::allLevelsOff).
    static constexpr AllLevelsOff allLevelsOff{};
    /// Every level switched off while the capture lives.
    explicit LogCapture(AllLevelsOff) : LogCapture(std::initializer_list<int>{}) {}
    /// Puts back the sink and the level switches it found.
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    /// The records collected, in order.
    std::vector<LogRecord> records() const;
    /// The records of that level, in order.
    std::vector<LogRecord> atLevel(int level) const;
    /// The records written with exactly that format, in order.
    std::vector<LogRecord> withFormat(std::string_view format) const;
    /// The formats of all records, in order.
    std::vector<std::string> formats() const;
    /// The messages of all records as written, in order.
    std::vector<std::string> messages() const;
    /// Forgets the records collected so far.
    void clear();

private:
    static constexpr int kLevels = 16;

    mutable std::mutex mutex_;
    std::vector<LogRecord> records_;
    LogSink previousSink_;
    bool previousLevels_[kLevels];
};

}  // namespace mgmtkit
