#include "testing/CallStyle.h"

namespace mgmtkit {

const char* nameOf(CallStyle style) {
    switch (style) {
        case CallStyle::OneWay: return "one-way";
        case CallStyle::OneWayWithChannel: return "one-way with channel";
        case CallStyle::Sync: return "sync";
        case CallStyle::SyncWithChannel: return "sync with channel";
        case CallStyle::SyncWithTimeout: return "sync with timeout";
    }
    return "?";
}

}  // namespace mgmtkit
