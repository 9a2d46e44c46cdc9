#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Framework.h"

namespace {

Method sampleRequest() {
    Method request("uploadUserFile", Method::REQUEST);
    request.addIntParameter("filetype", 7, Parameter::IN);
    request.addStringParameter("filename", "a;b=c", Parameter::IN);
    request.addBoolParameter("flag", true, Parameter::OUT);
    request.addIntParameter("result", 1, Parameter::OUT);
    request.addIntParameter("result", 2, Parameter::OUT);  // duplicate: the first one wins
    request.addStringParameter("result", "text", Parameter::INOUT);
    return request;
}

TEST(MethodTest, FindsTheFirstByNameAndDirectionAndLeavesTheValueWhenAbsent) {
    Method request = sampleRequest();
    EXPECT_EQ(Method().parameters().capacity(), 0u);  // an empty reply allocates nothing
    int number = -1;
    EXPECT_TRUE(request.getIntParameter("result", number, Parameter::OUT));
    EXPECT_EQ(number, 1);
    std::string text;
    EXPECT_TRUE(request.getStringParameter("result", text, Parameter::INOUT));
    EXPECT_EQ(text, "text");
    bool flag = false;
    EXPECT_TRUE(request.getBoolParameter("flag", flag, Parameter::OUT));
    EXPECT_TRUE(flag);

    number = 42;
    EXPECT_FALSE(request.getIntParameter("filetype", number, Parameter::OUT));  // other direction
    EXPECT_FALSE(request.getIntParameter("FileType", number, Parameter::IN));   // case-sensitive
    EXPECT_FALSE(request.getIntParameter("missing", number, Parameter::IN));
    EXPECT_EQ(number, 42);
}

TEST(MethodTest, KindMismatchThrowsAndLeavesTheValue) {
    Method request = sampleRequest();
    std::string text = "kept";
    try {
        request.getStringParameter("filetype", text, Parameter::IN);
        ADD_FAILURE() << "no exception";
    } catch (const CorvexException& failure) {
        EXPECT_STREQ(failure.what(), "parameter 'filetype' is INT, not STRING");
    }
    EXPECT_EQ(text, "kept");
    int number = 42;
    EXPECT_THROW(request.getIntParameter("flag", number, Parameter::OUT), CorvexException);
    EXPECT_EQ(number, 42);
    bool flag = false;
    EXPECT_THROW(request.getBoolParameter("filename", flag, Parameter::IN), CorvexException);
    EXPECT_FALSE(flag);
    EXPECT_THROW(request.parameters()[0].stringValue(), CorvexException);
    EXPECT_THROW(request.parameters()[1].boolValue(), CorvexException);
    EXPECT_THROW(request.parameters()[2].intValue(), CorvexException);
    // Reading, failed or not, changed nothing.
    EXPECT_TRUE(request.getStringParameter("filename", text, Parameter::IN));
    EXPECT_EQ(text, "a;b=c");
}

TEST(ChannelTest, DefaultsHaveNoTransport) {
    ProxyRequest channel;
    EXPECT_EQ(channel.getServiceName(), "LocalMgmtService");
    Method request("reboot", Method::REQUEST);
    Method reply;
    std::string callback;
    try {
        channel.synchronousCall(request, reply, callback);
        ADD_FAILURE() << "no exception";
    } catch (const CorvexException& failure) {
        EXPECT_STREQ(failure.what(), "no transport bound for reboot");
    }
    EXPECT_THROW(channel.synchronousCall(request, reply, callback, 5), CorvexException);
    EXPECT_THROW(channel.asynchronousCall(request), CorvexException);
    EXPECT_THROW(channel.asynchronousCallWithChannel(request, callback), CorvexException);
}

// That a handler is called is the fault sweep's, which counts reboots with one.
TEST(GPALAdminTest, WithoutAHandlerARebootIsOnlyAnnounced) {
    GPALAdmin::setRebootHandler([] {});
    GPALAdmin::setRebootHandler(std::function<void()>());
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(GPALAdmin::rebootDevice(), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "GPALAdmin: device reboot requested\n");
}

}  // namespace
