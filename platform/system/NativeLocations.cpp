#include "platform/system/NativeLocations.h"

#include "platform/files/PathText.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

enum class Base { Home, CacheHome, DataHome, ConfigHome };

struct Row {
    std::string_view macPath;  // below the macOS home folder, "~" for the folder itself
    Base base;
    std::string_view linuxPath;  // below the base folder
};

constexpr Row kRows[] = {
    {"~", Base::Home, ""},
    {"~/Library/Caches", Base::CacheHome, ""},
    {"~/.Trash", Base::DataHome, "Trash/files"},
    {"~/Library/Application Support/Google/Chrome", Base::ConfigHome, "google-chrome"},
    {"~/Library/Application Support/Chromium", Base::ConfigHome, "chromium"},
    {"~/Library/Application Support/Microsoft Edge", Base::ConfigHome, "microsoft-edge"},
    {"~/Library/Application Support/Microsoft Edge Beta", Base::ConfigHome, "microsoft-edge-beta"},
    {"~/Library/Application Support/Microsoft Edge Dev", Base::ConfigHome, "microsoft-edge-dev"},
    {"~/Library/Application Support/com.operasoftware.Opera", Base::ConfigHome, "opera"},
    {"~/Library/Caches/Google/Chrome", Base::CacheHome, "google-chrome"},
    {"~/Library/Caches/Chromium", Base::CacheHome, "chromium"},
    {"~/Library/Caches/com.operasoftware.Opera", Base::CacheHome, "opera"},
    {"~/Library/Application Support/Firefox/Profiles", Base::Home, ".mozilla/firefox"},
    // Firefox's local folder of each profile (its network cache among others), named like the profile.
    {"~/Library/Caches/Firefox/Profiles", Base::CacheHome, "mozilla/firefox"},
    {"~/Library/Application Support/Steam", Base::DataHome, "Steam"},
    {"~/Library/Application Support/minecraft", Base::Home, ".minecraft"},
    {"~/Library/Application Support/Microsoft/Teams", Base::ConfigHome, "Microsoft/Microsoft Teams"},
};

// "~/Library/Caches" -> "/Library/Caches", "~" -> "/": rows and paths compared as absolute paths.
std::string asAbsolute(std::string_view homeRelative) {
    if (homeRelative.substr(0, 1) == "~") homeRelative.remove_prefix(1);
    return normalizedPath("/" + std::string(homeRelative));
}

// Longest first, so a row never swallows a longer one below it.
const std::vector<Row>& rowsLongestFirst() {
    static const std::vector<Row> rows = [] {
        std::vector<Row> sorted(std::begin(kRows), std::end(kRows));
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const Row& a, const Row& b) { return a.macPath.size() > b.macPath.size(); });
        return sorted;
    }();
    return rows;
}

const std::string& baseFolder(Base base, const NativeLocations::Folders& folders) {
    switch (base) {
    case Base::CacheHome: return folders.cacheHome;
    case Base::DataHome: return folders.dataHome;
    case Base::ConfigHome: return folders.configHome;
    case Base::Home: break;
    }
    return folders.home;
}

}  // namespace

std::string NativeLocations::linuxPath(std::string_view homeRelative, const Folders& folders) {
    const std::string path = asAbsolute(homeRelative);
    // The home folder's own row holds every path, so some row always does.
    const auto& rows = rowsLongestFirst();
    const Row& row = *std::find_if(rows.begin(), rows.end(),
                                   [&](const Row& candidate) { return isInsideOrEqual(path, asAbsolute(candidate.macPath)); });
    const std::string macPath = asAbsolute(row.macPath);
    const std::string below = path.substr(macPath == "/" ? 0 : macPath.size());
    return normalizedPath(joinPath(joinPath(baseFolder(row.base, folders), row.linuxPath), below));
}

}  // namespace platform
