// The simulated telephone's service program on the test's private session
// bus, waited for through its ready line, and its control interface.
#pragma once

#include <memory>
#include <string>

#include <sdbus-c++/IConnection.h>
#include <sdbus-c++/IProxy.h>

#include "ChildProcess.h"
#include "bus/BusNames.h"

namespace bustest {

class ServedPhone {
public:
    ServedPhone();   // started and serving
    ~ServedPhone();  // stopped (SIGTERM) if still running
    ServedPhone(const ServedPhone&) = delete;
    ServedPhone& operator=(const ServedPhone&) = delete;

    // Starts a new one after kill() or stop(); returns once it serves.
    void start();
    // kill -9: no goodbye, calls in progress unanswered.
    void kill();
    // SIGTERM; true when it said "stopped" and ended with status 0.
    bool stop();
    pid_t pid() const { return process_->pid(); }

    // A method of the control interface ("Fail", "Delay", ...).
    template <class... Arguments>
    void control(const char* method, const Arguments&... arguments) {
        control_->callMethod(method).onInterface(mgmtbus::kControlInterface).withArguments(arguments...);
    }
    std::string state();

private:
    std::unique_ptr<ChildProcess> process_;
    std::unique_ptr<sdbus::IConnection> connection_;
    std::unique_ptr<sdbus::IProxy> control_;
};

}  // namespace bustest
