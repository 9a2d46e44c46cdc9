#include "testing/StdoutCapture.h"

#include <unistd.h>

#include <iostream>

namespace mgmtkit {

namespace {

void flushAll() {
    std::cout.flush();
    std::fflush(stdout);
}

}  // namespace

StdoutCapture::StdoutCapture() : file_(std::tmpfile()) {
    flushAll();
    if (file_ != nullptr) saved_ = dup(STDOUT_FILENO);
    if (saved_ >= 0 && dup2(fileno(file_), STDOUT_FILENO) < 0) {
        close(saved_);
        saved_ = -1;
    }
}

StdoutCapture::~StdoutCapture() {
    if (saved_ >= 0) {
        flushAll();
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
    }
    if (file_ != nullptr) std::fclose(file_);
}

std::string StdoutCapture::take() {
    if (saved_ < 0) return std::string();
    flushAll();
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = pread(fileno(file_), buffer, sizeof buffer, static_cast<off_t>(taken_))) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
        taken_ += got;
    }
    return text;
}

}  // namespace mgmtkit
