// Manageable data: the in-process shortcut of the four operations that may
// skip the channel. What setData's level-5 record shows, and when a reply
// refills the caller's object, are the conformance test's and the fault sweep's.
#include <gtest/gtest.h>

#include <map>

#include "ProxyRig.h"

using namespace testing_support;

namespace {

// An in-process implementation of the service: a LocalMgmtProxy itself,
// bound to a channel of its own, so what it answers is that channel's reply.
struct InProcessService : Service, LocalMgmtProxy {
    TestChannel behind;
    bool failing = false;  // setData throws at once
    InProcessService() { initProxy(behind); }
    bool setData(ManageableData& data) override {
        if (failing) throw CorvexException("local failure");
        return LocalMgmtProxy::setData(data);
    }
    void init(Context&) override {}
    void shutdown() override {}
    void run() override {}
};

// Some other service living in the process.
struct UnrelatedService : Service {
    void init(Context&) override {}
    void shutdown() override {}
    void run() override {}
};

ManageableData keyV() {
    ManageableData data;
    data.setValue("key", "v");
    return data;
}

}  // namespace

// Every operation of LocalMgmtProxy, twice, on one proxy whose framework
// context finds nothing, another service, or an in-process one.
TEST(ManageableDataLookup, OneLookupAndOnlyTheShortcutOperationsGoToAnInProcessService) {
    InProcessService inProcess;
    UnrelatedService unrelated;
    std::map<std::string, std::size_t> recordsWhenSent;  // by row, over the channel
    for (Service* found : {static_cast<Service*>(nullptr), static_cast<Service*>(&unrelated),
                           static_cast<Service*>(&inProcess)}) {
        ProxyRig rig("mgmt.local");
        rig.context.service = found;
        Proxies proxies(rig.channel);
        EXPECT_EQ(rig.context.serviceLookups, 0) << "binding does not look";
        for (int round = 0; round < 2; ++round) {
            for (const Operation& row : mgmtdesc::operations()) {
                if (row.interface == mgmtdesc::Interface::ActionEventRequest ||
                    row.interface == mgmtdesc::Interface::LocationDeliveryRequest)
                    continue;
                const bool local = found == &inProcess && row.localShortcut;
                SCOPED_TRACE(std::string(row.name) + (local ? " in process" : " over the channel"));
                rig.channel.reply = inProcess.behind.reply = scriptedReply(row);
                const std::size_t sent = rig.channel.requests().size();
                const std::size_t sentInProcess = inProcess.behind.requests().size();
                ArgumentValues arguments = sampleArguments(row, proxies.agent);
                const ArgumentValues given = arguments;
                LogCapture log({0, 1, 2, 3, 4, 5, 6});
                const Result result = call(row, proxies, arguments);
                EXPECT_EQ(rig.channel.requests().size() - sent, local ? 0u : 1u);
                EXPECT_EQ(inProcess.behind.requests().size() - sentInProcess, local ? 1u : 0u);
                const Outcome expected = afterReply(row, given);  // the service's answer, and the caller's objects
                EXPECT_EQ(show(result), show(expected.result));
                EXPECT_EQ(show(arguments), show(expected.arguments));
                // The entry trace comes before the shortcut, every other record after it.
                if (!local)
                    recordsWhenSent[row.name] = log.records().size();
                else
                    EXPECT_EQ(log.records().size(), recordsWhenSent[row.name] + (row.trace.format ? 1 : 0));
            }
        }
        EXPECT_EQ(rig.context.serviceLookups, 1);
        EXPECT_EQ(rig.context.lastServiceName, "mgmt.local");
        EXPECT_EQ(rig.context.lastInstance, "");
        if (found == &inProcess) {
            inProcess.failing = true;
            ManageableData data = keyV();
            EXPECT_THROW(proxies.local.setData(data), CorvexException);
        }
    }

    // A channel without a framework context knows no in-process service.
    TestChannel bare;
    LocalMgmtProxy proxy;
    proxy.initProxy(bare);
    EXPECT_EQ(proxy.getService(), nullptr);
}
