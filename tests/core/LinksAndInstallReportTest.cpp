#include "core/kit/EULinkUrl.h"
#include "core/kit/InstallReport.h"
#include "core/kit/SettingsFile.h"
#include "platform/system/PlistValue.h"
#include "support/LogCapture.h"
#include "support/RecordingHttpClient.h"
#include "support/RecordingWorkspace.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedVariable.h"

#include <gtest/gtest.h>

#include <regex>

using core::EULinkUrl;
using core::InstallReport;
using platform::PlistValue;

namespace {

PlistValue table(std::initializer_list<std::pair<const char*, const char*>> links) {
    PlistValue dictionary(PlistValue::Dictionary{});
    for (const auto& [key, url] : links) dictionary.set(key, url);
    return dictionary;
}

// A test folder with its own shipped settings file and a first preferred language.
class LinkFixture {
public:
    LinkFixture(const std::string& locale, PlistValue settings)
        : environment_([&](auto& values) { values.preferredLanguages = {locale}; }),
          bundle_("DURIDOVE_BUNDLE_DIR", environment_.folder().makeFolder("bundle")) {
        settings.writeFile(environment_.folder() / "bundle/StringMessage.plist");
    }
    const testsupport::TempFolder& folder() const { return environment_.folder(); }

private:
    testsupport::ScopedEnvironment environment_;
    testsupport::ScopedVariable bundle_;
};

PlistValue settingsWith(std::initializer_list<std::pair<const char*, PlistValue>> tables) {
    PlistValue settings(PlistValue::Dictionary{});
    settings.set("IsFristTime", "0");
    for (const auto& [language, links] : tables) settings.set(language, links);
    return settings;
}

// Services for the report, put back when the test ends.
class ReportServices {
public:
    ReportServices() {
        platform::HttpClient::setShared(client);
        platform::Workspace::setShared(workspace);
    }
    ~ReportServices() {
        platform::HttpClient::setShared(nullptr);
        platform::Workspace::setShared(nullptr);
    }
    std::shared_ptr<testsupport::RecordingHttpClient> client = std::make_shared<testsupport::RecordingHttpClient>();
    std::shared_ptr<testsupport::RecordingWorkspace> workspace = std::make_shared<testsupport::RecordingWorkspace>();
};

}  // namespace

TEST(EULinkUrl, LanguageCodesFromLocaleNames) {
    EXPECT_EQ(EULinkUrl::languageCode("en_US"), "en");
    EXPECT_EQ(EULinkUrl::languageCode("zh_CN"), "zh-Hans");
    EXPECT_EQ(EULinkUrl::languageCode("zh_SG"), "zh-Hans");
    EXPECT_EQ(EULinkUrl::languageCode("zh"), "zh-Hans");
    EXPECT_EQ(EULinkUrl::languageCode("zh_TW"), "zh-Hant");
    EXPECT_EQ(EULinkUrl::languageCode("zh_HK"), "zh-Hant");
    EXPECT_EQ(EULinkUrl::languageCode("de_DE"), "de");
}

TEST(EULinkUrl, ThePreferredLanguagesLinkUnlessEmptyOrMissing) {
    PlistValue settings = settingsWith({{"en", table({{"SupportTeam", "https://en.example/support"},
                                                      {"AboutURL", "https://en.example/about"}})},
                                        {"zh-Hans", table({{"SupportTeam", ""},
                                                           {"AboutURL", "https://zh.example/about"}})}});
    LinkFixture chinese("zh_CN", settings);
    EXPECT_EQ(EULinkUrl::GetUrl("AboutURL"), "https://zh.example/about");
    EXPECT_EQ(EULinkUrl::GetUrl("SupportTeam"), "https://en.example/support");
    EXPECT_EQ(EULinkUrl::GetUrl("OnlineHelp"), "");

    LinkFixture german("de_DE", settings);
    EXPECT_EQ(EULinkUrl::GetUrl("AboutURL"), "https://en.example/about");
}

TEST(EULinkUrl, WithoutAnEnglishTableOnlyThePreferredLanguageCounts) {
    LinkFixture chinese("zh_CN", settingsWith({{"zh-Hans", table({{"AboutURL", "https://zh.example/about"}})}}));
    EXPECT_EQ(EULinkUrl::GetUrl("AboutURL"), "https://zh.example/about");
    LinkFixture german("de_DE", settingsWith({{"zh-Hans", table({{"AboutURL", "https://zh.example/about"}})}}));
    EXPECT_EQ(EULinkUrl::GetUrl("AboutURL"), "");
    // A language entry that is no table is as good as none.
    LinkFixture broken("en_US", settingsWith({{"en", PlistValue("https://en.example")}}));
    EXPECT_EQ(EULinkUrl::GetUrl("AboutURL"), "");
}

