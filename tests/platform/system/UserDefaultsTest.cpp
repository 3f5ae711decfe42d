#include "platform/system/PlistUserDefaults.h"
#include "platform/system/PlistValue.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using platform::PlistUserDefaults;
using platform::PlistValue;

TEST(UserDefaults, ValuesSurviveARestartAndMissingKeysAreAbsent) {
    testsupport::TempFolder temp;
    std::string file = temp / "config/Defaults.plist";
    {
        PlistUserDefaults defaults(file);
        EXPECT_FALSE(defaults.objectForKey("WipeTimes").has_value());
        EXPECT_EQ(defaults.integerForKey("WipeTimes"), 0);
        defaults.setObject("WipeTimes", PlistValue(7));
        defaults.setObject("CPUTemperatureSensor", PlistValue("TC0P"));
        defaults.setObject("AppleMiniaturizeOnDoubleClick", PlistValue(true));
        defaults.setObject("AppleLanguages", PlistValue(PlistValue::Array{"zh-Hans", "en"}));
        defaults.setObject("Gone", PlistValue(1));
        defaults.removeObject("Gone");
    }
    PlistUserDefaults reopened(file);
    EXPECT_EQ(reopened.integerForKey("WipeTimes"), 7);
    EXPECT_EQ(reopened.stringForKey("CPUTemperatureSensor"), "TC0P");
    EXPECT_TRUE(reopened.boolForKey("AppleMiniaturizeOnDoubleClick"));
    EXPECT_EQ(reopened.objectForKey("AppleLanguages")->array().front().toString(), "zh-Hans");
    EXPECT_FALSE(reopened.objectForKey("Gone").has_value());
}

TEST(UserDefaults, ABrokenOrUnreadableFileIsKeptAsideAndNeverOverwritten) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to make a file the test user cannot read";
    PlistValue stored(PlistValue::Dictionary{});
    stored.set("CPUTemperatureSensor", "TC0P");
    const std::string valid = stored.toXml();
    const std::string broken = valid.substr(0, valid.size() / 2);
    struct Case {
        const char* name;
        const std::string& content;
        mode_t fileMode;
        mode_t folderMode;
        bool keptAside;
    };
    for (const Case& each : {Case{"broken", broken, 0644, 0777, true}, Case{"unreadable", valid, 0000, 0777, true},
                             Case{"unreadable, folder unchangeable", valid, 0000, 0555, false}}) {
        SCOPED_TRACE(each.name);
        testsupport::TempFolder temp;
        const std::string file = temp.writeFile("config/Defaults.plist", each.content);
        ASSERT_EQ(chmod(temp.path().c_str(), 0755), 0);
        ASSERT_EQ(chmod(file.c_str(), each.fileMode), 0);
        ASSERT_EQ(chmod((temp / "config").c_str(), each.folderMode), 0);

        std::string logged = testsupport::runAsNobody([&] {
            testsupport::LogCapture log;
            PlistUserDefaults defaults(file);
            defaults.setObject("WipeTimes", PlistValue(3));
            std::string lines;
            for (const std::string& line : log.lines()) lines += line + "\n";
            return lines;
        });

        EXPECT_EQ(logged.find("kept aside as " + file + ".broken: ") != std::string::npos, each.keptAside) << logged;
        if (each.keptAside) {
            EXPECT_EQ(testsupport::readWholeFile(file + ".broken"), each.content);
            EXPECT_EQ(PlistUserDefaults(file).integerForKey("WipeTimes"), 3);
        } else {
            EXPECT_EQ(testsupport::readWholeFile(file), each.content);
            EXPECT_NE(logged.find("\"WipeTimes\" holds for this run only"), std::string::npos) << logged;
        }
    }
}

TEST(UserDefaults, AnEarlierKeptAsideFileIsNeverReplaced) {
    testsupport::TempFolder temp;
    const std::string file = temp.writeFile("Defaults.plist", "second breakage");
    temp.writeFile("Defaults.plist.broken", "first breakage");
    testsupport::LogCapture log;
    PlistUserDefaults defaults(file);
    EXPECT_EQ(testsupport::readWholeFile(file + ".broken"), "first breakage");
    EXPECT_EQ(testsupport::readWholeFile(file + ".broken-2"), "second breakage");
    EXPECT_TRUE(log.contains("kept aside as " + file + ".broken-2"));
}

TEST(PlistValue, RoundTripsEveryTypeThroughXml) {
    PlistValue dictionary(PlistValue::Dictionary{});
    dictionary.set("flag", true);
    dictionary.set("count", PlistValue(int64_t{-5}));
    dictionary.set("big", PlistValue(int64_t{254632502498}));
    dictionary.set("ratio", 0.25);
    dictionary.set("name", "磁盘 \"quoted\" & <tag>");
    dictionary.set("blob", PlistValue::data(std::string("\0\1\2", 3)));
    dictionary.set("list", PlistValue(PlistValue::Array{1, "two"}));
    auto back = PlistValue::fromBytes(dictionary.toXml());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, dictionary);
    EXPECT_EQ((*back)["count"].toInteger(), -5);
    EXPECT_TRUE((*back)["missing"].isNull());
}

TEST(PlistValue, StringsReadAsFoundationReadsThem) {
    EXPECT_TRUE(PlistValue("YES").toBool());
    EXPECT_TRUE(PlistValue("1").toBool());
    EXPECT_FALSE(PlistValue("0").toBool());
    EXPECT_FALSE(PlistValue("NO").toBool());
    EXPECT_EQ(PlistValue("42abc").toInteger(), 42);
    EXPECT_EQ(PlistValue("abc").toInteger(), 0);
    EXPECT_FALSE(PlistValue::fromBytes("").has_value());
    EXPECT_FALSE(PlistValue::fromBytes("garbage").has_value());
}
