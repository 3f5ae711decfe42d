#include "platform/desktop/AccessState.h"
#include "platform/desktop/LinuxAccessState.h"
#include "support/FakeAccessState.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using platform::AccessState;

TEST(AccessStateTest, LinuxGrantsAccessAndHasNoSettingsPaneAndSaysSo) {
    testsupport::LogCapture log;
    platform::LinuxAccessState state;
    EXPECT_EQ(state.fullDiskAccessStatus(), AccessState::Status::Granted);
    EXPECT_FALSE(state.hasPrivacySettingsPane());
    EXPECT_TRUE(log.contains("Full Disk Access"));
}

TEST(AccessStateTest, AFakeTakesTheSharedPlaceUntilRemoved) {
    auto fake = std::make_shared<testsupport::FakeAccessState>(AccessState::Status::Denied);
    AccessState::setShared(fake);
    EXPECT_EQ(AccessState::shared()->fullDiskAccessStatus(), AccessState::Status::Denied);
    fake->setStatus(AccessState::Status::NotDetermined);
    EXPECT_EQ(AccessState::shared()->fullDiskAccessStatus(), AccessState::Status::NotDetermined);

    AccessState::setShared(nullptr);
    EXPECT_EQ(AccessState::shared()->fullDiskAccessStatus(), AccessState::Status::Granted);
    EXPECT_FALSE(AccessState::shared()->hasPrivacySettingsPane());
}
