// Device control: the acknowledge word that vouches for a status reply, and
// the local reboot that stands in for a reset or reboot the service did not
// confirm.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <optional>

#include "ProxyRig.h"
#include "testing/StdoutCapture.h"

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
        if (reply.acknowledge) rig.channel.answerOthers().out("Acknowledge", *reply.acknowledge);
        if (reply.withData) rig.channel.answerOthers().out("Result", "SN-1").out("spaceinfo", "free=2048");
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

// What the fallbacks print and record, and the one reboot, are the fault
// sweep's; here that all of it is out before the device goes down, and that a
// service that answers is believed, "false" included.
TEST(DeviceControl, RebootFallbacksReportBeforeTheDeviceGoesDownAndBelieveAnAnswer) {
    const std::function<bool(LocalMgmtProxy&)> calls[] = {
        [](LocalMgmtProxy& p) { return p.performReboot("upgrade"); },
        [](LocalMgmtProxy& p) { return p.performFactoryReset("Pa55", false); },
    };
    for (const auto& call : calls) {
        ProxyRig failing;
        failing.channel.failWith("link lost");
        LogCapture log({0, 1, 2, 3, 4, 5, 6});
        off_t printedAtReboot = -1;
        std::size_t recordsAtReboot = 0;
        GPALAdmin::setRebootHandler([&] {
            printedAtReboot = lseek(STDOUT_FILENO, 0, SEEK_CUR);  // what reached the descriptor
            recordsAtReboot = log.records().size();
        });
        mgmtkit::StdoutCapture capture;
        std::setvbuf(stdout, nullptr, _IOFBF, BUFSIZ);  // text printed but not flushed stays behind
        EXPECT_TRUE(call(failing.proxy));
        const std::string printed = capture.take();
        GPALAdmin::setRebootHandler(nullptr);
        EXPECT_EQ(printedAtReboot, static_cast<off_t>(printed.size())) << printed;
        EXPECT_EQ(recordsAtReboot, log.records().size());

        ProxyRig answering;
        answering.channel.answerOthers().out("result", false);
        EXPECT_FALSE(call(answering.proxy));
    }
}
