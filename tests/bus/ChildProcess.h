// A process a bus test starts, with one of its descriptors piped back to the
// test and read a line at a time: a program (its standard output, or the
// descriptor it is told to announce its readiness on), or a function run in
// a fork of the test process.
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bustest {

// An open descriptor, closed when it goes.
struct Descriptor {
    explicit Descriptor(int open = -1) : fd(open) {}
    Descriptor(Descriptor&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    Descriptor& operator=(Descriptor&&) = delete;
    ~Descriptor();
    int fd;
};

class ChildProcess {
public:
    // Runs argv[0] with `argv`; what it writes to descriptor `piped` the test reads.
    ChildProcess(std::vector<std::string> argv, int piped);
    // Runs `body` in a fork of this process, handing it the descriptor the
    // test reads; the child ends when it returns. Fork before the test starts
    // threads (a channel has one).
    explicit ChildProcess(const std::function<void(int piped)>& body);
    ~ChildProcess();  // killed (SIGKILL) if still running, and reaped
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line without its newline; nothing at end of file, or when
    // nothing came for a minute (a guard against a hang, not a time limit).
    std::optional<std::string> nextLine();

    pid_t pid() const { return pid_; }
    void signal(int number);
    // The status waitpid gives once it has ended.
    int wait();

private:
    pid_t pid_ = -1;
    Descriptor output_;
    std::string buffered_;
};

// Resident set in KiB and open descriptors of a running process, from /proc.
long residentKiB(pid_t pid);
int openDescriptors(pid_t pid);

}  // namespace bustest
