// The component against the simulated telephone: real proxies, a telephone
// that keeps state, and faults scripted per remote method.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "LocalMgmtProxy.h"
#include "PhoneSettings.h"
#include "testing/LogCapture.h"
#include "testing/PhoneState.h"
#include "testing/ProxyLibrary.h"
#include "testing/SimulatedPhone.h"

namespace {

// One proxy, made by the library's factory and bound to the simulated
// telephone, as the framework would hand it to the component.
struct OnTheSimulatedPhone : ::testing::Test {
    mgmtkit::SimulatedPhone phone;
    mgmtkit::SimulatedContext context;
    std::unique_ptr<Proxy> proxy{createLocalMgmtProxy()};
    LocalMgmtIfc* service = nullptr;

    void SetUp() override {
        context.attach(phone);  // names the observers' channels and calls them back
        service = mgmtkit::bindProxy<LocalMgmtIfc>(*proxy, phone);
    }
};

}  // namespace

TEST_F(OnTheSimulatedPhone, ListsAndUploadsRingers) {
    PhoneSettings settings(*service);
    EXPECT_EQ(settings.ringers(), (std::vector<std::string>{"Chirp.raw", "Classic.raw"}));
    EXPECT_EQ(settings.uploadRinger("Chirp.raw"), PhoneSettings::Upload::Done);
    EXPECT_EQ(settings.uploadRinger("Missing.raw"), PhoneSettings::Upload::Refused);
    phone.state().device.setBusy(1);
    EXPECT_EQ(settings.uploadRinger("Chirp.raw"), PhoneSettings::Upload::PhoneBusy);
}

TEST_F(OnTheSimulatedPhone, WebAccessIsWrittenAndReadBack) {
    PhoneSettings settings(*service);
    EXPECT_FALSE(settings.webAccess().enabled);
    ASSERT_TRUE(settings.setWebAccess({true, "correct horse"}));
    const PhoneSettings::WebAccess now = settings.webAccess();
    EXPECT_TRUE(now.enabled);
    EXPECT_EQ(now.password, "correct horse");
}

TEST_F(OnTheSimulatedPhone, HearsTheRingVolumeWhoeverChangesIt) {
    PhoneSettings settings(*service);
    std::vector<int> heard;
    settings.watchRingVolume([&](int volume) { heard.push_back(volume); });

    phone.changeData({{"audio.ringVolume", "8"}});  // on the telephone's own screen
    ManageableData fromAnotherClient;
    fromAnotherClient.setValue("audio.ringVolume", "3");
    service->setData(fromAnotherClient);
    phone.changeData({{"display.brightness", "2"}});  // not watched

    EXPECT_EQ(heard, (std::vector<int>{8, 3}));
}

TEST_F(OnTheSimulatedPhone, EveryFailingCallIsReportedAndNothingElseEscapes) {
    mgmtkit::LogCapture quiet;  // the proxies' own failure records are not this test's business
    PhoneSettings settings(*service);
    const struct {
        const char* operation;  // faults are scripted by the operation's name or its remote method's
        std::function<void()> act;
    } unavailable[] = {
        {"getListOfFilesOfType", [&] { settings.ringers(); }},
        {"getData", [&] { settings.webAccess(); }},
        {"setData", [&] { settings.setWebAccess({true, "correct horse"}); }},
        {"observeManageableData", [&] { settings.watchRingVolume([](int) {}); }},
    };
    for (const auto& c : unavailable) {
        SCOPED_TRACE(c.operation);
        phone.fail(c.operation, "link down");
        EXPECT_THROW(c.act(), PhoneSettings::Unavailable);
        phone.restore(c.operation);
    }
    for (const char* operation : {"retrievePhoneBusyStatus", "uploadUserFile"}) {
        SCOPED_TRACE(operation);
        phone.fail(operation, "link down");
        EXPECT_EQ(settings.uploadRinger("Chirp.raw"), PhoneSettings::Upload::Failed);
        phone.restore(operation);
    }
}
