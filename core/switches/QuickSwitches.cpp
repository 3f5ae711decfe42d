#include "core/switches/QuickSwitches.h"

#include "core/kit/CommUti.h"
#include "core/kit/SettingsFile.h"
#include "platform/bus/BluetoothAdapter.h"
#include "platform/bus/IdleInhibitor.h"
#include "platform/preferences/DesktopPreferences.h"
#include "platform/system/Bundle.h"
#include "platform/system/Log.h"
#include "platform/system/ProcessRunner.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <strings.h>

namespace core::switches {
namespace {

using platform::DesktopPreferences;
using platform::PlistValue;
using platform::Preference;

constexpr int kFirstVersionWithDarkAppearance = 1014;
constexpr int kFirstVersionWithNightShiftSwitch = 1014;
constexpr const char* kOpenNightKey = "openNight";
constexpr auto kToolTimeout = std::chrono::seconds(10);
// BlueZ answers blueutil once the controller has powered up or down, a few seconds at worst.
constexpr auto kBluetoothTimeout = std::chrono::seconds(20);
constexpr const char* kScreenSaverCommand = "xdg-screensaver";
constexpr const char* kPowerAssertionName = "PreventUserIdleDisplaySleep";

PlistValue stored(Preference preference) { return DesktopPreferences::shared()->copyValue(preference); }

bool store(Preference preference, bool value) { return DesktopPreferences::shared()->setValue(preference, value); }

bool isAvailable(Preference preference) { return DesktopPreferences::shared()->isAvailable(preference); }

// A value that is a Boolean; nothing for any other type or a missing value.
std::optional<bool> booleanOf(const PlistValue& value) {
    if (value.type() != PlistValue::Type::Boolean) return std::nullopt;
    return value.toBool();
}

bool isBooleanOrNumber(const PlistValue& value) {
    const PlistValue::Type type = value.type();
    return type == PlistValue::Type::Boolean || type == PlistValue::Type::Integer || type == PlistValue::Type::Real;
}

bool nightShiftIsUsable() {
    return CommUti::getSystemVersion() >= kFirstVersionWithNightShiftSwitch && isAvailable(Preference::NightShift) &&
           !platform::Bundle::helperPath("nshift").empty();
}

bool bluetoothIsUsable() {
    return !platform::Bundle::helperPath("blueutil").empty() && platform::BluetoothAdapter::powerState().has_value();
}

SwitchState stateOf(bool usable, bool (*isOn)()) { return SwitchState{usable, usable && isOn()}; }

// Runs a tool and waits for it; false, with the tool's own words in the log, when it failed.
bool runTool(std::vector<std::string> arguments, std::chrono::milliseconds timeout, const std::string& whatStaysAsItWas) {
    platform::ProcessRequest request;
    request.arguments = std::move(arguments);
    request.timeout = timeout;
    const platform::ProcessResult result = platform::ProcessRunner::shared()->run(request);
    if (result.succeeded()) return true;
    std::string command = std::filesystem::path(request.arguments.front()).filename();
    for (std::size_t index = 1; index < request.arguments.size(); ++index) command += " " + request.arguments[index];
    platform::logWarning(whatStaysAsItWas + " left as it was: " + command + " failed (exit status " +
                         std::to_string(result.exitStatus) + ") " + result.errorOutput);
    return false;
}

}  // namespace

bool QuickSwitches::boolPreference(const PlistValue& value) {
    return isBooleanOrNumber(value) && value.toBool();
}

bool QuickSwitches::getShowDesktopIcon() {
    const PlistValue createDesktop = stored(Preference::CreateDesktop);
    return isBooleanOrNumber(createDesktop) ? boolPreference(createDesktop) : true;
}

bool QuickSwitches::getDarkMode() {
    const PlistValue style = stored(Preference::AppleInterfaceStyle);
    return style.isString() && strcasecmp(style.toString().c_str(), "dark") == 0;
}

bool QuickSwitches::getShowAllFiles() { return boolPreference(stored(Preference::AppleShowAllFiles)); }

bool QuickSwitches::getDoNotDisturb() {
    const bool isOpen = boolPreference(stored(Preference::DoNotDisturb));
    platform::logInfo("isOpen ------ " + std::to_string(isOpen));
    return isOpen;
}

bool QuickSwitches::getIsOpenNight() { return SettingsFile::valueForKey(kOpenNightKey).toBool(); }

bool QuickSwitches::getDockHide() { return boolPreference(stored(Preference::DockAutohide)); }

bool QuickSwitches::isDarkModeEnabled() {
    return CommUti::getSystemVersion() >= kFirstVersionWithDarkAppearance && getDarkMode();
}

bool QuickSwitches::isNotSeelp() { return platform::IdleInhibitor::shared().isHeld(); }

bool QuickSwitches::getBuleIsOpen() {
    const bool isOpen = platform::BluetoothAdapter::powerState().value_or(false);
    platform::logInfo("blue-------" + std::to_string(isOpen));
    return isOpen;
}

SwitchState QuickSwitches::readState(SwitchId id) {
    switch (id) {
    case SwitchId::DesktopIcons:
        return stateOf(isAvailable(Preference::CreateDesktop), [] { return !getShowDesktopIcon(); });
    case SwitchId::DarkAppearance: return stateOf(isAvailable(Preference::AppleInterfaceStyle), &getDarkMode);
    case SwitchId::HiddenFiles: return stateOf(isAvailable(Preference::AppleShowAllFiles), &getShowAllFiles);
    case SwitchId::DoNotDisturb: return stateOf(isAvailable(Preference::DoNotDisturb), &getDoNotDisturb);
    case SwitchId::NightShift: return stateOf(nightShiftIsUsable(), &getIsOpenNight);
    case SwitchId::DockHiding: return stateOf(isAvailable(Preference::DockAutohide), &getDockHide);
    case SwitchId::ScreenSaver: return SwitchState{!platform::findExecutable(kScreenSaverCommand).empty(), false};
    case SwitchId::StayAwake: return stateOf(isNotSeelp() || platform::IdleInhibitor::shared().isAvailable(), &isNotSeelp);
    case SwitchId::Bluetooth: return stateOf(bluetoothIsUsable(), &getBuleIsOpen);
    }
    return SwitchState{};
}

bool QuickSwitches::hiddenDesktopIcon() {
    return store(Preference::CreateDesktop, booleanOf(stored(Preference::CreateDesktop)) == std::optional<bool>(false));
}

bool QuickSwitches::setDarkMode(bool dark) { return store(Preference::AppleInterfaceStyle, dark); }

bool QuickSwitches::hiddenHiddenFiles() {
    return store(Preference::AppleShowAllFiles, booleanOf(stored(Preference::AppleShowAllFiles)) != std::optional<bool>(true));
}

bool QuickSwitches::setDoNotDisturb() { return store(Preference::DoNotDisturb, !getDoNotDisturb()); }

bool QuickSwitches::setNightLight() {
    const bool wasOpen = getIsOpenNight();
    const std::string tool = platform::Bundle::helperPath("nshift");
    if (tool.empty() || !runTool({tool, wasOpen ? "0" : "50"}, kToolTimeout, "Night Shift")) return false;
    return SettingsFile::setValue(kOpenNightKey, PlistValue(!wasOpen));
}

bool QuickSwitches::setDockHide(bool hide) { return store(Preference::DockAutohide, hide); }

bool QuickSwitches::openScreen() {
    const std::string command = platform::findExecutable(kScreenSaverCommand);
    return !command.empty() && runTool({command, "activate"}, kToolTimeout, "The screen saver");
}

bool QuickSwitches::enablePowerSave(bool on) {
    if (on) return PreventSleep();
    ReleasePreventObj();
    return false;
}

bool QuickSwitches::setBluetoothPower(bool on) {
    const std::string tool = platform::Bundle::helperPath("blueutil");
    return !tool.empty() && runTool({tool, "-p", on ? "1" : "0"}, kBluetoothTimeout, "Bluetooth");
}

bool PreventSleep() {
    platform::IdleInhibitor& inhibitor = platform::IdleInhibitor::shared();
    if (inhibitor.isHeld()) return true;
    if (!inhibitor.hold(kPowerAssertionName)) return false;
    platform::logInfo("prevent sleep!");
    return true;
}

void ReleasePreventObj() { platform::IdleInhibitor::shared().release(); }

}  // namespace core::switches
