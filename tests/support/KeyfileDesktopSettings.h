#pragma once

#include <string>

namespace testsupport {

// Points GSettings at a key file in a temporary folder of this process (GSETTINGS_BACKEND
// keyfile, XDG_CONFIG_HOME), so tests change real keys of the installed schemas without ever
// reaching the user's desktop. GLib fixes the backend and the folder at their first use, so
// every test of a process shares the one file: a test sets each key it checks. Call use()
// before anything in the process touches GSettings; it ends the process if GLib had already
// fixed another folder.
class KeyfileDesktopSettings {
public:
    static const KeyfileDesktopSettings& use();

    // The folder given as XDG_CONFIG_HOME (child processes inherit it) and the key file in it.
    const std::string& configFolder() const { return configFolder_; }
    std::string keyfilePath() const;
    // The value stored on disk for a key of the schema at a path ("/org/gnome/desktop/interface/"),
    // as the file writes it ("true", "'prefer-dark'"); "" when none is stored.
    std::string storedValue(const std::string& schemaPath, const std::string& key) const;

private:
    KeyfileDesktopSettings();
    std::string configFolder_;
};

}  // namespace testsupport
