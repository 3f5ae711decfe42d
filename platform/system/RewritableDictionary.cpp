#include "platform/system/RewritableDictionary.h"

#include "platform/files/MoveWithoutReplacing.h"
#include "platform/system/Log.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

constexpr int kAsideNames = 100;

std::string asideName(const std::string& path, int attempt) {
    return path + ".broken" + (attempt > 1 ? "-" + std::to_string(attempt) : "");
}

}  // namespace

std::optional<PlistValue> readRewritableDictionary(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT) return PlistValue(PlistValue::Dictionary{});
    auto stored = PlistValue::readFile(path);
    if (stored && stored->isDictionary()) return stored;

    for (int attempt = 1; attempt <= kAsideNames; ++attempt) {
        const std::string aside = asideName(path, attempt);
        if (moveWithoutReplacing(AT_FDCWD, path, aside)) {
            logWarning("unreadable or not a dictionary, kept aside as " + aside + ": " + path);
            return PlistValue(PlistValue::Dictionary{});
        }
        if (errno != EEXIST) break;
    }
    logError("unreadable or not a dictionary, and it cannot be kept aside (" + std::string(std::strerror(errno)) +
             "); it is left untouched and nothing is written to it: " + path);
    return std::nullopt;
}

}  // namespace platform
