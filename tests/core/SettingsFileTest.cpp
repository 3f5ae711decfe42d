#include "core/kit/SettingsFile.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedVariable.h"

#include <gtest/gtest.h>

using core::SettingsFile;
using platform::PlistValue;

namespace {

PlistValue linkTable(const std::string& aboutURL) {
    PlistValue table(PlistValue::Dictionary{});
    table.set("AboutURL", aboutURL);
    return table;
}

// A bundle folder of its own holding a shipped settings file with the given build number.
class ShippedSettings {
public:
    explicit ShippedSettings(int versionCheck) : bundle_("DURIDOVE_BUNDLE_DIR", temp_.path()) { write(versionCheck); }

    void write(int versionCheck) const {
        PlistValue shipped(PlistValue::Dictionary{});
        shipped.set("IsFristTime", "0");
        shipped.set("VersionCheck", versionCheck);
        shipped.set("openNight", false);
        shipped.set("en", linkTable("https://example.org/about"));
        shipped.writeFile(path());
    }
    std::string path() const { return temp_ / "StringMessage.plist"; }

private:
    testsupport::TempFolder temp_;
    testsupport::ScopedVariable bundle_;
};

}  // namespace

TEST(SettingsFile, TheShippedCopyHoldsTheKeysTheApplicationReads) {
    testsupport::ScopedEnvironment environment;
    PlistValue settings = SettingsFile::read();
    EXPECT_EQ(settings["IsFristTime"].toString(), "0");
    EXPECT_GT(settings["VersionCheck"].toInteger(), 0);
    EXPECT_FALSE(settings["openNight"].toBool(true));
    for (const char* language : {"en", "zh-Hans"})
        for (const char* link : {"IniURL", "UpdateURL", "InstallURL", "SupportTeam", "OnlineHelp", "AboutURL"})
            EXPECT_TRUE(settings[language][link].isString()) << language << " " << link;
}

TEST(SettingsFile, AWriteSurvivesARestartAndLeavesTheShippedFileAlone) {
    testsupport::ScopedEnvironment environment;
    ShippedSettings shipped(100);
    std::string before = testsupport::readWholeFile(shipped.path());

    EXPECT_TRUE(SettingsFile::setValue("IsFristTime", "1"));
    EXPECT_TRUE(SettingsFile::setValue("openNight", true));
    EXPECT_TRUE(SettingsFile::setValue("FontBold", "Sans Bold"));

    EXPECT_EQ(testsupport::readWholeFile(shipped.path()), before);
    EXPECT_EQ(SettingsFile::valueForKey("IsFristTime").toString(), "1");
    EXPECT_TRUE(SettingsFile::valueForKey("openNight").toBool());
    EXPECT_EQ(SettingsFile::valueForKey("FontBold").toString(), "Sans Bold");
    EXPECT_EQ(SettingsFile::valueForKey("en")["AboutURL"].toString(), "https://example.org/about");
    auto copy = PlistValue::readFile(SettingsFile::overlayPath());
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->dictionary().size(), 3u);
}

TEST(SettingsFile, TheShippedBuildNumberAndLinksWinOverTheCopy) {
    testsupport::ScopedEnvironment environment;
    ShippedSettings shipped(100);
    SettingsFile::setValue("IsFristTime", "1");
    // A copy that somehow holds keys the application never writes.
    PlistValue copy = *PlistValue::readFile(SettingsFile::overlayPath());
    copy.set("VersionCheck", 999);
    copy.set("en", linkTable("https://elsewhere.example"));
    copy.writeFile(SettingsFile::overlayPath());

    shipped.write(101);
    EXPECT_EQ(SettingsFile::valueForKey("VersionCheck").toInteger(), 101);
    EXPECT_EQ(SettingsFile::valueForKey("en")["AboutURL"].toString(), "https://example.org/about");
    EXPECT_EQ(SettingsFile::valueForKey("IsFristTime").toString(), "1");
}

TEST(SettingsFile, KeysTheApplicationDoesNotChangeAreRefused) {
    testsupport::ScopedEnvironment environment;
    ShippedSettings shipped(100);
    testsupport::LogCapture log;
    EXPECT_FALSE(SettingsFile::setValue("VersionCheck", 5));
    EXPECT_TRUE(log.contains("VersionCheck"));
    EXPECT_EQ(SettingsFile::valueForKey("VersionCheck").toInteger(), 100);
}

TEST(SettingsFile, BrokenOrMissingFilesGiveNothingAndALogLine) {
    testsupport::ScopedEnvironment environment;
    testsupport::TempFolder emptyBundle;
    testsupport::ScopedVariable bundle("DURIDOVE_BUNDLE_DIR", emptyBundle.path());
    testsupport::LogCapture log;
    EXPECT_TRUE(SettingsFile::read().isDictionary());
    EXPECT_TRUE(SettingsFile::valueForKey("IsFristTime").isNull());
    EXPECT_TRUE(log.contains("StringMessage"));

    std::string copy = environment.folder().writeFile("config/StringMessage.plist", "not a property list");
    EXPECT_TRUE(SettingsFile::valueForKey("IsFristTime").isNull());
    EXPECT_TRUE(SettingsFile::setValue("IsFristTime", "1"));
    EXPECT_EQ(SettingsFile::valueForKey("IsFristTime").toString(), "1");
    EXPECT_EQ(testsupport::readWholeFile(copy + ".broken"), "not a property list");
}
