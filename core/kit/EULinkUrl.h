#pragma once

#include <string>

namespace core {

// The web links of the settings file, chosen by the user's first preferred language.
class EULinkUrl {
public:
    // The link of that key ("SupportTeam", "InstallURL", …) in the first preferred language's
    // table when it is there and not empty, else the "en" table's; "" when there is neither.
    static std::string GetUrl(const std::string& key);
    // Opens the link of that key in the default browser. A key without a link opens nothing,
    // says so in the log and answers false.
    static bool openLink(const std::string& key);
    // The table name for a locale name: "zh_CN" gives "zh-Hans", "zh_TW" "zh-Hant", "en_US" "en".
    static std::string languageCode(const std::string& locale);
};

}  // namespace core
