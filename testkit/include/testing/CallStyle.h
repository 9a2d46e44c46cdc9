// How a request goes out: the channel member the proxy calls, and whether it
// names a callback channel.
#pragma once

namespace mgmtkit {

enum class CallStyle { OneWay, OneWayWithChannel, Sync, SyncWithChannel, SyncWithTimeout };

// "one-way", "one-way with channel", "sync", "sync with channel", "sync with timeout".
const char* nameOf(CallStyle style);

}  // namespace mgmtkit
