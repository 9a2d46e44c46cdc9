// `mgmtctl monitor`: the served telephone's exchanges as they happen, as
// records, from the signal the service emits for each one: calls, and the
// callbacks it sends observers.
#include <sdbus-c++/Error.h>
#include <sdbus-c++/IProxy.h>
#include <sdbus-c++/Message.h>

#include "Bus.h"
#include "bus/BusConnection.h"
#include "bus/BusNames.h"
#include "bus/MethodCoding.h"

namespace mgmtctl {

namespace {

void show(sdbus::Signal& signal, Output& output) {
    std::string peer, style, channel, outcome, failure;
    int32_t timeout = 0;
    signal >> peer >> style;
    Method message = mgmtbus::readMethod(signal, Method::REQUEST);
    signal >> channel >> timeout >> outcome;
    Method reply = mgmtbus::readMethod(signal, Method::REPLY);
    signal >> failure;
    const bool notification = style == mgmtbus::kNotificationStyle;
    const auto known = notification ? mgmtdesc::CallStyle::OneWayWithChannel : mgmtdesc::styleNamed(style);
    if (!known) throw CorvexException("unknown call style '" + style + "'");
    mgmtkit::Exchange exchange{notification ? mgmtkit::Exchange::Notification : mgmtkit::Exchange::Request,
                               std::move(message), *known, channel, timeout};
    if (outcome == "answered") exchange.reply = std::move(reply);
    if (outcome == "failed") exchange.failure = failure;
    output.note((notification ? "to " : "from ") + peer);
    output.print(exchangeRecords(exchange));
}

}  // namespace

int monitorTelephone(const Options& options, Output& output) {
    const std::string address = options.bus.value_or(std::string());
    try {
        auto connection = mgmtbus::connectToBus(address);
        auto service = sdbus::createProxy(*connection, mgmtbus::kServiceBusName, mgmtbus::kServicePath);
        service->registerSignalHandler(mgmtbus::kMonitorInterface, mgmtbus::kExchangeSignal,
                                       [&output](sdbus::Signal& signal) {
                                           try {
                                               show(signal, output);
                                           } catch (const std::exception& error) {
                                               std::cerr << "mgmtctl: unreadable exchange: " << error.what() << '\n';
                                           } catch (const CorvexException& error) {
                                               std::cerr << "mgmtctl: unreadable exchange: " << error.what() << '\n';
                                           }
                                       });
        service->finishRegistration();
        std::cerr << "mgmtctl: following " << mgmtbus::kServiceBusName << " on " << mgmtbus::describeBus(address)
                  << std::endl;
        connection->enterEventLoop();
    } catch (const CorvexException& error) {
        output.problem(std::string("monitor: ") + error.what(), kExitCallFailed);
        return kExitCallFailed;
    } catch (const sdbus::Error& error) {
        output.problem("monitor: " + error.getMessage(), kExitCallFailed);
        return kExitCallFailed;
    }
    return kExitDone;
}

}  // namespace mgmtctl
