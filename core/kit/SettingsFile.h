#pragma once

#include "platform/system/PlistValue.h"

#include <string>

namespace core {

// The application's settings file "StringMessage". The copy shipped beside the executable is
// never written: the few keys the application changes ("IsFristTime", the font names,
// "openNight") live in a copy in the configuration folder that is laid over the shipped file
// when it is read. Everything else ("VersionCheck", the link tables) always comes from the
// shipped file, so an update of the application brings its new values along.
class SettingsFile {
public:
    // The shipped dictionary with the changed keys laid over it; an empty dictionary when
    // neither file can be read. Read from disk on every call.
    static platform::PlistValue read();
    // One key of read(); Null when it is missing.
    static platform::PlistValue valueForKey(const std::string& key);
    // Stores a changeable key in the configuration folder's copy. Keys the application does not
    // change are refused with a log line; false also when the copy cannot be written.
    static bool setValue(const std::string& key, platform::PlistValue value);

    static bool isChangeableKey(const std::string& key);
    static std::string shippedPath();
    static std::string overlayPath();
};

}  // namespace core
