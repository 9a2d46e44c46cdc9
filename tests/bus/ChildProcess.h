// A program a bus test runs, with one of its descriptors piped back to the
// test and read a line at a time: its standard output, or the descriptor it
// is told to announce its readiness on.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bustest {

// An open descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    int get() const { return fd_; }
    void reset();

private:
    int fd_;
};

// A pipe, both ends closed on exec (dup2 makes a copy that stays open).
struct Pipe {
    Pipe();
    Descriptor readEnd, writeEnd;
};

class ChildProcess {
public:
    // Runs argv[0] with `argv`; what it writes to descriptor `piped` the test reads.
    ChildProcess(std::vector<std::string> argv, int piped);
    ~ChildProcess();  // killed (SIGKILL) if still running, and reaped
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line without its newline; nothing at end of file, or when
    // nothing came for a minute (a guard against a hang, not a time limit).
    std::optional<std::string> nextLine();
    // The first line equal to `line`, skipping others; false at end or guard.
    bool waitFor(const std::string& line);

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
