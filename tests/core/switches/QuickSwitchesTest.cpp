#include "core/switches/QuickSwitches.h"

#include "core/kit/SettingsFile.h"
#include "platform/system/Bundle.h"

#include "support/FakeDesktopPreferences.h"
#include "support/FakeProcessRunner.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using core::switches::QuickSwitches;
using core::switches::SwitchId;
using core::switches::SwitchState;
using platform::PlistValue;
using platform::Preference;

class QuickSwitchesTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::DesktopPreferences::setShared(preferences);
        platform::ProcessRunner::setShared(runner);
    }
    void TearDown() override {
        platform::DesktopPreferences::setShared(nullptr);
        platform::ProcessRunner::setShared(nullptr);
    }

    testsupport::ScopedEnvironment environment;
    std::shared_ptr<testsupport::FakeDesktopPreferences> preferences = std::make_shared<testsupport::FakeDesktopPreferences>();
    std::shared_ptr<testsupport::FakeProcessRunner> runner = std::make_shared<testsupport::FakeProcessRunner>();
};

TEST_F(QuickSwitchesTest, ReadsStoredValuesAsBooleanPreferences) {
    struct Case {
        const char* name;
        PlistValue stored;
        bool boolean;
        bool showsDesktopIcons;
    };
    const Case cases[] = {
        {"true", PlistValue(true), true, true},
        {"false", PlistValue(false), false, false},
        {"non-zero number", PlistValue(2), true, true},
        {"zero", PlistValue(0), false, false},
        {"fraction", PlistValue(0.5), true, true},
        {"text", PlistValue("YES"), false, true},
        {"nothing", PlistValue(), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        preferences->store(Preference::CreateDesktop, c.stored);
        EXPECT_EQ(QuickSwitches::boolPreference(c.stored), c.boolean);
        EXPECT_EQ(QuickSwitches::getShowDesktopIcon(), c.showsDesktopIcons);
    }
}

TEST_F(QuickSwitchesTest, DesktopIconsAndHiddenFilesFollowTheStoredPreference) {
    struct Case {
        const char* name;
        PlistValue stored;
        bool createDesktopWritten;
        bool showAllFilesWritten;
    };
    const Case cases[] = {
        {"nothing stored", PlistValue(), false, true},
        {"true", PlistValue(true), false, false},
        {"false", PlistValue(false), true, true},
        {"a number", PlistValue(1), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        preferences->store(Preference::CreateDesktop, c.stored);
        preferences->store(Preference::AppleShowAllFiles, c.stored);
        EXPECT_TRUE(QuickSwitches::hiddenDesktopIcon());
        EXPECT_TRUE(QuickSwitches::hiddenHiddenFiles());
        EXPECT_EQ(preferences->copyValue(Preference::CreateDesktop), PlistValue(c.createDesktopWritten));
        EXPECT_EQ(preferences->copyValue(Preference::AppleShowAllFiles), PlistValue(c.showAllFilesWritten));
    }
}

TEST_F(QuickSwitchesTest, DoNotDisturbFlipsTheStateItReads) {
    preferences->store(Preference::DoNotDisturb, PlistValue(true));
    EXPECT_TRUE(QuickSwitches::setDoNotDisturb());
    EXPECT_FALSE(QuickSwitches::getDoNotDisturb());
    EXPECT_TRUE(QuickSwitches::setDoNotDisturb());
    EXPECT_TRUE(QuickSwitches::getDoNotDisturb());
}

TEST_F(QuickSwitchesTest, NightShiftIsRememberedOnlyOnceTheToolSucceeded) {
    const std::string tool = platform::Bundle::helperPath("nshift");
    ASSERT_FALSE(tool.empty());
    runner->answer({"50"}, "");
    EXPECT_TRUE(QuickSwitches::setNightLight());
    EXPECT_TRUE(QuickSwitches::getIsOpenNight());

    runner->fail({"0"}, 1, "", "no night light here");
    testsupport::LogCapture log;
    EXPECT_FALSE(QuickSwitches::setNightLight());
    EXPECT_TRUE(QuickSwitches::getIsOpenNight());
    EXPECT_TRUE(log.contains("Night Shift left as it was: nshift 0 failed"));
    EXPECT_EQ(runner->calls(), (std::vector<std::vector<std::string>>{{tool, "50"}, {tool, "0"}}));
}

TEST_F(QuickSwitchesTest, SwitchesWithoutBackingReadAsUnusableAndOff) {
    testsupport::ScopedEnvironment oldSystem([](platform::Environment::Values& values) { values.systemVersion = "10.13"; });
    ASSERT_TRUE(core::SettingsFile::setValue("openNight", PlistValue(true)));
    preferences->store(Preference::DockAutohide, PlistValue(true));
    preferences->makeUnavailable(Preference::DockAutohide);
    preferences->store(Preference::DoNotDisturb, PlistValue(true));

    EXPECT_EQ(QuickSwitches::readState(SwitchId::NightShift), (SwitchState{false, false}));
    EXPECT_EQ(QuickSwitches::readState(SwitchId::DockHiding), (SwitchState{false, false}));
    EXPECT_EQ(QuickSwitches::readState(SwitchId::DoNotDisturb), (SwitchState{true, true}));
    EXPECT_FALSE(QuickSwitches::setDockHide(true));
}

}  // namespace
