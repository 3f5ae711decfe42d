#include "core/kit/UpdateCheck.h"

#include "core/kit/CommUti.h"
#include "core/kit/EULinkUrl.h"
#include "core/kit/SettingsFile.h"
#include "platform/desktop/HttpClient.h"
#include "platform/system/Log.h"

namespace core {

std::optional<VersionList> UpdateCheck::getVersionChange() {
    if (!CommUti::isCanBeUseNetWork()) return std::nullopt;
    const std::string link = EULinkUrl::GetUrl("IniURL");
    if (link.empty()) {
        platform::logInfo("no \"IniURL\" link in the settings file: no version list to load");
        return VersionList{};
    }
    const platform::HttpReply reply = platform::HttpClient::shared()->get(link);
    if (!reply.ok) {
        platform::logInfo("the version list " + link + " could not be loaded: " + reply.error);
        return VersionList{};
    }
    return VersionList::fromBytes(reply.body);
}

bool UpdateCheck::isNewerThanThisBuild(const VersionList& published) {
    return SettingsFile::valueForKey("VersionCheck").toInteger() < published.versionCheck;
}

}  // namespace core
