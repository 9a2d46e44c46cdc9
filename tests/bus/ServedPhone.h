// The simulated telephone's service program on the test's private session
// bus, waited for through its ready line, and its control interface.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ChildProcess.h"

namespace sdbus {
class IConnection;
class IProxy;
}  // namespace sdbus

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

    std::string state();
    void fail(const std::string& remote, const std::string& text);
    void restore(const std::string& remote);
    void delay(const std::string& remote, uint32_t milliseconds);

private:
    std::unique_ptr<ChildProcess> process_;
    std::unique_ptr<sdbus::IConnection> connection_;
    std::unique_ptr<sdbus::IProxy> control_;
};

}  // namespace bustest
