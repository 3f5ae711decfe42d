#include "platform/system/Environment.h"

#include "platform/system/Log.h"
#include "platform/system/NativeLocations.h"
#include "platform/files/PathText.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace platform {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string accountName() {
    if (const passwd* entry = getpwuid(geteuid())) {
        if (entry->pw_name) return entry->pw_name;
    }
    return std::to_string(geteuid());
}

std::string accountHome() {
    if (const passwd* entry = getpwuid(geteuid())) {
        if (entry->pw_dir) return entry->pw_dir;
    }
    return "/";
}

std::string withoutEncoding(const std::string& locale) {
    std::string name = locale.substr(0, locale.find_first_of(".@"));
    return name;
}

std::vector<std::string> languagesFromProcess() {
    std::vector<std::string> languages;
    auto add = [&](const std::string& locale) {
        std::string name = withoutEncoding(locale);
        if (name.empty() || name == "C" || name == "POSIX") return;
        for (const auto& known : languages)
            if (known == name) return;
        languages.push_back(name);
    };
    std::string list = variable("LANGUAGE");
    size_t start = 0;
    while (start <= list.size() && !list.empty()) {
        size_t end = list.find(':', start);
        add(list.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) add(variable(name));
    return languages;
}

std::string defaultRuntimeFolder() {
    std::string base = variable("XDG_RUNTIME_DIR");
    if (!base.empty()) return base + "/duridove";
    return "/tmp/duridove-" + std::to_string(geteuid());
}

// An XDG base folder: the variable's value when it is an absolute path, else the default.
std::string baseFolder(const std::string& value, const std::string& realHome, const char* fallback) {
    if (!value.empty() && value.front() == '/') return normalizedPath(value);
    return joinPath(realHome, fallback);
}

std::string valueOr(const char* name, std::string fallback) {
    std::string value = variable(name);
    return value.empty() ? fallback : value;
}

bool isPrivateFolder(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid()) return false;
    if ((info.st_mode & 077) != 0 && chmod(path.c_str(), 0700) != 0) return false;
    return true;
}

std::mutex& currentMutex() {
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<Environment>& currentSlot() {
    static std::shared_ptr<Environment> environment;
    return environment;
}

}  // namespace

Environment::Environment(Values values) : values_(std::move(values)) {
    values_.root = normalizedPath(values_.root.empty() ? "/" : values_.root);
}

Environment::Values Environment::valuesFromProcess() {
    Values values;
    values.root = valueOr("DURIDOVE_ROOT", "/");
    values.realHome = valueOr("HOME", accountHome());
    values.xdgCacheHome = variable("XDG_CACHE_HOME");
    values.xdgDataHome = variable("XDG_DATA_HOME");
    values.xdgConfigHome = variable("XDG_CONFIG_HOME");
    // An unset USER must not turn into a login name such as "(null)".
    values.loginName = valueOr("USER", accountName());
    values.systemVersion = valueOr("DURIDOVE_SYSTEM_VERSION", "10.15");
    values.preferredLanguages = languagesFromProcess();
    values.configFolder = valueOr("DURIDOVE_CONFIG_DIR", Environment(values).configHome() + "/Duridove");
    values.runtimeFolder = valueOr("DURIDOVE_RUNTIME_DIR", defaultRuntimeFolder());
    values.procRoot = valueOr("DURIDOVE_PROC_ROOT", "/proc");
    values.sysRoot = valueOr("DURIDOVE_SYS_ROOT", "/sys");
    return values;
}

std::shared_ptr<Environment> Environment::current() {
    std::lock_guard<std::mutex> lock(currentMutex());
    if (!currentSlot()) currentSlot() = std::make_shared<Environment>(valuesFromProcess());
    return currentSlot();
}

void Environment::setCurrent(std::shared_ptr<Environment> environment) {
    std::lock_guard<std::mutex> lock(currentMutex());
    currentSlot() = std::move(environment);
}

std::string Environment::homeFolder() const {
    if (hasRoot()) return "/Users/" + values_.loginName;
    return values_.realHome;
}

std::string Environment::expandTilde(std::string_view macPath) const {
    if (macPath == "~") return homeFolder();
    if (macPath.substr(0, 2) == "~/") return homeFolder() + std::string(macPath.substr(1));
    return std::string(macPath);
}

std::string Environment::cacheHome() const { return baseFolder(values_.xdgCacheHome, values_.realHome, ".cache"); }

std::string Environment::dataHome() const { return baseFolder(values_.xdgDataHome, values_.realHome, ".local/share"); }

std::string Environment::configHome() const { return baseFolder(values_.xdgConfigHome, values_.realHome, ".config"); }

std::string Environment::resolve(std::string_view macPath) const {
    std::string path = normalizedPath(expandTilde(macPath));
    if (path.empty() || path.front() != '/') return path;
    if (!hasRoot()) return nativePath(path);
    if (isInsideOrEqual(path, values_.root)) return path;
    return normalizedPath(values_.root + path);
}

// The home folder is named "/Users/<login>" or by its real path; a home of "/" would take in
// the whole system, so only the macOS name counts then.
std::string Environment::nativePath(const std::string& path) const {
    const std::string macHome = "/Users/" + values_.loginName;
    std::string home;
    if (!values_.loginName.empty() && isInsideOrEqual(path, macHome)) home = macHome;
    else if (normalizedPath(values_.realHome) != "/" && isInsideOrEqual(path, values_.realHome)) home = normalizedPath(values_.realHome);
    if (home.empty()) return path;
    NativeLocations::Folders folders{normalizedPath(values_.realHome), cacheHome(), dataHome(), configHome()};
    return NativeLocations::linuxPath(std::string_view(path).substr(home.size()), folders);
}

std::string Environment::runtimeFolder() const {
    const std::string& path = values_.runtimeFolder;
    if (path.empty()) return "";
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        logError("cannot make the runtime folder " + path + ": " + std::strerror(errno));
        return "";
    }
    if (!isPrivateFolder(path)) {
        logError("the runtime folder " + path + " is not a private folder of this user");
        return "";
    }
    return path;
}

}  // namespace platform
