// Device control: the acknowledge word that vouches for a status reply, and
// the local reboot that stands in for a reset or reboot the service did not
// confirm.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "ProxyRig.h"

using namespace testing_support;

TEST(DeviceControl, OnlyAnExactSuccessAcknowledgeDeliversTheData) {
    const struct {
        std::optional<std::string> acknowledge;
        bool withData;
    } replies[] = {{"SUCCESS", true}, {"SUCCESS", false}, {"success", true}, {"SUCCESS ", true},
                   {"SUCCESS\n", true}, {"", true},        {std::nullopt, true}};
    for (const auto& reply : replies) {
        SCOPED_TRACE(reply.acknowledge.value_or("(missing)") + (reply.withData ? "" : " without data"));
        ProxyRig rig;
        if (reply.acknowledge) rig.channel.replyString("Acknowledge", *reply.acknowledge);
        if (reply.withData) rig.channel.replyString("Result", "SN-1").replyString("spaceinfo", "free=2048");
        // Acknowledged without the data is an answer all the same.
        const bool answered = reply.acknowledge == std::string("SUCCESS"), delivered = answered && reply.withData;
        std::string value = "keep";
        MemoryInfo info;
        info.setValue("free", "1");
        EXPECT_EQ(rig.proxy.getEnvironmentVariable(ENV_DEVICE_NAME, value), answered);
        rig.proxy.getUserDataSpaceInfo(info);
        EXPECT_EQ(value, delivered ? "SN-1" : "keep");
        EXPECT_EQ(info.getValue("free"), delivered ? "2048" : "1");
    }
}

TEST(DeviceControl, RebootFallbacksReportBeforeTheDeviceGoesDownAndBelieveAnAnswer) {
    const struct {
        const char* name;
        std::function<bool(LocalMgmtProxy&)> call;
        std::string printed;               // on standard output, flushed before the reboot
        std::vector<std::string> records;  // with every level on, all written before the reboot
    } cases[] = {
        {"performReboot", [](LocalMgmtProxy& p) { return p.performReboot("upgrade"); }, "performReboot:link lost\n",
         {}},
        {"performFactoryReset", [](LocalMgmtProxy& p) { return p.performFactoryReset("Pa55", false); }, "",
         {"2 performFactoryReset: link lost\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProxyRig failing;
        failing.channel.failWith("link lost");
        LogCapture log({0, 1, 2, 3, 4, 5, 6});
        int reboots = 0;
        std::string printedBeforeReboot;
        std::vector<std::string> loggedBeforeReboot;
        testing::internal::CaptureStdout();
        GPALAdmin::setRebootHandler([&] {
            ++reboots;
            printedBeforeReboot = testing::internal::GetCapturedStdout();
            testing::internal::CaptureStdout();
            loggedBeforeReboot = levelsAndMessages(log);
        });
        EXPECT_TRUE(c.call(failing.proxy));
        testing::internal::GetCapturedStdout();

        // A service that answers is believed, "false" included.
        ProxyRig answering;
        answering.channel.replyBool("result", false);
        EXPECT_FALSE(c.call(answering.proxy));
        GPALAdmin::setRebootHandler(nullptr);

        EXPECT_EQ(reboots, 1);
        EXPECT_EQ(printedBeforeReboot, c.printed);
        EXPECT_EQ(loggedBeforeReboot, c.records);
        EXPECT_EQ(levelsAndMessages(log), c.records);
    }
}