TEST(InstallReport, TheUidIsAnApplicationHashOfTheMachineId) {
    testsupport::TempFolder temp;
    std::string machineId = "3d1219c7c4c5404aaa1f6d2a48adfda4";
    std::string file = temp.writeFile("etc/machine-id", machineId + "\n");
    std::string uid = InstallReport("", file).getOrCreateUID();
    EXPECT_TRUE(std::regex_match(uid, std::regex("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}")))
        << uid;
    EXPECT_EQ(InstallReport("", file).getOrCreateUID(), uid);
    std::string compact = uid;
    compact.erase(std::remove(compact.begin(), compact.end(), '-'), compact.end());
    EXPECT_NE(compact, "3D1219C7C4C5404AAA1F6D2A48ADFDA4");

    std::string other = temp.writeFile("other/machine-id", "0123456789abcdef0123456789abcdef\n");
    EXPECT_NE(InstallReport("", other).getOrCreateUID(), uid);
}

TEST(InstallReport, AMissingOrBrokenMachineIdGivesNoUid) {
    testsupport::TempFolder temp;
    testsupport::LogCapture log;
    EXPECT_EQ(InstallReport("", temp / "missing").getOrCreateUID(), "");
    EXPECT_TRUE(log.contains("❌ 无法找到 IOPlatformExpertDevice 服务"));
    for (const char* broken : {"", "uninitialized\n", "3d1219c7c4c5404aaa1f6d2a48adfdZZ\n", "3d1219c7\n"}) {
        std::string file = temp.writeFile("machine-id", broken);
        EXPECT_EQ(InstallReport("", file).getOrCreateUID(), "") << broken;
    }
    EXPECT_TRUE(log.contains("❌ 无法读取硬件 UUID 属性"));
}

TEST(InstallReport, TheReportGoesToTheSiteWithItsThreeKeys) {
    testsupport::TempFolder temp;
    std::string file = temp.writeFile("machine-id", "3d1219c7c4c5404aaa1f6d2a48adfda4\n");
    ReportServices services;
    testsupport::LogCapture log;
    InstallReport report("https://maker.example/", file);
    report.sendInstallRequest();
    std::string uid = report.getOrCreateUID();
    EXPECT_EQ(services.client->urls(),
              std::vector<std::string>{"https://maker.example/userinfo.php?uid=" + uid + "&ptype=Duridove&install=1"});
    EXPECT_TRUE(log.contains("响应: ok"));

    services.client = std::make_shared<testsupport::RecordingHttpClient>(platform::HttpReply{false, "", "timed out"});
    platform::HttpClient::setShared(services.client);
    report.sendInstallRequest();
    EXPECT_TRUE(log.contains("请求失败: timed out"));
}

TEST(InstallReport, WithoutASiteNothingIsSent) {
    ReportServices services;
    testsupport::LogCapture log;
    InstallReport("").sendInstallRequest();
    EXPECT_TRUE(services.client->urls().empty());
    EXPECT_TRUE(log.contains("install report not sent"));
    EXPECT_EQ(InstallReport::buildSite(), "");
}

TEST(InstallReport, OnlyTheFirstLaunchOpensThePageAndReports) {
    LinkFixture fixture("en_US", settingsWith({{"en", table({{"InstallURL", "https://maker.example/welcome"}})}}));
    std::string file = fixture.folder().writeFile("machine-id", "3d1219c7c4c5404aaa1f6d2a48adfda4\n");
    ReportServices services;
    InstallReport report("https://maker.example", file);

    EXPECT_TRUE(report.runFirstLaunchSteps());
    EXPECT_EQ(services.workspace->calls(), std::vector<std::string>{"openURL https://maker.example/welcome"});
    EXPECT_EQ(services.client->urls().size(), 1u);
    EXPECT_EQ(core::SettingsFile::valueForKey("IsFristTime").toString(), "1");

    EXPECT_FALSE(report.runFirstLaunchSteps());
    EXPECT_EQ(services.workspace->calls().size(), 1u);
    EXPECT_EQ(services.client->urls().size(), 1u);
}

TEST(InstallReport, NoFirstRunFlagRunsNothing) {
    PlistValue settings(PlistValue::Dictionary{});
    LinkFixture fixture("en_US", settings);
    ReportServices services;
    EXPECT_FALSE(InstallReport("https://maker.example").runFirstLaunchSteps());
    EXPECT_TRUE(services.client->urls().empty());
    EXPECT_TRUE(services.workspace->calls().empty());
}
