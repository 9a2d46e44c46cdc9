// A service of the test's own on its private bus: the bus exporter serving
// a backend whose every answer the test writes, in a child process, so the
// test can have it fail, leave values out, hang or die mid-call.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

#include "Framework.h"

namespace bustest {

class ScriptedService {
public:
    // Called for every request, one-way ones too, in the child process: fill
    // `reply`, throw CorvexException to fail the call, or _exit to die.
    using Answer = std::function<void(const Method& request, Method& reply)>;

    // Returns once the service has its name. Make it before the test starts
    // threads (a channel has one): the test process forks.
    ScriptedService(const std::string& busName, Answer answer);
    ~ScriptedService();  // killed and reaped
    ScriptedService(const ScriptedService&) = delete;
    ScriptedService& operator=(const ScriptedService&) = delete;

private:
    pid_t pid_ = -1;
};

}  // namespace bustest
