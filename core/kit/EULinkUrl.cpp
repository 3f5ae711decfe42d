#include "core/kit/EULinkUrl.h"

#include "core/kit/SettingsFile.h"
#include "platform/desktop/Workspace.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"

#include <vector>

namespace core {

std::string EULinkUrl::languageCode(const std::string& locale) {
    std::string language = locale.substr(0, locale.find_first_of("_-"));
    if (language != "zh") return language;
    std::string region = locale.size() > 3 ? locale.substr(3) : "";
    bool traditional = region == "TW" || region == "HK" || region == "MO" || region == "Hant";
    return traditional ? "zh-Hant" : "zh-Hans";
}

std::string EULinkUrl::GetUrl(const std::string& key) {
    const std::vector<std::string> languages = platform::Environment::current()->preferredLanguages();
    std::string first = languages.empty() ? std::string() : languageCode(languages.front());
    platform::PlistValue settings = SettingsFile::read();
    const platform::PlistValue* english = settings.find("en");
    const platform::PlistValue* preferred = first.empty() ? nullptr : settings.find(first);
    std::string fallback = english && english->isDictionary() ? (*english)[key].toString() : "";
    if (preferred && preferred->isDictionary()) {
        std::string link = (*preferred)[key].toString();
        if (!link.empty()) return link;
    }
    return fallback;
}

bool EULinkUrl::openLink(const std::string& key) {
    const std::string url = GetUrl(key);
    if (url.empty()) {
        platform::logWarning("no \"" + key + "\" link in the settings file: nothing to open");
        return false;
    }
    return platform::Workspace::shared()->openURL(url);
}

}  // namespace core
