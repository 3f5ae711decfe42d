#include "core/kit/SettingsFile.h"

#include "platform/files/AtomicFile.h"
#include "platform/system/Bundle.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "platform/system/RewritableDictionary.h"
#include "platform/files/PathText.h"

#include <sys/stat.h>

#include <array>
#include <mutex>

namespace core {
namespace {

using platform::PlistValue;

const std::array<const char*, 5> kChangeableKeys = {"IsFristTime", "FontLight", "FontRegular",
                                                    "FontBold", "openNight"};

bool exists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

// The shipped dictionary; an empty one (and a log line) when it is missing or broken.
PlistValue shippedDictionary(const std::string& path) {
    if (!exists(path)) return PlistValue(PlistValue::Dictionary{});
    auto value = platform::PlistValue::readFile(path);
    if (value && value->isDictionary()) return *value;
    platform::logWarning("settings file ignored, not a dictionary: " + path);
    return PlistValue(PlistValue::Dictionary{});
}

std::mutex& writeMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

std::string SettingsFile::shippedPath() { return platform::Bundle::resourcePath("StringMessage", "plist"); }

std::string SettingsFile::overlayPath() {
    return platform::joinPath(platform::Environment::current()->configFolder(), "StringMessage.plist");
}

bool SettingsFile::isChangeableKey(const std::string& key) {
    for (const char* changeable : kChangeableKeys)
        if (key == changeable) return true;
    return false;
}

PlistValue SettingsFile::read() {
    PlistValue settings = shippedDictionary(shippedPath());
    PlistValue overlay = platform::readRewritableDictionary(overlayPath()).value_or(PlistValue(PlistValue::Dictionary{}));
    for (const auto& [key, value] : overlay.dictionary())
        if (isChangeableKey(key)) settings.set(key, value);
    return settings;
}

PlistValue SettingsFile::valueForKey(const std::string& key) { return read()[key]; }

bool SettingsFile::setValue(const std::string& key, PlistValue value) {
    if (!isChangeableKey(key)) {
        platform::logWarning("settings key \"" + key + "\" is not one the application changes");
        return false;
    }
    std::lock_guard<std::mutex> lock(writeMutex());
    std::string path = overlayPath();
    if (!platform::makeFolders(platform::parentPath(path), 0700)) {
        platform::logError("cannot make the settings folder for " + path);
        return false;
    }
    auto overlay = platform::readRewritableDictionary(path);
    if (!overlay) return false;
    overlay->set(key, std::move(value));
    return overlay->writeFile(path);
}

}  // namespace core
