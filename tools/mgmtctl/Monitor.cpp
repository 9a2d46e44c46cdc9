// `mgmtctl monitor`: the served telephone's exchanges as they happen, in the
// tool's record format, from the signal the service emits for each one.
#include <iostream>

#include <sdbus-c++/Error.h>
#include <sdbus-c++/IProxy.h>
#include <sdbus-c++/Message.h>

#include "BusRemote.h"
#include "Commands.h"
#include "bus/MethodCoding.h"
#include "bus/BusConnection.h"
#include "bus/BusNames.h"

namespace mgmtctl {

namespace {

mgmtdesc::CallStyle styleNamed(const std::string& name) {
    if (const auto style = mgmtdesc::styleNamed(name)) return *style;
    throw CorvexException("unknown call style '" + name + "'");
}

void show(sdbus::Signal& signal, Printer& printer) {
    std::string caller, style, channel, outcome, failure;
    int32_t timeout = 0;
    signal >> caller >> style;
    Method request = mgmtbus::readMethod(signal, Method::REQUEST);
    signal >> channel >> timeout >> outcome;
    Method reply = mgmtbus::readMethod(signal, Method::REPLY);
    signal >> failure;
    ExchangeEvent event{std::move(request), styleNamed(style), channel, timeout, {}, {}};
    if (outcome == "answered") event.reply = std::move(reply);
    if (outcome == "failed") event.failure = failure;
    printer.note("from " + caller);
    printer.request(event);
    printer.reply(event);
    std::cout.flush();
}

}  // namespace

int monitorTelephone(const Options& options, Printer& printer) {
    const std::string address = options.bus.value_or(std::string());
    try {
        auto connection = mgmtbus::connectToBus(address);
        auto service = sdbus::createProxy(*connection, mgmtbus::kServiceBusName, mgmtbus::kServicePath);
        service->registerSignalHandler(mgmtbus::kMonitorInterface, mgmtbus::kExchangeSignal,
                                       [&printer](sdbus::Signal& signal) {
                                           try {
                                               show(signal, printer);
                                           } catch (const std::exception& error) {
                                               std::cerr << "mgmtctl: unreadable exchange: " << error.what()
                                                         << '\n';
                                           } catch (const CorvexException& error) {
                                               std::cerr << "mgmtctl: unreadable exchange: " << error.what()
                                                         << '\n';
                                           }
                                       });
        service->finishRegistration();
        std::cerr << "mgmtctl: following " << mgmtbus::kServiceBusName << " on "
                  << mgmtbus::describeBus(address) << std::endl;
        connection->enterEventLoop();
    } catch (const CorvexException& error) {
        std::cerr << "mgmtctl: monitor: " << error.what() << '\n';
        return kExitCallFailed;
    } catch (const sdbus::Error& error) {
        std::cerr << "mgmtctl: monitor: " << error.getMessage() << '\n';
        return kExitCallFailed;
    }
    return kExitDone;
}

}  // namespace mgmtctl
