#include "LogCapture.h"

namespace testing_support {

namespace {
// The logging library's own defaults: levels 0 to 3 on.
const int kLevels = 16;
const int kDefaultHighestOn = 3;
}  // namespace

LogCapture::LogCapture(std::initializer_list<int> enabledLevels) {
    for (int level = 0; level < kLevels; ++level) setLogLevelEnabled(level, false);
    for (int level : enabledLevels) setLogLevelEnabled(level, true);
    setLogSink([this](const LogRecord& record) {
        std::lock_guard<std::mutex> lock(mutex_);
        records_.push_back(record);
    });
}

LogCapture::~LogCapture() {
    setLogSink(nullptr);
    for (int level = 0; level < kLevels; ++level) setLogLevelEnabled(level, level <= kDefaultHighestOn);
}

std::vector<LogRecord> LogCapture::records() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return records_;
}

std::vector<std::string> LogCapture::formats() const {
    std::vector<std::string> formats;
    for (const LogRecord& record : records()) formats.push_back(record.format);
    return formats;
}

void LogCapture::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    records_.clear();
}

}  // namespace testing_support
