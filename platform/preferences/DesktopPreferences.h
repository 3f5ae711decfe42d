#pragma once

#include "platform/preferences/PreferenceObservation.h"
#include "platform/system/PlistValue.h"

#include <functional>
#include <memory>

namespace platform {

// The other programs' preferences that the quick switches read and write, named as those
// programs name them. Each answers a value the way a preference domain does: a Boolean, a
// number, a text, or Null when nothing is stored.
enum class Preference {
    CreateDesktop,        // the file manager draws icons on the desktop (Boolean)
    AppleInterfaceStyle,  // "Dark" while the desktop prefers a dark appearance, else Null
    AppleShowAllFiles,    // the file manager shows hidden files (Boolean)
    DoNotDisturb,         // notifications are held back (Boolean)
    DockAutohide,         // the dock hides itself (Boolean)
    NightShift,           // the display's warm night colours are on (Boolean)
};

// The desktop's stand-in for those preference domains. A preference whose backing is not
// installed here is unavailable: it answers Null and refuses every write.
class DesktopPreferences {
public:
    virtual ~DesktopPreferences() = default;

    virtual bool isAvailable(Preference preference) = 0;
    virtual PlistValue copyValue(Preference preference) = 0;
    // Writes the Boolean meaning of the preference and waits until it is stored; false, with a
    // log line, when it could not be.
    virtual bool setValue(Preference preference, bool value) = 0;
    // Calls the handler after each change of the preference, whoever made it, from the calling
    // thread's main context (the main thread's event loop in the application).
    virtual std::unique_ptr<PreferenceObservation> observe(Preference preference, std::function<void()> handler) = 0;

    static std::shared_ptr<DesktopPreferences> shared();
    static void setShared(std::shared_ptr<DesktopPreferences> preferences);
};

}  // namespace platform
