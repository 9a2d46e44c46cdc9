// Failures over the bus as callers see them: each way a call fails is a class
// of its own whose text reads well inside a pattern's record, and a failing
// service looks to every operation exactly as it does in process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <typeinfo>

#include "RowDriver.h"
#include "ScriptedService.h"
#include "ServedPhone.h"
#include "bus/BusChannel.h"
#include "testing/LogCapture.h"
#include "testing/SimulatedPhone.h"
#include "testing/StdoutCapture.h"

using namespace testing_support;

namespace {

void hang() { std::this_thread::sleep_for(std::chrono::hours(1)); }

using mgmtkit::RecordingChannel;

// The service does `act` on every call.
bustest::ServiceScript everyCall(void (*act)()) {
    return [act](RecordingChannel& service) { service.onCall = [act](const mgmtkit::SentRequest&) { act(); }; };
}

struct Kind {
    const char* busName;
    bustest::ServiceScript script;  // null: nobody serves the name
    int timeout;                     // the call's own; 0: the channel's default, 200 ms
    const std::type_info& type;
    std::string text;
};

TEST(BusFailures, EachFailureIsItsOwnKindAndReadsWellInARecord) {
    const Kind kinds[] = {
        {"mgmt.Test.Fails", [](RecordingChannel& service) { service.fail("retrievePhoneBusyStatus", "disk full"); }, 0,
         typeid(mgmtbus::ServiceFailed), "disk full"},
        {"mgmt.Test.Absent", nullptr, 0, typeid(mgmtbus::ServiceAbsent), "service mgmt.Test.Absent is not on the bus"},
        {"mgmt.Test.Dies", everyCall([] { _exit(0); }), 0, typeid(mgmtbus::ServiceWentAway),
         "service mgmt.Test.Dies went away before answering"},
        {"mgmt.Test.Hangs", everyCall(hang), 0, typeid(mgmtbus::ServiceTimedOut),
         "no answer from service mgmt.Test.Hangs within 200 ms"},
        {"mgmt.Test.HangsPastTheCallsOwnTimeOut", everyCall(hang), 300, typeid(mgmtbus::ServiceTimedOut),
         "no answer from service mgmt.Test.HangsPastTheCallsOwnTimeOut within 300 ms"},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.busName);
        // Made while no channel runs a thread: the service is a fork of this process.
        const auto service = kind.script ? bustest::serveScripted(kind.busName, kind.script) : nullptr;
        mgmtbus::BusChannel channel(std::string(), kind.busName);
        channel.setDefaultTimeout(200);
        Method request("retrievePhoneBusyStatus", Method::REQUEST), reply;
        std::string noChannel;
        try {
            channel.synchronousCall(request, reply, noChannel, kind.timeout);
            ADD_FAILURE() << "answered";
        } catch (const mgmtbus::BusCallFailed& error) {
            EXPECT_EQ(typeid(error), kind.type) << typeid(error).name();
            EXPECT_EQ(error.what(), kind.text);  // the pattern records put the operation's name before it
            EXPECT_EQ(error.remote(), "retrievePhoneBusyStatus");
            EXPECT_EQ(error.busName(), kind.busName);
        }
    }
}

// What a failing call left behind, as far as the caller can tell.
struct Aftermath {
    std::string escaped;  // the text of the CorvexException that reached the caller
    std::string result;
    std::vector<std::string> records;  // level, format and message of each failure record
    std::string printed;
    int reboots = 0;
};

Aftermath callOn(ProxyRequest& channel, const Operation& row) {
    Aftermath aftermath;
    GPALAdmin::setRebootHandler([&aftermath] { ++aftermath.reboots; });
    mgmtkit::LogCapture log({0, 1, 2, 3});
    Proxies proxies(channel);
    ArgumentValues arguments = sampleArguments(row, proxies.agent);
    mgmtkit::StdoutCapture printed;
    try {
        aftermath.result = show(call(row, proxies, arguments));
    } catch (const CorvexException& error) {
        aftermath.escaped = error.what();
    }
    aftermath.printed = printed.take();
    GPALAdmin::setRebootHandler({});
    for (const LogRecord& record : log.records())
        aftermath.records.push_back(std::to_string(record.level) + " " + record.format + " " + record.message);
    return aftermath;
}

// A one-way call never hears of a service's failure, on any channel, but one
// to a name nobody owns fails at once; either way the pattern sees it as it
// would in process.
TEST(BusFailures, EveryFailurePatternAsInProcess) {
    bustest::ServedPhone served;
    mgmtbus::BusChannel channel, toNobody(std::string(), "mgmt.NobodyHere");
    for (const Operation& row : mgmtdesc::operations()) {
        SCOPED_TRACE(row.name);
        const std::string remote = row.remote;
        const bool oneWay = !row.synchronous();
        const std::string text =
            oneWay ? "service mgmt.NobodyHere is not on the bus" : "disk full while serving " + remote;
        if (!oneWay) served.control("Fail", remote, text);
        mgmtkit::SimulatedPhone phone;
        mgmtkit::SimulatedContext context;
        phone.frameworkContext = &context;
        phone.fail(remote, text);
        const Aftermath bus = callOn(oneWay ? toNobody : channel, row), local = callOn(phone, row);
        EXPECT_EQ(bus.escaped, local.escaped);
        EXPECT_EQ(bus.result, local.result);
        EXPECT_EQ(bus.records, local.records);
        EXPECT_EQ(bus.printed, local.printed);
        EXPECT_EQ(bus.reboots, local.reboots);
        if (!oneWay) served.control("Restore", remote);
    }
}

}  // namespace
