#include "core/kit/CommUti.h"
#include "platform/desktop/RunningApplications.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

using core::CommUti;

namespace {

int versionFor(const std::string& text) {
    testsupport::ScopedEnvironment environment([&](auto& values) { values.systemVersion = text; });
    return CommUti::getSystemVersion();
}

class FixedApplications : public platform::RunningApplications {
public:
    std::vector<platform::RunningApplication> runningApplications() override {
        platform::RunningApplication firefox;
        firefox.name = "Firefox ESR";
        firefox.pid = 42;
        firefox.bundleIdentifier = "firefox-esr";
        return {firefox};
    }
};

}  // namespace

TEST(CommUti, SystemVersionIsMajorTimesHundredPlusMinor) {
    EXPECT_EQ(versionFor("10.9"), 1009);
    EXPECT_EQ(versionFor("10.13.6"), 1013);
    EXPECT_EQ(versionFor("11.0"), 1100);
    EXPECT_EQ(versionFor("11.2"), 1102);
    EXPECT_EQ(versionFor("12.3"), 1203);
    EXPECT_EQ(versionFor("13"), 1300);
    EXPECT_EQ(versionFor("10.15"), 1015);
    testsupport::ScopedEnvironment defaults;
    testsupport::LogCapture log;
    EXPECT_EQ(CommUti::getSystemVersion(), 1015);
    EXPECT_TRUE(log.contains("verSion----------1015"));
}

TEST(CommUti, VersionPartsMayBeLeftOutAndBadTextGivesTenZero) {
    testsupport::ScopedEnvironment environment([](auto& values) { values.systemVersion = "10.13.6"; });
    unsigned minor = 0, bugFix = 0;
    CommUti::getSystemVersionMajor(nullptr, &minor, &bugFix);
    EXPECT_EQ(minor, 13u);
    EXPECT_EQ(bugFix, 6u);

    for (const char* broken : {"", "ten", "10.x", "10.15 beta"}) {
        testsupport::ScopedEnvironment bad([&](auto& values) { values.systemVersion = broken; });
        testsupport::LogCapture log;
        unsigned major = 0;
        CommUti::getSystemVersionMajor(&major, &minor, &bugFix);
        EXPECT_EQ(major, 10u) << broken;
        EXPECT_EQ(minor, 0u);
        EXPECT_EQ(bugFix, 0u);
        EXPECT_TRUE(log.contains("Unable to obtain system version: "));
        EXPECT_EQ(CommUti::getSystemVersion(), 1000);
    }
}

TEST(CommUti, FontNamesGoThroughTheSettingsFile) {
    testsupport::ScopedEnvironment environment;
    EXPECT_EQ(CommUti::getLightFontName(), "");
    EXPECT_TRUE(CommUti::writLightFont("Noto Sans Light"));
    EXPECT_TRUE(CommUti::writRegularFont("Noto Sans"));
    EXPECT_TRUE(CommUti::writBoldFont("Noto Sans Bold"));
    EXPECT_EQ(CommUti::getLightFontName(), "Noto Sans Light");
    EXPECT_EQ(CommUti::getRegularFontName(), "Noto Sans");
    EXPECT_EQ(CommUti::getBoldFontName(), "Noto Sans Bold");
}

TEST(CommUti, UserNameIsTheLoginName) {
    testsupport::ScopedEnvironment environment([](auto& values) { values.loginName = "alice"; });
    EXPECT_EQ(CommUti::userName(), "alice");
}

TEST(CommUti, RunningApplicationMatchesItsExactIdentifier) {
    platform::RunningApplications::setShared(std::make_shared<FixedApplications>());
    EXPECT_TRUE(CommUti::isBelongRunningApp("firefox-esr"));
    EXPECT_FALSE(CommUti::isBelongRunningApp("firefox"));
    EXPECT_FALSE(CommUti::isBelongRunningApp(""));
    platform::RunningApplications::setShared(nullptr);
}

TEST(CommUti, FolderListsInTheSystemsOrder) {
    testsupport::ScopedEnvironment environment([](auto& values) { values.loginName = "alice"; });
    std::string root = environment.root();
    std::string home = root + "/Users/alice";
    std::vector<std::string> applications{home + "/Applications",
                                          root + "/Applications",
                                          root + "/Network/Applications",
                                          root + "/Developer/Applications",
                                          home + "/Desktop",
                                          home + "/Downloads"};
    EXPECT_EQ(CommUti::applicationPaths(), applications);
    EXPECT_EQ(CommUti::widgetPaths(),
              (std::vector<std::string>{home + "/Library/Widgets", root + "/Library/Widgets"}));
    EXPECT_EQ(CommUti::preferencePanePaths(),
              (std::vector<std::string>{home + "/Library/PreferencePanes", root + "/Library/PreferencePanes"}));

    std::vector<std::string> plugins;
    for (const std::string& library : {home + "/Library/", root + "/Library/"})
        for (const char* name : {"Address Book Plug-Ins", "Contextual Menu Items", "Dictionaries", "iTunes",
                                 "Spotlight", "Screen Savers", "QuickLook", "QuickTime", "Internet Plug-Ins",
                                 "Safari"})
            plugins.push_back(library + name);
    plugins.push_back(home + "/Library/Input Methods");
    plugins.push_back(root + "/Library/Input Methods");
    EXPECT_EQ(CommUti::pluginPaths(), plugins);
}
