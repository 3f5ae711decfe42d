#include "support/KeyfileDesktopSettings.h"

#include "support/TempFolder.h"

#include <glib.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace testsupport {

KeyfileDesktopSettings::KeyfileDesktopSettings() {
    static TempFolder folder;
    configFolder_ = folder.makeFolder("config");
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
    setenv("XDG_CONFIG_HOME", configFolder_.c_str(), 1);
    if (configFolder_ != g_get_user_config_dir()) {
        std::fprintf(stderr, "GLib already uses the configuration folder %s: desktop settings tests stop here\n",
                     g_get_user_config_dir());
        std::abort();
    }
}

const KeyfileDesktopSettings& KeyfileDesktopSettings::use() {
    static const KeyfileDesktopSettings settings;
    return settings;
}

std::string KeyfileDesktopSettings::keyfilePath() const { return configFolder_ + "/glib-2.0/settings/keyfile"; }

std::string KeyfileDesktopSettings::storedValue(const std::string& schemaPath, const std::string& key) const {
    std::unique_ptr<GKeyFile, decltype(&g_key_file_free)> file(g_key_file_new(), &g_key_file_free);
    if (!g_key_file_load_from_file(file.get(), keyfilePath().c_str(), G_KEY_FILE_NONE, nullptr)) return "";
    const std::string group = schemaPath.substr(1, schemaPath.size() - 2);
    gchar* value = g_key_file_get_value(file.get(), group.c_str(), key.c_str(), nullptr);
    if (!value) return "";
    std::string text(value);
    g_free(value);
    return text;
}

}  // namespace testsupport
