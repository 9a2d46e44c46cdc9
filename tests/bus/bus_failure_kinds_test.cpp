// Each way a call over the bus can fail is a class of its own, and its text
// reads well inside the failure record of the operation's pattern.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>
#include <typeinfo>

#include "LocalMgmtProxy.h"
#include "ScriptedService.h"
#include "bus/BusChannel.h"
#include "testing/LogCapture.h"

using bustest::ScriptedService;

namespace {

struct Kind {
    const char* busName;
    ScriptedService::Answer answer;  // null: nobody serves the name
    const std::type_info& type;
    std::string text;
};

TEST(BusFailureKinds, EachFailureIsItsOwnKindAndReadsWellInARecord) {
    const Kind kinds[] = {
        {"mgmt.Test.Fails", [](const Method&, Method&) { throw CorvexException("disk full"); },
         typeid(mgmtbus::ServiceFailed), "disk full"},
        {"mgmt.Test.Absent", nullptr, typeid(mgmtbus::ServiceAbsent), "service mgmt.Test.Absent is not on the bus"},
        {"mgmt.Test.Dies", [](const Method&, Method&) { _exit(0); }, typeid(mgmtbus::ServiceWentAway),
         "service mgmt.Test.Dies went away before answering"},
        {"mgmt.Test.Hangs", [](const Method&, Method&) { std::this_thread::sleep_for(std::chrono::hours(1)); },
         typeid(mgmtbus::ServiceTimedOut), "no answer from service mgmt.Test.Hangs within 200 ms"},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.busName);
        // A fresh service for each call, made while no channel runs a thread:
        // the service is forked off this process.
        const auto serve = [&kind] {
            return kind.answer ? std::make_unique<ScriptedService>(kind.busName, kind.answer) : nullptr;
        };
        {
            const auto service = serve();
            mgmtbus::BusChannel channel(std::string(), kind.busName);
            channel.setDefaultTimeout(200);
            Method request("retrievePhoneBusyStatus", Method::REQUEST), reply;
            std::string noChannel;
            try {
                channel.synchronousCall(request, reply, noChannel);
                ADD_FAILURE() << "answered";
            } catch (const mgmtbus::BusCallFailed& error) {
                EXPECT_EQ(typeid(error), kind.type) << typeid(error).name();
                EXPECT_EQ(error.what(), kind.text);
                EXPECT_EQ(error.remote(), "retrievePhoneBusyStatus");
                EXPECT_EQ(error.busName(), kind.busName);
            }
        }
        // Pattern E writes "uploadUserFile: %s\n" with the exception's text.
        const auto service = serve();
        mgmtbus::BusChannel channel(std::string(), kind.busName);
        channel.setDefaultTimeout(200);
        LocalMgmtProxy phone;
        phone.initProxy(channel);
        mgmtkit::LogCapture log({2});
        EXPECT_EQ(phone.uploadUserFile(LocalMgmtIfc::FILETYPE_RINGER, "Chirp.raw"), -1);
        ASSERT_EQ(log.records().size(), 1u);
        EXPECT_EQ(log.records()[0].message, "uploadUserFile: " + kind.text + "\n");
    }
}

}  // namespace
