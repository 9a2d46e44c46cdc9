// How the proxies write log records. Every record names the one component
// "LocalMgmtProxy", the proxy's fixed source path (each source file defines
// MGMT_LOG_FILE before including this header) and the line of the statement
// that writes it. Formats stay string literals at the call site so that the
// compiler checks them against their arguments.
#pragma once

#include "Framework.h"

#ifndef MGMT_LOG_FILE
#error "define MGMT_LOG_FILE (the proxy's source path) before including ProxyLog.h"
#endif

#define MGMT_LOG_COMPONENT "LocalMgmtProxy"

// A record at `level`, written only when the logging library wants that level.
#define MGMT_LOG_IF(level, ...)                                                            \
    do {                                                                                   \
        if (loggingOnAppVel(MGMT_LOG_COMPONENT, (level)))                                  \
            logAppVel(MGMT_LOG_COMPONENT, MGMT_LOG_FILE, (level), __LINE__, __VA_ARGS__); \
    } while (0)

// An error record: level 2, written whatever the level switches say.
#define MGMT_LOG_ERROR(...) logAppVel(MGMT_LOG_COMPONENT, MGMT_LOG_FILE, 2, __LINE__, __VA_ARGS__)

// The entry trace of an operation: its text is the whole record.
#define MGMT_TRACE(text) MGMT_LOG_IF(5, text)

// Failure records, handed to RemoteCall::onFailure.
// Pattern D: a level-3 time-out record without arguments, when level 3 is on.
#define MGMT_TIMEOUT_RECORD(text) [](const CorvexException&) { MGMT_LOG_IF(3, text); }
// Pattern E: a level-2 record carrying the exception's text, always written.
#define MGMT_ERROR_RECORD(format) \
    [](const CorvexException& failure) { MGMT_LOG_ERROR(format, failure.what()); }
