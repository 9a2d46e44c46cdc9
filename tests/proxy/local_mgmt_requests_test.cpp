// What requests carry beyond their rows: the callback channel of an agent the
// framework cannot name. Each row's own request, and the names file and user
// types travel under, are the conformance test's.
#include <gtest/gtest.h>

#include "ProxyRig.h"

using namespace testing_support;

namespace {

// An observer that is no Executable: the framework cannot name its channel.
struct BareAgent : MgmtAgentIfc {};

}  // namespace

TEST(LocalMgmtRequests, AnAgentWithoutAKnownChannelIsReportedAndTheRequestStillGoesOut) {
    Agent unknown;
    BareAgent bare;
    const struct {
        const char* name;
        mgmtkit::AgentHandle handed;  // observers: the download operations get `executable`
        bool withContext = true;      // false: the channel has no framework context to ask
    } cases[] = {{"null", {}},
                 {"not an Executable", {&bare, nullptr}},
                 {"unknown", mgmtkit::AgentHandle::of(&unknown)},
                 {"on a channel without a framework context", mgmtkit::AgentHandle::of(&unknown), false}};
    for (const Operation& row : mgmtdesc::operations()) {
        if (!mgmtdesc::carriesCallbackChannel(row.style)) continue;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(row.name) + ", agent " + c.name);
            ProxyRig rig;
            if (!c.withContext) rig.channel.frameworkContext = nullptr;
            Proxies proxies(rig.channel);
            ArgumentValues arguments = sampleArguments(row, proxies.agent);
            for (ArgumentValue& argument : arguments)
                if (std::holds_alternative<mgmtkit::AgentHandle>(argument)) argument = c.handed;
            LogCapture log({2, 5});
            call(row, proxies, arguments);
            EXPECT_EQ(rig.channel.only().remote(), row.remote);
            EXPECT_EQ(rig.channel.only().callbackChannel, "");
            const std::string remote = row.remote;
            EXPECT_EQ(levelsAndMessages(log),
                      (std::vector<std::string>{
                          std::string("5 ") + row.trace.format, "5 findCallBackChan",
                          c.handed.executable != nullptr
                              ? "5 " + remote + ": callback channel set: "
                              : "2 method:" + remote + " observer is not an Executable callbackChan is null"}));
        }
    }
}
