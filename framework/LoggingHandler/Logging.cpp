// The logging library's stand-in: per-level switches and one sink.
//
// Thread safety: the switches are atomics; records reach the sink one at a
// time, under a mutex that setLogSink also takes. A sink therefore must not
// call logAppVel or setLogSink itself.
#include <array>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <utility>

#include "Framework.h"

namespace {

constexpr int kLevels = 16;

// Levels 0..3 on, the others off. Constant-initialised: usable from any
// static constructor.
std::array<std::atomic<bool>, kLevels> levelSwitches = {true, true, true, true};

bool validLevel(int level) { return level >= 0 && level < kLevels; }

// One line per record on stderr: "<level> <component> <file>:<line> <message>",
// the message without its trailing newline. Written with one fwrite.
void writeToStderr(const LogRecord& record) {
    std::string line = std::to_string(record.level);
    line += ' ';
    line += record.component;
    line += ' ';
    line += record.file;
    line += ':';
    line += std::to_string(record.line);
    line += ' ';
    std::string_view message = record.message;
    if (!message.empty() && message.back() == '\n') message.remove_suffix(1);
    line += message;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

struct SinkState {
    std::mutex mutex;
    LogSink sink = writeToStderr;
};

// Never destroyed, so records written during static destruction still go out.
SinkState& sinkState() {
    static SinkState* state = new SinkState;
    return *state;
}

// `format` applied to `arguments`, whatever its length.
void formatInto(std::string& message, const char* format, va_list arguments) {
    if (!format) return;
    char buffer[512];
    va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    if (length < 0) {
        // An encoding error: no message.
    } else if (static_cast<std::size_t>(length) < sizeof buffer) {
        message.assign(buffer, static_cast<std::size_t>(length));
    } else {
        message.resize(static_cast<std::size_t>(length));
        std::vsnprintf(message.data(), message.size() + 1, format, again);
    }
    va_end(again);
}

}  // namespace

bool loggingOnAppVel(const char*, int level) {
    return validLevel(level) && levelSwitches[static_cast<std::size_t>(level)].load(std::memory_order_relaxed);
}

void setLogLevelEnabled(int level, bool enabled) {
    if (validLevel(level)) levelSwitches[static_cast<std::size_t>(level)].store(enabled, std::memory_order_relaxed);
}

void setLogSink(LogSink sink) {
    if (!sink) sink = writeToStderr;
    SinkState& state = sinkState();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.sink.swap(sink);
}

LogSink currentLogSink() {
    SinkState& state = sinkState();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.sink;
}

void logAppVel(const char* component, const char* file, int level, int line, const char* format, ...) {
    LogRecord record{component ? component : "", file ? file : "", level, line, format ? format : "", {}};
    va_list arguments;
    va_start(arguments, format);
    try {
        formatInto(record.message, format, arguments);
    } catch (...) {
        va_end(arguments);
        throw;
    }
    va_end(arguments);

    SinkState& state = sinkState();
    std::lock_guard<std::mutex> lock(state.mutex);  // released if the sink throws
    state.sink(record);
}
