#include "core/browser/BrowserItemKeys.h"

#include "core/browser/UserPath.h"
#include "platform/files/PathText.h"

#include <array>

namespace core::browser {
namespace {

struct Presentation {
    const char* key;
    const char* title;
    const char* icon;
    const char* description;
};

constexpr std::array<Presentation, 10> kPresentations = {{
    {"Browsing History", "浏览历史", "icon_history", "浏览历史记录，包括访问过的网站和时间"},
    {"Downloads History", "下载历史", "icon_download", "下载历史，记录下载过的文件"},
    {"Download History", "下载历史", "icon_download", "下载历史，记录下载过的文件"},
    {"Save Password", "已储存的密码", "icon_password", "保存的密码，用于自动登录网站"},
    {"Cookies", "Cookies", "icon_cookies", "网站Cookie，记录登录状态和偏好设置"},
    {"Caches", "缓存", "icon_caches", "缓存文件，用于加快网页加载速度"},
    {"Session", "自动填写值", "icon_autofill", "保存的标签页和窗口会话，可恢复之前浏览状态"},
    {"Session Storage", "会话存储", "icon_autofill", "会话存储，关闭浏览器后自动清除"},
    {"Form Values", "表单", "icon_tabform", "表单自动填充数据，包括搜索记录和输入历史"},
    {"Local Storage", "本地存储", "icon_tabform", "持久存储，网站存储的用户数据，需要手动清理"},
}};

const Presentation* presentationOf(const std::string& key) {
    for (const auto& presentation : kPresentations)
        if (key == presentation.key) return &presentation;
    return nullptr;
}

// The file or folder inside the profile that a key works on.
struct ProfileFile {
    const char* key;
    const char* name;
};

constexpr std::array<ProfileFile, 7> kProfileFiles = {{
    {"Browsing History", "History"},
    {"Downloads History", "History"},
    {"Save Password", "Login Data"},
    {"Cookies", "Cookies"},
    {"Session", "Sessions"},
    {"Session Storage", "Session Storage"},
    {"Local Storage", "Local Storage"},
}};

}  // namespace

std::string BrowserItemKeys::titleWithKey(const std::string& key) {
    const Presentation* presentation = presentationOf(key);
    return presentation ? presentation->title : key;
}

IconReference BrowserItemKeys::getIconWithKey(const std::string& key) {
    const Presentation* presentation = presentationOf(key);
    return presentation ? IconReference::named(presentation->icon) : IconReference{};
}

std::string BrowserItemKeys::getDescriptionWithKey(const std::string& key) {
    const Presentation* presentation = presentationOf(key);
    return presentation ? presentation->description : "";
}

std::string BrowserItemKeys::getDataPathForKey(const std::string& key, const std::string& profilePath,
                                               const std::string& browserKey) {
    for (const auto& file : kProfileFiles)
        if (key == file.key) return platform::joinPath(profilePath, file.name);
    if (key == "Caches" && browserKey == "Google Chrome")
        return userPath("/Users/%@/Library/Caches/Google/Chrome/%@/Cache", {platform::lastPathComponent(profilePath)});
    if (key == "Caches" && browserKey == "Chromium")
        return userPath("/Users/%@/Library/Caches/Chromium/%@/Cache", {platform::lastPathComponent(profilePath)});
    return profilePath;
}

}  // namespace core::browser
