#include "core/kit/CommUti.h"

#include "core/junk/JunkLocations.h"
#include "core/kit/SettingsFile.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "platform/desktop/NetworkReachability.h"
#include "platform/desktop/RunningApplications.h"
#include "platform/files/PathText.h"
#include "platform/files/TreeSizer.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace core {
namespace {

std::string formatted(double value, int decimals, const char* unit) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr) + " " + unit;
}

std::string twoDecimals(float value, const char* unit) { return formatted(value, 2, unit); }

// Like Foundation's floatValue: leading blanks skipped, the longest number that follows read,
// 0 when there is none.
float leadingFloat(const std::string& text) {
    size_t start = text.find_first_not_of(" \t\n");
    if (start == std::string::npos) return 0;
    if (text[start] == '+') ++start;
    float value = 0;
    auto result = std::from_chars(text.data() + start, text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0;
}

double unitFactor(const std::string& text) {
    if (platform::endsWith(text, "KB")) return 0x1p10;
    if (platform::endsWith(text, "MB")) return 0x1p20;
    if (platform::endsWith(text, "GB")) return 0x1p30;
    if (platform::endsWith(text, "TB")) return 0x1p40;
    return 0;
}

}  // namespace

std::string CommUti::convertVolSpace(uint64_t bytes) {
    if (bytes == 0) return "0.00 KB";
    float count = static_cast<float>(bytes);
    if (bytes <= 0xFFFFF) return twoDecimals(count * 0x1p-10f, "KB");
    if (bytes <= 0x3FFFFFFF) return twoDecimals(count * 0x1p-20f, "MB");
    return twoDecimals(count * 0x1p-30f, "GB");
}

std::string CommUti::longlongDiskSize(int64_t bytes) {
    if (bytes <= 1023) return formatted(static_cast<float>(bytes), 0, "byte");
    double count = static_cast<double>(bytes);
    if (bytes <= 0xFFFFF) return twoDecimals(static_cast<float>(count * 0x1p-10), "KB");
    if (bytes <= 0x3FFFFFFF) return twoDecimals(static_cast<float>(count * 0x1p-20), "MB");
    if (bytes <= 0xFFFFFFFFFF) return twoDecimals(static_cast<float>(count * 0x1p-30), "GB");
    return twoDecimals(static_cast<float>(count * 0x1p-40), "TB");
}

std::string CommUti::longlongConvertVolSpace(int64_t bytes) { return longlongDiskSize(bytes); }

uint64_t CommUti::volSpaceFromString(const std::string& text) {
    if (text.size() < 3) return 0;
    float number = leadingFloat(text.substr(0, text.size() - 3));
    double factor = unitFactor(text);
    if (!(number > 0) || factor == 0) return 0;
    double bytes = static_cast<double>(number) * factor;
    // A count beyond 64 bits (or infinity) cannot be a size; it reads as unreadable.
    if (!std::isfinite(bytes) || bytes >= 0x1p64) return 0;
    return static_cast<uint64_t>(bytes);
}

uint64_t CommUti::sizeOfFileRef(const std::string& path) { return platform::TreeSizer::sizeOf(path); }

void CommUti::folderPath(int index, std::vector<std::string>& array) {
    junk::JunkLocations::appendLocations(index, array);
}

void CommUti::getSubPathFilesWithPath(const std::string& path, std::vector<std::string>& array) {
    junk::JunkLocations::getSubPathFilesWithPath(path, array);
}

void CommUti::trashPaths(std::vector<std::string>& array) { junk::JunkLocations::trashPaths(array); }

void CommUti::scanXcode(std::vector<std::string>& array) { junk::JunkLocations::appendLocations(4, array); }

std::vector<std::pair<std::string, std::vector<std::string>>> CommUti::socialToolsCachePaths() {
    return junk::JunkLocations::socialToolsCachePaths();
}

// --- System facts and folder lists.

