#include "ServedPhone.h"

#include <signal.h>
#include <sys/wait.h>

#include <stdexcept>

#include <gtest/gtest.h>

#include <sdbus-c++/sdbus-c++.h>

namespace bustest {

namespace {

constexpr int kReadyFd = 3;

}  // namespace

ServedPhone::ServedPhone() {
    start();
    connection_ = sdbus::createSessionBusConnection();
    control_ = sdbus::createProxy(*connection_, mgmtbus::kServiceBusName, mgmtbus::kServicePath);
}

ServedPhone::~ServedPhone() {
    // A report of a sanitizer in the service shows as an unclean end.
    if (process_ && !stop()) ADD_FAILURE() << "the served telephone did not stop cleanly";
}

void ServedPhone::start() {
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{SIMULATED_PHONE_PATH, "--bus", "--ready-fd=" + std::to_string(kReadyFd)}, kReadyFd);
    if (process_->nextLine() != "ready") throw std::runtime_error("the served telephone did not come up");
}

void ServedPhone::kill() {
    process_->signal(SIGKILL);
    process_->wait();
    process_.reset();
}

bool ServedPhone::stop() {
    process_->signal(SIGTERM);
    const bool said = process_->nextLine() == "stopped";
    const int status = process_->wait();
    process_.reset();
    return said && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ServedPhone::state() {
    std::string text;
    control_->callMethod("State").onInterface(mgmtbus::kControlInterface).storeResultsTo(text);
    return text;
}

}  // namespace bustest
