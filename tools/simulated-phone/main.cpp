// mgmt-simulated-phone: the test kit's simulated telephone served on a bus,
// one state for every client, until SIGINT or SIGTERM. Each exchange, the
// notifications to observers included, is emitted for monitors, kept for the
// control interface's GetCalls and, with --trace, written out as mgmtctl's
// records; passwords are hidden in all three. --ready-fd tells a script when
// it serves and when it has stopped.
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <thread>

#include <CLI/CLI.hpp>

#include "Faults.h"
#include "Output.h"
#include "ServiceOptions.h"
#include "bus/BusService.h"
#include "testing/Masking.h"
#include "testing/SimulatedPhone.h"

namespace {

constexpr const char* kProgram = "mgmt-simulated-phone";

// SIGINT and SIGTERM are taken by one thread that stops the service, so the
// service ends its loop and everything is torn down in order.
class StopOnSignal {
public:
    explicit StopOnSignal(mgmtbus::BusService& service) {
        sigemptyset(&signals_);
        sigaddset(&signals_, SIGINT);
        sigaddset(&signals_, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
        waiter_ = std::thread([this, &service] {
            int received = 0;
            sigwait(&signals_, &received);
            service.stop();
        });
    }
    ~StopOnSignal() {
        // Served to the end without a signal: wake the waiter ourselves.
        pthread_kill(waiter_.native_handle(), SIGTERM);
        waiter_.join();
    }

private:
    sigset_t signals_;
    std::thread waiter_;
};

// The control interface's requests, answered by the simulated telephone.
class PhoneControl final : public mgmtbus::ServiceControl {
public:
    explicit PhoneControl(mgmtkit::SimulatedPhone& phone) : phone_(phone) {}
    void fail(const std::string& remote, const std::string& text) override { phone_.fail(remote, text); }
    void restore(const std::string& remote) override { phone_.restore(remote); }
    std::string calls() override { return phone_.callsDocument(); }
    void clearCalls() override { phone_.clearCalls(); }
    void reset() override { phone_.reset(); }
    std::string state() override { return phone_.stateDocument(); }
    void setState(const std::string& document) override { phone_.setState(document); }

private:
    mgmtkit::SimulatedPhone& phone_;
};

// The descriptor --ready-fd names: "ready" once the service has its name and
// serves, "stopped" once it has given the name up, then closed at exit, so
// a reader sees the end even of a service that is killed.
class ReadyLine {
public:
    explicit ReadyLine(int fd) : fd_(fd) {}
    ~ReadyLine() {
        if (fd_ >= 0) close(fd_);
    }
    ReadyLine(const ReadyLine&) = delete;
    ReadyLine& operator=(const ReadyLine&) = delete;

    // Nobody reading any more is no reason to stop serving (SIGPIPE is ignored).
    void say(const char* word) {
        if (fd_ >= 0) dprintf(fd_, "%s\n", word);
    }

private:
    int fd_;
};

}  // namespace

int main(int argc, char** argv) {
    mgmtctl::ServiceOptions options;
    CLI::App app(
        "Serves one simulated telephone on a bus, shared by every client, until SIGINT\n"
        "or SIGTERM. `mgmtctl serve` starts this program; `mgmtctl monitor` follows it.",
        kProgram);
    mgmtctl::addServiceOptions(app, options);
    app.set_version_flag("--version", std::string(kProgram) + " " + MGMT_VERSION);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& done) {  // --help, --version
        return app.exit(done);
    } catch (const CLI::ParseError& error) {
        mgmtctl::Output(kProgram, options.json).problem(error.what(), 2);
        return 2;
    }
    mgmtctl::Output output(kProgram, options.json);
    if (options.readyFd >= 0 && fcntl(options.readyFd, F_GETFD) < 0) {
        output.problem("--ready-fd: " + std::to_string(options.readyFd) + " is not an open descriptor", 2);
        return 2;
    }
    ReadyLine ready(options.readyFd);
    std::signal(SIGPIPE, SIG_IGN);

    mgmtkit::SimulatedPhone phone;
    PhoneControl control(phone);
    for (const std::string& failure : options.failures) {
        const auto scripted = mgmtctl::parseFailure(failure);
        try {
            phone.fail(scripted ? scripted->first : failure, scripted ? scripted->second : "");
        } catch (const std::invalid_argument& error) {
            output.problem(std::string("--fail: ") + error.what(), 2);
            return 2;
        }
    }
    phone.keepCalls(options.keepCalls);
    phone.observer = [&output, trace = options.trace](const mgmtkit::Exchange& exchange) {
        if (trace) output.print(mgmtctl::exchangeRecords(exchange));
    };
    mgmtbus::BusServiceHooks hooks;
    hooks.control = &control;
    hooks.receiving = [&phone](const std::string& caller) { phone.setCaller(caller); };
    hooks.shown = mgmtkit::masked;

    const std::string address = options.bus.value_or(std::string());
    std::unique_ptr<mgmtbus::BusService> service;
    try {
        service = std::make_unique<mgmtbus::BusService>(address, mgmtbus::kServiceBusName, phone, hooks);
    } catch (const CorvexException& error) {
        output.problem(error.what(), 1);
        return 1;
    }
    // Observers are called back in their own process, where they observe.
    phone.setCallbackRoute(
        [&service](const std::string& channel, const Method& notification) { service->notify(channel, notification); });
    StopOnSignal stopper(*service);
    std::cerr << kProgram << ": serving the simulated telephone as " << mgmtbus::kServiceBusName << " on "
              << (address.empty() ? std::string("the session bus") : address) << std::endl;
    ready.say("ready");
    try {
        service->run();
    } catch (const CorvexException& error) {
        output.problem(error.what(), 1);
        return 1;
    }
    ready.say("stopped");
    std::cerr << kProgram << ": stopped serving" << std::endl;
    return 0;
}
