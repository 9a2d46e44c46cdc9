#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework.h"

namespace {

// The switches as the library starts with them, read before any test (or
// fixture) can set one.
const std::vector<bool> kSwitchesAtStart = [] {
    std::vector<bool> on;
    for (int level = -1; level <= 16; ++level) on.push_back(loggingOnAppVel("any", level));
    return on;
}();

// Restores the library's defaults around every test.
class LoggingTest : public ::testing::Test {
protected:
    void SetUp() override { restoreDefaults(); }
    void TearDown() override { restoreDefaults(); }
    static void restoreDefaults() {
        setLogSink(LogSink());
        for (int level = 0; level < 16; ++level) setLogLevelEnabled(level, level <= 3);
    }
    void capture() {
        setLogSink([this](const LogRecord& record) { records.push_back(record); });
    }
    std::vector<LogRecord> records;
};

TEST_F(LoggingTest, SwitchesDefaultAndToggle) {
    for (int level = -1; level <= 16; ++level)
        EXPECT_EQ(kSwitchesAtStart[static_cast<std::size_t>(level + 1)], level >= 0 && level <= 3) << level;
    setLogLevelEnabled(5, true);
    setLogLevelEnabled(2, false);
    setLogLevelEnabled(16, true);  // ignored
    EXPECT_TRUE(loggingOnAppVel(nullptr, 5));
    EXPECT_TRUE(loggingOnAppVel("other", 5));
    EXPECT_FALSE(loggingOnAppVel("any", 2));
    EXPECT_FALSE(loggingOnAppVel("any", 16));
}

TEST_F(LoggingTest, SinkReceivesEveryRecordWhateverTheSwitchesWithFormatAndMessage) {
    capture();
    setLogLevelEnabled(7, false);
    logAppVel("LocalMgmtProxy", "src/File.cpp", 7, 42, "upload %s: %d%%\n", "a.txt", 50);
    const char* noFormat = nullptr;
    logAppVel(nullptr, nullptr, 2, 1, noFormat, 0);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].component, "LocalMgmtProxy");
    EXPECT_EQ(records[0].file, "src/File.cpp");
    EXPECT_EQ(records[0].level, 7);
    EXPECT_EQ(records[0].line, 42);
    EXPECT_EQ(records[0].format, "upload %s: %d%%\n");
    EXPECT_EQ(records[0].message, "upload a.txt: 50%\n");
    EXPECT_EQ(records[1].component + records[1].file + records[1].format + records[1].message, "");

    // Messages of 511, 512 and 513 bytes, around the formatting buffer's size, come out whole.
    for (std::size_t length : {509u, 510u, 511u, 100000u}) {
        const std::string text(length, 'x');
        logAppVel("c", "f", 1, 1, "<%s>", text.c_str());
        EXPECT_EQ(records.back().message, "<" + text + ">");
    }
}

TEST_F(LoggingTest, DefaultSinkWritesOneLineToStderr) {
    capture();
    setLogSink(LogSink());  // the empty sink restores the default
    ::testing::internal::CaptureStderr();
    logAppVel("LocalMgmtProxy", "src/File.cpp", 9, 17, "failed: %s\n", "timeout");
    logAppVel("comp", "file", 0, 3, "no newline");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "9 LocalMgmtProxy src/File.cpp:17 failed: timeout\n0 comp file:3 no newline\n");
    EXPECT_TRUE(records.empty());
}

TEST_F(LoggingTest, SinkExceptionPropagatesAndReleasesTheLock) {
    setLogSink([](const LogRecord&) { throw CorvexException("sink failed"); });
    EXPECT_THROW(logAppVel("c", "f", 1, 1, "x"), CorvexException);
    capture();  // would dead-lock if the mutex were still held
    logAppVel("c", "f", 1, 1, "y");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].message, "y");
}

}  // namespace
