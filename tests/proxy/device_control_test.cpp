// Device control: the acknowledge word that vouches for a status reply, and
// the local reboot that stands in for a reset or reboot the service did not
// confirm.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <optional>

#include "ProxyRig.h"

using namespace testing_support;

namespace {

// Standard output sent to a scratch file at the descriptor and fully
// buffered, so that text printed but not flushed has not arrived yet.
class StdoutAtDescriptor {
public:
    StdoutAtDescriptor() {
        std::fflush(stdout);
        dup2(fileno(file_), STDOUT_FILENO);
        std::setvbuf(stdout, nullptr, _IOFBF, BUFSIZ);
    }
    ~StdoutAtDescriptor() {
        std::fflush(stdout);
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
        std::fclose(file_);
    }
    StdoutAtDescriptor(const StdoutAtDescriptor&) = delete;
    StdoutAtDescriptor& operator=(const StdoutAtDescriptor&) = delete;

    // What has reached the descriptor; leaves stdio's buffer alone.
    std::string arrived() const {
        std::string text;
        char chunk[256];
        for (ssize_t n; (n = pread(fileno(file_), chunk, sizeof chunk, static_cast<off_t>(text.size()))) > 0;)
            text.append(chunk, static_cast<std::size_t>(n));
        return text;
    }

private:
    std::FILE* file_ = std::tmpfile();
    int saved_ = dup(STDOUT_FILENO);
};

}  // namespace

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
        bool result = false;
        {
            StdoutAtDescriptor out;
            GPALAdmin::setRebootHandler([&] {
                ++reboots;
                printedBeforeReboot = out.arrived();
                loggedBeforeReboot = levelsAndMessages(log);
            });
            result = c.call(failing.proxy);
            GPALAdmin::setRebootHandler([&] { ++reboots; });
        }
        EXPECT_TRUE(result);

        // A service that answers is believed, "false" included.
        ProxyRig answering;
        answering.channel.answerOthers().out("result", false);
        EXPECT_FALSE(c.call(answering.proxy));
        GPALAdmin::setRebootHandler(nullptr);

        EXPECT_EQ(reboots, 1);
        EXPECT_EQ(printedBeforeReboot, c.printed);
        EXPECT_EQ(loggedBeforeReboot, c.records);
        EXPECT_EQ(levelsAndMessages(log), c.records);
    }
}
