#include "platform/preferences/GSettingsKey.h"
#include "platform/preferences/GSettingsPreferences.h"
#include "platform/system/Bundle.h"
#include "platform/system/PosixProcessRunner.h"

#include "support/KeyfileDesktopSettings.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <glib.h>

#include <chrono>
#include <functional>

namespace {

using platform::PlistValue;
using platform::Preference;
using testsupport::KeyfileDesktopSettings;

// Every test of this file writes real keys of the installed schemas into a key file of its own.
class GSettingsPreferencesTest : public ::testing::Test {
protected:
    const KeyfileDesktopSettings& settings = KeyfileDesktopSettings::use();
    platform::GSettingsPreferences preferences;

    platform::ProcessResult run(std::vector<std::string> arguments) {
        platform::ProcessRequest request;
        request.arguments = std::move(arguments);
        return platform::PosixProcessRunner().run(request);
    }
};

// Runs the main context (where the changes are reported) until the condition holds.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition() && std::chrono::steady_clock::now() < deadline) {
        if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(10'000);
    }
    return condition();
}

TEST_F(GSettingsPreferencesTest, WritesTheDesktopKeysAndReadsThemBack) {
    struct Case {
        Preference preference;
        bool value;
        const char* schemaPath;
        const char* key;
        const char* stored;
        PlistValue readBack;
    };
    const Case cases[] = {
        {Preference::AppleInterfaceStyle, true, "/org/gnome/desktop/interface/", "color-scheme", "'prefer-dark'", PlistValue("Dark")},
        {Preference::AppleInterfaceStyle, false, "/org/gnome/desktop/interface/", "color-scheme", "'default'", PlistValue()},
        {Preference::AppleShowAllFiles, true, "/org/gtk/gtk4/settings/file-chooser/", "show-hidden", "true", PlistValue(true)},
        {Preference::AppleShowAllFiles, false, "/org/gtk/settings/file-chooser/", "show-hidden", "false", PlistValue(false)},
        {Preference::DoNotDisturb, true, "/org/gnome/desktop/notifications/", "show-banners", "false", PlistValue(true)},
        {Preference::DoNotDisturb, false, "/org/gnome/desktop/notifications/", "show-banners", "true", PlistValue(false)},
        {Preference::NightShift, true, "/org/gnome/settings-daemon/plugins/color/", "night-light-enabled", "true", PlistValue(true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.stored);
        ASSERT_TRUE(preferences.isAvailable(c.preference));
        EXPECT_TRUE(preferences.setValue(c.preference, c.value));
        EXPECT_EQ(settings.storedValue(c.schemaPath, c.key), c.stored);
        EXPECT_EQ(preferences.copyValue(c.preference), c.readBack);
    }
}

TEST_F(GSettingsPreferencesTest, AMissingSchemaOrKeyLeavesTheKeyUnavailable) {
    const std::pair<const char*, const char*> missing[] = {{"org.example.NotInstalled", "enabled"},
                                                          {"org.gnome.desktop.interface", "no-such-key"}};
    for (const auto& [schema, key] : missing) {
        SCOPED_TRACE(schema);
        platform::GSettingsKey setting(schema, key);
        EXPECT_FALSE(setting.isAvailable());
        EXPECT_TRUE(setting.value().isNull());
        EXPECT_FALSE(setting.setValue(PlistValue(true)));
        EXPECT_NE(setting.observe([] {}), nullptr);
    }
}

TEST_F(GSettingsPreferencesTest, FindsADockWhoseSchemaLiesInTheUsersExtensionFolder) {
    testsupport::TempFolder data;
    const std::string schemas = "gnome-shell/extensions/dash-to-dock@micxgx.gmail.com/schemas";
    data.writeFile(schemas + "/org.gnome.shell.extensions.dash-to-dock.gschema.xml",
                   "<schemalist><schema id=\"org.gnome.shell.extensions.dash-to-dock\" "
                   "path=\"/org/gnome/shell/extensions/dash-to-dock/\">"
                   "<key name=\"dock-fixed\" type=\"b\"><default>true</default></key></schema></schemalist>\n");
    const auto compiled = run({platform::findExecutable("glib-compile-schemas"), data / schemas});
    ASSERT_TRUE(compiled.succeeded()) << compiled.errorOutput;
    testsupport::ScopedVariable dataHome("XDG_DATA_HOME", data.path());

    ASSERT_TRUE(preferences.isAvailable(Preference::DockAutohide));
    EXPECT_TRUE(preferences.setValue(Preference::DockAutohide, true));
    EXPECT_EQ(settings.storedValue("/org/gnome/shell/extensions/dash-to-dock/", "dock-fixed"), "false");
    EXPECT_EQ(preferences.copyValue(Preference::DockAutohide), PlistValue(true));
}

TEST_F(GSettingsPreferencesTest, ReportsAppearanceChangesMadeHereAndByOtherPrograms) {
    ASSERT_TRUE(preferences.setValue(Preference::AppleInterfaceStyle, false));
    int changes = 0;
    auto observation = preferences.observe(Preference::AppleInterfaceStyle, [&changes] { ++changes; });

    ASSERT_TRUE(preferences.setValue(Preference::AppleInterfaceStyle, true));
    EXPECT_TRUE(waitFor([&] { return changes == 1; }));

    const auto outside = run({platform::findExecutable("gsettings"), "set", "org.gnome.desktop.interface", "color-scheme", "default"});
    ASSERT_TRUE(outside.succeeded()) << outside.errorOutput;
    EXPECT_TRUE(waitFor([&] { return changes == 2; }));
    EXPECT_TRUE(preferences.copyValue(Preference::AppleInterfaceStyle).isNull());

    observation.reset();
    ASSERT_TRUE(preferences.setValue(Preference::AppleInterfaceStyle, true));
    waitFor([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(changes, 2);
}

TEST_F(GSettingsPreferencesTest, NightShiftToolTurnsTheNightLightOnAndOff) {
    const std::string tool = platform::Bundle::helperPath("nshift");
    ASSERT_FALSE(tool.empty());
    const std::pair<const char*, const char*> strengths[] = {{"50", "true"}, {"0", "false"}, {"100", "true"}};
    for (const auto& [strength, stored] : strengths) {
        SCOPED_TRACE(strength);
        const auto result = run({tool, strength});
        EXPECT_TRUE(result.succeeded()) << result.errorOutput;
        EXPECT_EQ(settings.storedValue("/org/gnome/settings-daemon/plugins/color/", "night-light-enabled"), stored);
    }
    for (const auto& arguments : std::vector<std::vector<std::string>>{{tool}, {tool, "x"}, {tool, "-1"}, {tool, "101"}, {tool, "5", "5"}}) {
        SCOPED_TRACE(arguments.size() > 1 ? arguments[1] : "no strength");
        EXPECT_EQ(run(arguments).exitStatus, 2);
    }
    EXPECT_EQ(settings.storedValue("/org/gnome/settings-daemon/plugins/color/", "night-light-enabled"), "true");
}

// The desktop's settings store (dconf) takes a change at once and commits it over the session
// bus; without a bus the commit fails after the change was accepted, and the tool says so.
TEST_F(GSettingsPreferencesTest, NightShiftToolFailsWhenTheSettingsStoreCannotKeepTheChange) {
    const std::string tool = platform::Bundle::helperPath("nshift");
    ASSERT_TRUE(run({tool, "0"}).succeeded());
    testsupport::TempFolder runtime;
    platform::ProcessRequest request;
    request.arguments = {tool, "50"};
    request.environment = {{"GSETTINGS_BACKEND", "dconf"},
                           {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + runtime / "no-bus"},
                           {"XDG_RUNTIME_DIR", runtime.path()}};
    const auto result = platform::PosixProcessRunner().run(request);
    EXPECT_EQ(result.exitStatus, 1) << result.errorOutput;
    EXPECT_NE(result.errorOutput.find("could not be turned on"), std::string::npos) << result.errorOutput;
    EXPECT_EQ(settings.storedValue("/org/gnome/settings-daemon/plugins/color/", "night-light-enabled"), "false");
}

}  // namespace
