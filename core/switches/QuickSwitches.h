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
// (platform::DesktopPreferences), the settings file, the desktop's idle inhibitor, the screen
// saver command and the tools "nshift" (Night Shift) and "blueutil" (Bluetooth). Every call
// may block (the desktop's settings service, the message buses, a child process): run them off
// the main thread. A change that did not happen answers false and says why in the log.
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
    // Stay-awake is on: the idle inhibitor is held.
    static bool isNotSeelp();
    // The default Bluetooth adapter is powered; logs "blue-------%d".
    static bool getBuleIsOpen();

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
    // Starts the screen saver now ("xdg-screensaver activate").
    static bool openScreen();
    // Stay-awake on (PreventSleep) or off (ReleasePreventObj); answers whether it is on now.
    static bool enablePowerSave(bool on);
    // Runs "blueutil -p 1" (on) or "-p 0" (off) and waits for it.
    static bool setBluetoothPower(bool on);
};

// Keeps the display awake by holding the desktop's idle inhibitor, at most one however often
// it is called; logs "prevent sleep!" when it takes it. False when no inhibitor could be had.
bool PreventSleep();
// Lets the display sleep again; stay-awake is switched off and the application quits this way.
void ReleasePreventObj();

}  // namespace core::switches
