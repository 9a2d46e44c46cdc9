// Platform calls. This machine is never rebooted: the default handler only
// says that a reboot was requested.
#include <cstdio>
#include <mutex>
#include <utility>

#include "Framework.h"

namespace {

void defaultRebootHandler() {
    std::printf("GPALAdmin: device reboot requested\n");
    std::fflush(stdout);
}

struct RebootState {
    std::mutex mutex;
    std::function<void()> handler = defaultRebootHandler;
};

// Never destroyed, so a reboot requested during static destruction still works.
RebootState& rebootState() {
    static RebootState* state = new RebootState;
    return *state;
}

}  // namespace

int GPALAdmin::rebootDevice() {
    RebootState& state = rebootState();
    std::function<void()> handler;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        handler = state.handler;
    }
    handler();  // outside the lock: a handler may install another handler
    return 0;
}

void GPALAdmin::setRebootHandler(std::function<void()> handler) {
    if (!handler) handler = defaultRebootHandler;
    RebootState& state = rebootState();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.handler.swap(handler);
}
