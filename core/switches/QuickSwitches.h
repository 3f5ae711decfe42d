#pragma once

#include "platform/system/PlistValue.h"

namespace core::switches {

// The switches of the quick switches page, by their number on the page.
enum class SwitchId {
    DesktopIcons = 1,
    DarkAppearance,
    HiddenFiles,
    ScreenSaver,
    StayAwake,
    DoNotDisturb,
    NightShift,
    DockHiding,
    Bluetooth,
};

// A switch as read back from the system: whether it can be used here and whether it is on.
struct SwitchState {
    bool usable = false;
    bool on = false;
    bool operator==(const SwitchState& other) const { return usable == other.usable && on == other.on; }
};

// What the quick switches read and change, through the desktop's preferences
// (platform::DesktopPreferences), the settings file and the Night Shift tool "nshift". Every
// call may block (the desktop's settings service, a child process): run them off the main
// thread. A change that did not happen answers false and says why in the log.
class QuickSwitches {
public:
    QuickSwitches() = delete;

    // A Boolean preference: a Boolean as it is, a number as non-zero, anything else false.
    static bool boolPreference(const platform::PlistValue& value);

    // The state readers. A "CreateDesktop" that is neither a Boolean nor a number (missing,
    // say) counts as icons shown.
    static bool getShowDesktopIcon();
    // "AppleInterfaceStyle" is "dark", in any case.
    static bool getDarkMode();
    static bool getShowAllFiles();
    static bool getDoNotDisturb();
    static bool getIsOpenNight();
    static bool getDockHide();
    // The appearance the application sees: dark only on systems that have one (10.14 on).
    static bool isDarkModeEnabled();

    // Whether the switch has a backing here, and its state; an unusable switch reads as off.
    static SwitchState readState(SwitchId id);

    // The appliers. Desktop icons and hidden files follow the stored preference, not the
    // page: "CreateDesktop" true gives false, false gives true, anything else false;
    // "AppleShowAllFiles" true gives false, anything else true.
    static bool hiddenDesktopIcon();
    static bool setDarkMode(bool dark);
    static bool hiddenHiddenFiles();
    // Do Not Disturb flips the very state getDoNotDisturb reads.
    static bool setDoNotDisturb();
    // Runs "nshift" with "0" (was on) or "50" (was off) and stores the new "openNight" in the
    // settings file only once the tool has succeeded.
    static bool setNightLight();
    static bool setDockHide(bool hide);
};

}  // namespace core::switches
