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

// What execv takes, made before the fork: a child of a process with threads
// may not allocate.
std::vector<char*> pointersTo(std::vector<std::string>& argv) {
    std::vector<char*> words;
    for (std::string& word : argv) words.push_back(word.data());
    words.push_back(nullptr);
    return words;
}

}  // namespace

Descriptor::~Descriptor() {
    if (fd >= 0) close(fd);
}

ChildProcess::ChildProcess(std::vector<std::string> argv, int piped)
    : ChildProcess([words = pointersTo(argv), piped](int fd) {
          dup2(fd, piped);
          fcntl(piped, F_SETFD, 0);  // stays open across exec, even where it was the pipe's own
          execv(words[0], words.data());
      }) {}

ChildProcess::ChildProcess(const std::function<void(int piped)>& body) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
    output_.fd = ends[0];
    const Descriptor writeEnd(ends[1]);  // the parent's copy goes, so a child that ends reads as the end
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        body(writeEnd.fd);
        _exit(127);
    }
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
        pollfd readable{output_.fd, POLLIN, 0};
        if (poll(&readable, 1, kGuardMs) <= 0) return std::nullopt;
        char chunk[512];
        const ssize_t got = read(output_.fd, chunk, sizeof chunk);
        if (got <= 0) return std::nullopt;
        buffered_.append(chunk, static_cast<std::size_t>(got));
    }
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
