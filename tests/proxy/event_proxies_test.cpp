// The action event and location delivery proxies: one one-way request per call.
#include <gtest/gtest.h>

#include "ActionEventRequestProxy.h"
#include "LocationDeliveryRequestProxy.h"
#include "ProxyRig.h"
#include "VtableSlots.h"

using namespace testing_support;

// What each event sends and when the location request traces is the
// conformance test's; here data the rows cannot show, and level 6 alone.
TEST(EventProxies, EventDataTravelsUnchangedAndTheLocationTraceNeedsLevelSix) {
    TestChannel channel;
    ActionEventRequestProxy actions;
    LocationDeliveryRequestProxy location;
    actions.initProxy(channel);
    location.initProxy(channel);
    LogCapture log({0, 1, 2, 3, 4, 5, 7});
    actions.addActionEventRequestWithData(ActionEventRequestIfc::EVENT_KEY_PRESS, "");
    actions.addActionEventRequestWithData(ActionEventRequestIfc::EVENT_USER_ACTIVITY, std::string("a\0b", 3));
    location.sendLocationDeliveryRequest();
    EXPECT_TRUE(log.records().empty());
    std::vector<std::string> data;
    for (const SentRequest& sent : channel.requestsTo("addActionEventRequestWithData"))
        data.push_back(wireParams(sent.request).at(1));
    EXPECT_EQ(data, (std::vector<std::string>{"s:data=", std::string("s:data=a\0b", 10)}));
    EXPECT_TRUE(channel.options().empty()) << "only LocalMgmtProxy asks for a channel option";
}

TEST(EventProxySlots, FrameworkSlotsThenRunThenTheInterfaceOperations) {
    using A = ActionEventRequestProxy;
    using L = LocationDeliveryRequestProxy;
    // Slots 0-5 are the framework's Proxy (LocalMgmtSlots checks them), then each class's own.
    EXPECT_EQ(slotOf(&A::run), 6);
    EXPECT_EQ(slotOf(&A::addActionEventRequest), 7);
    EXPECT_EQ(slotOf(&A::addActionEventRequestWithData), 8);
    EXPECT_EQ(slotOf(&L::run), 6);
    EXPECT_EQ(slotOf(&L::sendLocationDeliveryRequest), 7);
    // Through the interfaces, the operations come first and in this order.
    EXPECT_EQ(slotOf(&ActionEventRequestIfc::addActionEventRequest), 0);
    EXPECT_EQ(slotOf(&ActionEventRequestIfc::addActionEventRequestWithData), 1);
    EXPECT_EQ(slotOf(&LocationDeliveryRequestIfc::sendLocationDeliveryRequest), 0);
}