namespace {

struct SystemVersion {
    unsigned major = 10, minor = 0, bugFix = 0;
};

std::optional<unsigned> readNumber(const char*& cursor, const char* end) {
    unsigned number = 0;
    auto [next, error] = std::from_chars(cursor, end, number);
    if (error != std::errc()) return std::nullopt;
    cursor = next;
    return number;
}

// "10.15", "11", "10.13.6": a missing minor or patch number counts as 0.
std::optional<SystemVersion> parseVersion(const std::string& text) {
    const char* cursor = text.data();
    const char* end = cursor + text.size();
    SystemVersion version;
    auto major = readNumber(cursor, end);
    if (!major) return std::nullopt;
    version.major = *major;
    for (unsigned* part : {&version.minor, &version.bugFix}) {
        if (cursor == end) break;
        if (*cursor++ != '.') return std::nullopt;
        auto number = readNumber(cursor, end);
        if (!number) return std::nullopt;
        *part = *number;
    }
    if (cursor != end) return std::nullopt;
    return version;
}

std::string settingsString(const char* key) { return SettingsFile::valueForKey(key).toString(); }

std::vector<std::string> resolved(const std::vector<std::string>& macPaths) {
    auto environment = platform::Environment::current();
    std::vector<std::string> paths;
    paths.reserve(macPaths.size());
    for (const auto& path : macPaths) paths.push_back(environment->resolve(path));
    return paths;
}

// The Library folders of the user and local domains with a subfolder appended.
std::vector<std::string> libraryFolders(const std::string& subfolder) {
    return resolved({"~/Library/" + subfolder, "/Library/" + subfolder});
}

}  // namespace

void CommUti::getSystemVersionMajor(unsigned* major, unsigned* minor, unsigned* bugFix) {
    const std::string text = platform::Environment::current()->systemVersion();
    auto version = parseVersion(text);
    if (!version) {
        platform::logError("Unable to obtain system version: -1");
        version = SystemVersion{};
    }
    if (major) *major = version->major;
    if (minor) *minor = version->minor;
    if (bugFix) *bugFix = version->bugFix;
}

int CommUti::getSystemVersion() {
    unsigned major = 0, minor = 0;
    getSystemVersionMajor(&major, &minor, nullptr);
    std::string minorText = (minor < 10 ? "0" : "") + std::to_string(minor);
    std::string text = std::to_string(major) + minorText;
    platform::logInfo("verSion----------" + text);
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string CommUti::getLightFontName() { return settingsString("FontLight"); }
std::string CommUti::getRegularFontName() { return settingsString("FontRegular"); }
std::string CommUti::getBoldFontName() { return settingsString("FontBold"); }

bool CommUti::writLightFont(const std::string& fontName) { return SettingsFile::setValue("FontLight", fontName); }
bool CommUti::writRegularFont(const std::string& fontName) { return SettingsFile::setValue("FontRegular", fontName); }
bool CommUti::writBoldFont(const std::string& fontName) { return SettingsFile::setValue("FontBold", fontName); }

std::string CommUti::userName() { return platform::Environment::current()->loginName(); }

bool CommUti::isBelongRunningApp(const std::string& bundleIdentifier) {
    for (const auto& application : platform::RunningApplications::shared()->runningApplications())
        if (application.bundleIdentifier == bundleIdentifier) return true;
    return false;
}

bool CommUti::isCanBeUseNetWork() { return platform::NetworkReachability::isReachable(); }

std::vector<std::string> CommUti::applicationPaths() {
    return resolved({"~/Applications", "/Applications", "/Network/Applications", "/Developer/Applications",
                     "~/Desktop", "~/Downloads"});
}

std::vector<std::string> CommUti::widgetPaths() { return libraryFolders("Widgets"); }

std::vector<std::string> CommUti::preferencePanePaths() { return libraryFolders("PreferencePanes"); }

std::vector<std::string> CommUti::pluginPaths() {
    static const char* const kSubfolders[] = {"Address Book Plug-Ins", "Contextual Menu Items", "Dictionaries",
                                              "iTunes", "Spotlight", "Screen Savers", "QuickLook", "QuickTime",
                                              "Internet Plug-Ins", "Safari"};
    std::vector<std::string> macPaths;
    for (const char* domain : {"~/Library/", "/Library/"})
        for (const char* subfolder : kSubfolders) macPaths.push_back(std::string(domain) + subfolder);
    macPaths.push_back("~/Library/Input Methods");
    macPaths.push_back("/Library/Input Methods");
    return resolved(macPaths);
}

// --- End of system facts and folder lists.

}  // namespace core
