#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace bustest {

namespace {

constexpr int kGuardMs = 60000;

}  // namespace

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        reset();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void Descriptor::reset() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

Pipe::Pipe() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
    readEnd = Descriptor(ends[0]);
    writeEnd = Descriptor(ends[1]);
}

ChildProcess::ChildProcess(std::vector<std::string> argv, int piped) {
    Pipe pipe;
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        dup2(pipe.writeEnd.get(), piped);
        std::vector<char*> words;
        for (std::string& word : argv) words.push_back(word.data());
        words.push_back(nullptr);
        execv(words[0], words.data());
        _exit(127);
    }
    output_ = std::move(pipe.readEnd);
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<std::string> ChildProcess::nextLine() {
    for (;;) {
        const std::size_t end = buffered_.find('\n');
        if (end != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return line;
        }
        pollfd readable{output_.get(), POLLIN, 0};
        if (poll(&readable, 1, kGuardMs) <= 0) return std::nullopt;
        char chunk[512];
        const ssize_t got = read(output_.get(), chunk, sizeof chunk);
        if (got <= 0) return std::nullopt;
        buffered_.append(chunk, static_cast<std::size_t>(got));
    }
}

bool ChildProcess::waitFor(const std::string& line) {
    while (const auto next = nextLine())
        if (*next == line) return true;
    return false;
}

void ChildProcess::signal(int number) {
    if (pid_ > 0) kill(pid_, number);
}

int ChildProcess::wait() {
    int status = -1;
    if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_) pid_ = -1;
    return status;
}

long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = -1;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            break;
        }
        status.ignore(4096, '\n');
    }
    return value;
}

int openDescriptors(pid_t pid) {
    std::error_code gone;
    int count = 0;
    for (std::filesystem::directory_iterator it("/proc/" + std::to_string(pid) + "/fd", gone), end;
         !gone && it != end; it.increment(gone))
        ++count;
    return gone ? -1 : count;
}

}  // namespace bustest
