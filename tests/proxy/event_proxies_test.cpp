// The action event and location delivery proxies: one one-way request per call.
#include <gtest/gtest.h>

#include <memory>

#include "ActionEventRequestProxy.h"
#include "LocationDeliveryRequestProxy.h"
#include "LogCapture.h"
#include "TestChannel.h"

using namespace testing_support;

namespace {

struct EventProxiesTest : ::testing::Test {
    TestChannel channel;
    std::unique_ptr<Proxy> actionPart{createActionEventRequestProxy()};
    std::unique_ptr<Proxy> locationPart{createLocationDeliveryRequestProxy()};
    ActionEventRequestIfc& actions = *dynamic_cast<ActionEventRequestIfc*>(actionPart.get());
    LocationDeliveryRequestIfc& location = *dynamic_cast<LocationDeliveryRequestIfc*>(locationPart.get());

    void SetUp() override {
        actionPart->initProxy(channel);
        locationPart->initProxy(channel);
    }
};

}  // namespace

TEST_F(EventProxiesTest, BindingMakesNoCallOnTheChannel) {
    EXPECT_TRUE(channel.options.empty());
    EXPECT_TRUE(channel.calls.empty());
    EXPECT_EQ(static_cast<ActionEventRequestProxy*>(actionPart.get())->channel(), &channel);
    EXPECT_EQ(static_cast<LocationDeliveryRequestProxy*>(locationPart.get())->channel(), &channel);
}

TEST_F(EventProxiesTest, ActionEventsAreOneWayRequestsWithTheirValuesUnchanged) {
    LogCapture log({2, 3, 4, 5, 6, 7});
    actions.addActionEventRequest(ActionEventRequestIfc::EVENT_CALL_STATE);
    actions.addActionEventRequest(static_cast<ActionEventRequestIfc::EventType>(-17));
    actions.addActionEventRequestWithData(ActionEventRequestIfc::EVENT_KEY_PRESS, "");
    actions.addActionEventRequestWithData(static_cast<ActionEventRequestIfc::EventType>(99),
                                          std::string("a\0b", 3));

    struct Expected {
        const char* name;
        std::vector<Param> params;
    };
    const Expected expected[] = {
        {"addActionEventRequest", {intParam("type", 2)}},
        {"addActionEventRequest", {intParam("type", -17)}},
        {"addActionEventRequestWithData", {intParam("type", 1), stringParam("data", "")}},
        {"addActionEventRequestWithData", {intParam("type", 99), stringParam("data", std::string("a\0b", 3))}},
    };
    ASSERT_EQ(channel.calls.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(channel.calls[i].style, CallStyle::OneWay);
        EXPECT_EQ(channel.calls[i].request.name(), expected[i].name);
        EXPECT_EQ(channel.calls[i].request.type(), Method::REQUEST);
        EXPECT_EQ(paramsOf(channel.calls[i].request), expected[i].params);
    }
    EXPECT_TRUE(log.records().empty());
}

TEST_F(EventProxiesTest, LocationRequestTracesAtLevelSixOnlyAndCarriesNoParameters) {
    {
        LogCapture log({2, 3, 4, 5});
        location.sendLocationDeliveryRequest();
        EXPECT_TRUE(log.records().empty());
    }
    LogCapture log({6});
    location.sendLocationDeliveryRequest();
    ASSERT_EQ(channel.calls.size(), 2u);
    for (const SentCall& call : channel.calls) {
        EXPECT_EQ(call.style, CallStyle::OneWay);
        EXPECT_EQ(call.request.name(), "sendLocationDeliveryRequest");
        EXPECT_TRUE(call.request.parameters().empty());
    }
    auto records = log.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].component, "LocalMgmtProxy");
    EXPECT_EQ(records[0].file, "./src/LocationDeliveryRequestProxy");
    EXPECT_EQ(records[0].level, 6);
    EXPECT_EQ(records[0].message, "sendLocationDeliveryRequest");
}

TEST_F(EventProxiesTest, FailuresReachTheCallerAfterTheTrace) {
    LogCapture log({6});
    channel.failWith("queue full");
    EXPECT_THROW(actions.addActionEventRequest(ActionEventRequestIfc::EVENT_NONE), CorvexException);
    EXPECT_THROW(actions.addActionEventRequestWithData(ActionEventRequestIfc::EVENT_NONE, "d"),
                 CorvexException);
    EXPECT_THROW(location.sendLocationDeliveryRequest(), CorvexException);
    EXPECT_EQ(log.formats(), std::vector<std::string>{"sendLocationDeliveryRequest"});
    EXPECT_EQ(channel.calls.size(), 3u);
}

TEST_F(EventProxiesTest, HooksDoNothingBeforeAndAfterBinding) {
    Context context;
    std::unique_ptr<Proxy> unbound{createActionEventRequestProxy()};
    for (Proxy* proxy : {unbound.get(), actionPart.get(), locationPart.get()}) {
        proxy->init(context);
        proxy->timerEvent(3);
        proxy->shutdown();
    }
    static_cast<ActionEventRequestProxy*>(actionPart.get())->run();
    static_cast<LocationDeliveryRequestProxy*>(locationPart.get())->run();
    EXPECT_TRUE(channel.calls.empty());
    EXPECT_EQ(static_cast<ActionEventRequestProxy*>(unbound.get())->channel(), nullptr);
}
