// `mgmtctl serve`: the simulated telephone on a bus, one state for every
// client, until SIGINT or SIGTERM.
#include <pthread.h>

#include <csignal>
#include <iostream>
#include <thread>

#include "BusRemote.h"
#include "Commands.h"
#include "Masking.h"
#include "bus/BusService.h"

namespace mgmtctl {

namespace {

// What monitors and the trace may see of a record.
Method shown(const Method& method) {
    Method copy(method.name().c_str(), method.type());
    for (const Parameter& parameter : method.parameters()) {
        switch (parameter.kind()) {
            case Parameter::INT:
                copy.addIntParameter(parameter.name().c_str(), parameter.intValue(), parameter.direction());
                break;
            case Parameter::BOOL:
                copy.addBoolParameter(parameter.name().c_str(), parameter.boolValue(), parameter.direction());
                break;
            case Parameter::STRING: {
                std::string text = parameter.stringValue();
                if (namesPassword(parameter.name()))
                    text = kMask;
                else if (carriesManageableData(parameter.name()))
                    text = maskedDataText(text);
                copy.addStringParameter(parameter.name().c_str(), text, parameter.direction());
                break;
            }
        }
    }
    return copy;
}

void requireRemote(const mgmtkit::SimulatedPhone& phone, const std::string& remote) {
    for (const std::string& known : phone.remoteMethods())
        if (known == remote) return;
    throw CorvexException("the simulated telephone has no remote method '" + remote + "'");
}

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

}  // namespace

int serveTelephone(const Options& options, Printer& printer) {
    const std::string address = options.bus.value_or(std::string());
    mgmtkit::SimulatedPhone phone;
    for (const auto& [remote, text] : options.failures) {
        try {
            requireRemote(phone, remote);
        } catch (const CorvexException& error) {
            std::cerr << "mgmtctl: --fail: " << error.what() << '\n';
            return kExitBadInput;
        }
        phone.failMethod(remote, text);
    }

    mgmtbus::BusServiceHooks hooks;
    hooks.fail = [&phone](const std::string& remote, const std::string& text) {
        requireRemote(phone, remote);
        phone.failMethod(remote, text);
    };
    hooks.restore = [&phone](const std::string& remote) { phone.restoreMethod(remote); };
    hooks.state = [&phone] { return phone.describeState(); };
    hooks.shown = shown;
    const bool trace = options.trace;
    hooks.observer = [&phone, &printer, trace](const mgmtbus::BusExchange& exchange) {
        // The kit keeps every exchange for tests to read; a service that runs
        // for days must not.
        phone.clearTraffic();
        if (!trace) return;
        ExchangeEvent event{shown(exchange.request), exchange.style, exchange.callbackChannel,
                            exchange.timeout, {}, {}};
        if (exchange.reply != nullptr) event.reply = shown(*exchange.reply);
        if (exchange.failure != nullptr) event.failure = *exchange.failure;
        printer.request(event);
        printer.reply(event);
        std::cout.flush();
    };

    std::unique_ptr<mgmtbus::BusService> service;
    try {
        service = std::make_unique<mgmtbus::BusService>(address, mgmtbus::kServiceBusName, phone, hooks);
    } catch (const CorvexException& error) {
        std::cerr << "mgmtctl: serve: " << error.what() << '\n';
        return kExitCallFailed;
    }
    // Observers are called back in their own process, where they observe.
    phone.setCallbackRoute([&service](const std::string& channel, const Method& notification) {
        service->notify(channel, notification);
    });
    StopOnSignal stopper(*service);
    std::cerr << "mgmtctl: serving the simulated telephone as " << mgmtbus::kServiceBusName << " on "
              << (address.empty() ? std::string("the session bus") : address) << std::endl;
    service->run();
    std::cerr << "mgmtctl: stopped serving" << std::endl;
    return kExitDone;
}

}  // namespace mgmtctl
