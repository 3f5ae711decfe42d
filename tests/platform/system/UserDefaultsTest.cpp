#include "platform/system/PlistUserDefaults.h"
#include "platform/system/PlistValue.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

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

TEST(UserDefaults, ABrokenFileStartsEmptyWithALogLine) {
    testsupport::TempFolder temp;
    std::string file = temp.writeFile("Defaults.plist", "this is not a property list");
    testsupport::LogCapture log;
    PlistUserDefaults defaults(file);
    EXPECT_FALSE(defaults.objectForKey("WipeTimes").has_value());
    EXPECT_TRUE(log.contains("Defaults.plist"));
    defaults.setObject("WipeTimes", PlistValue(3));
    EXPECT_EQ(PlistUserDefaults(file).integerForKey("WipeTimes"), 3);
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
