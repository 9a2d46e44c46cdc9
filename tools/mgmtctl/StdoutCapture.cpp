#include "StdoutCapture.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace mgmtctl {

namespace {

void flushAll() {
    std::cout.flush();
    std::fflush(stdout);
}

}  // namespace

StdoutCapture::StdoutCapture() {
    flushAll();
    const char* directory = std::getenv("TMPDIR");
    std::string name = std::string(directory != nullptr && *directory != '\0' ? directory : "/tmp") +
                       "/mgmtctl-stdout-XXXXXX";
    capture_ = mkstemp(name.data());
    if (capture_ < 0) return;
    unlink(name.c_str());  // lives as long as the descriptor
    saved_ = dup(STDOUT_FILENO);
    if (saved_ < 0 || dup2(capture_, STDOUT_FILENO) < 0) {
        if (saved_ >= 0) close(saved_);
        close(capture_);
        saved_ = capture_ = -1;
    }
}

StdoutCapture::~StdoutCapture() {
    if (saved_ < 0) return;
    flushAll();
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
    close(capture_);
}

std::string StdoutCapture::take() {
    if (saved_ < 0) return std::string();
    flushAll();
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = pread(capture_, buffer, sizeof buffer, static_cast<off_t>(taken_));
        if (got <= 0) break;
        text.append(buffer, static_cast<std::size_t>(got));
        taken_ += got;
    }
    return text;
}

}  // namespace mgmtctl
