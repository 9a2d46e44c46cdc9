// The component's own decisions, with the service mocked: what it sends, what
// it refuses to send, and how it reads the answers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "PhoneSettings.h"
#include "testing/Mocks.h"

using ::testing::_;
using ::testing::DoAll;
using ::testing::Return;
using ::testing::SaveArg;
using ::testing::SetArgPointee;
using ::testing::StrictMock;

TEST(PhoneSettingsLogic, RingersComeSorted) {
    StrictMock<mgmtkit::MockLocalMgmt> phone;
    EXPECT_CALL(phone, getListOfFilesOfType(LocalMgmtIfc::FILETYPE_RINGER, _))
        .WillOnce(DoAll(SetArgPointee<1>(std::list<std::string>{"b.raw", "a.raw"}), Return(true)));
    PhoneSettings settings(phone);
    EXPECT_EQ(settings.ringers(), (std::vector<std::string>{"a.raw", "b.raw"}));
}

TEST(PhoneSettingsLogic, ShortPasswordIsRefusedBeforeAnythingIsSent) {
    StrictMock<mgmtkit::MockLocalMgmt> phone;  // any call fails the test
    PhoneSettings settings(phone);
    EXPECT_FALSE(settings.setWebAccess({true, "1234567"}));
}

TEST(PhoneSettingsLogic, UploadWaitsForAnIdlePhoneAndReadsTheStatus) {
    struct Case {
        unsigned busy;
        int status;
        PhoneSettings::Upload expected;
    } const cases[] = {
        {0, 0, PhoneSettings::Upload::Done},
        {0, -2, PhoneSettings::Upload::Refused},
        {0, -1, PhoneSettings::Upload::Failed},
        {4, 0, PhoneSettings::Upload::PhoneBusy},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        StrictMock<mgmtkit::MockLocalMgmt> phone;
        EXPECT_CALL(phone, retrievePhoneBusyStatus()).WillOnce(Return(c.busy));
        if (c.busy == 0)
            EXPECT_CALL(phone, uploadUserFile(LocalMgmtIfc::FILETYPE_RINGER, "tune.raw")).WillOnce(Return(c.status));
        PhoneSettings settings(phone);
        EXPECT_EQ(settings.uploadRinger("tune.raw"), c.expected);
    }
}

TEST(PhoneSettingsLogic, VolumeNotificationsReachTheCallbackOnlyWhenReadable) {
    StrictMock<mgmtkit::MockLocalMgmt> phone;
    MgmtAgentIfc* agent = nullptr;
    EXPECT_CALL(phone, observeManageableData("audio.ringVolume", _)).WillOnce(DoAll(SaveArg<1>(&agent), Return(true)));
    EXPECT_CALL(phone, stopObservingManageableData("audio.ringVolume", _)).WillOnce(Return(true));
    PhoneSettings settings(phone);
    std::vector<int> heard;
    settings.watchRingVolume([&](int volume) { heard.push_back(volume); });
    // The framework finds the agent's sink the same way.
    auto* sink = dynamic_cast<NotificationSink*>(agent);
    ASSERT_NE(sink, nullptr);

    for (const char* text : {"audio.ringVolume=9", "audio.keyClick=true", "audio.ringVolume=loud", "=="}) {
        Method notification("dataChanged", Method::REQUEST);
        notification.addStringParameter("nodeId", "audio.ringVolume", Parameter::IN);
        notification.addStringParameter("manageableData", text, Parameter::IN);
        sink->notify(notification);
    }
    EXPECT_EQ(heard, std::vector<int>{9});
}

TEST(PhoneSettingsLogic, ARestartedPhoneIsAskedToWatchAgainWhatWasWatched) {
    StrictMock<mgmtkit::MockLocalMgmt> phone;
    PhoneSettings settings(phone);
    settings.phoneRestarted();  // nothing watched: nothing asked

    EXPECT_CALL(phone, observeManageableData("audio.ringVolume", _))
        .WillOnce(Return(true))
        .WillOnce(Return(true))
        .WillOnce(Return(false));
    EXPECT_CALL(phone, stopObservingManageableData("audio.ringVolume", _)).WillOnce(Return(true));
    settings.watchRingVolume([](int) {});
    settings.phoneRestarted();
    EXPECT_THROW(settings.phoneRestarted(), PhoneSettings::Unavailable);
}
