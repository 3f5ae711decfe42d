#pragma once

#include "platform/preferences/DesktopPreferences.h"

namespace platform {

// The preferences as the desktop keeps them, looked up afresh on every call (so a dock or an
// extension installed while the application runs is found):
// - CreateDesktop: GNOME Shell's desktop-icons extension ("ding@rastersoft.com") switched on
//   or off through the shell, else MATE's "org.mate.background show-desktop-icons";
// - AppleInterfaceStyle: "org.gnome.desktop.interface color-scheme" ("prefer-dark" is "Dark");
// - AppleShowAllFiles: the GTK 4 file chooser's "show-hidden", written to the GTK 3 one too;
// - DoNotDisturb: the opposite of "org.gnome.desktop.notifications show-banners";
// - DockAutohide: the opposite of dash-to-dock's "dock-fixed";
// - NightShift: "org.gnome.settings-daemon.plugins.color night-light-enabled".
// The desktop applies its settings live, so nothing needs restarting after a write.
class GSettingsPreferences : public DesktopPreferences {
public:
    bool isAvailable(Preference preference) override;
    PlistValue copyValue(Preference preference) override;
    bool setValue(Preference preference, bool value) override;
    std::unique_ptr<PreferenceObservation> observe(Preference preference, std::function<void()> handler) override;
};

}  // namespace platform
