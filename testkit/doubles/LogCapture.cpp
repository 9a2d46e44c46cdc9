#include "testing/LogCapture.h"

namespace mgmtkit {

LogCapture::LogCapture() {
    for (int level = 0; level < kLevels; ++level) previousLevels_[level] = loggingOnAppVel("", level);
    previousSink_ = currentLogSink();
    setLogSink([this](const LogRecord& record) {
        std::lock_guard<std::mutex> lock(mutex_);
        records_.push_back(record);
    });
}

LogCapture::LogCapture(std::initializer_list<int> enabledLevels) : LogCapture() {
    for (int level = 0; level < kLevels; ++level) setLogLevelEnabled(level, false);
    for (int level : enabledLevels) setLogLevelEnabled(level, true);
}

LogCapture::~LogCapture() {
    setLogSink(previousSink_);
    for (int level = 0; level < kLevels; ++level) setLogLevelEnabled(level, previousLevels_[level]);
}

std::vector<LogRecord> LogCapture::records() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return records_;
}

std::vector<LogRecord> LogCapture::atLevel(int level) const {
    std::vector<LogRecord> found;
    for (const LogRecord& record : records())
        if (record.level == level) found.push_back(record);
    return found;
}

std::vector<LogRecord> LogCapture::withFormat(std::string_view format) const {
    std::vector<LogRecord> found;
    for (const LogRecord& record : records())
        if (record.format == format) found.push_back(record);
    return found;
}

std::vector<std::string> LogCapture::formats() const {
    std::vector<std::string> formats;
    for (const LogRecord& record : records()) formats.push_back(record.format);
    return formats;
}

std::vector<std::string> LogCapture::messages() const {
    std::vector<std::string> messages;
    for (const LogRecord& record : records()) messages.push_back(record.message);
    return messages;
}

void LogCapture::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    records_.clear();
}

}  // namespace mgmtkit
