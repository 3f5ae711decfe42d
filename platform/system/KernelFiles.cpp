#include "platform/system/KernelFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

namespace platform {
namespace {

// Far above any attribute or statistics file; a runaway file is cut off rather than read forever.
constexpr size_t kMaximumSize = 16 * 1024 * 1024;

template <class Number>
std::optional<Number> parseNumber(std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace

FileDescriptor openKernelFile(const std::string& path, int flags) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return FileDescriptor();
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return FileDescriptor();
    }
    // Non-blocking, and checked again once open: the name may have been replaced in between.
    FileDescriptor file(open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.isOpen() && (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))) {
        file.reset();
        errno = EINVAL;
    }
    return file;
}

std::optional<std::string> readKernelFile(const std::string& path) {
    FileDescriptor file = openKernelFile(path, O_RDONLY);
    if (!file.isOpen()) return std::nullopt;
    std::string content;
    char buffer[8192];
    for (;;) {
        ssize_t n = read(file.get(), buffer, sizeof buffer);
        if (n > 0) {
            content.append(buffer, static_cast<size_t>(n));
            if (content.size() < kMaximumSize) continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        return content;
    }
}

std::optional<std::string> readKernelAttribute(const std::string& path) {
    auto content = readKernelFile(path);
    if (!content) return std::nullopt;
    size_t end = content->find_last_not_of(" \t\r\n");
    content->erase(end == std::string::npos ? 0 : end + 1);
    return content;
}

std::optional<int64_t> readKernelNumber(const std::string& path) {
    auto text = readKernelAttribute(path);
    if (!text) return std::nullopt;
    return parseSignedNumber(*text);
}

std::vector<std::string> listKernelFolder(const std::string& path) {
    std::vector<std::string> names;
    DIR* folder = opendir(path.c_str());
    if (!folder) return names;
    while (const dirent* entry = readdir(folder)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(std::move(name));
    }
    closedir(folder);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<int64_t> parseSignedNumber(std::string_view text) { return parseNumber<int64_t>(text); }
std::optional<uint64_t> parseUnsignedNumber(std::string_view text) { return parseNumber<uint64_t>(text); }

std::optional<uint64_t> numberBetween(std::string_view name, std::string_view prefix, std::string_view suffix) {
    if (name.size() <= prefix.size() + suffix.size()) return std::nullopt;
    if (name.substr(0, prefix.size()) != prefix || name.substr(name.size() - suffix.size()) != suffix)
        return std::nullopt;
    return parseUnsignedNumber(name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()));
}

}  // namespace platform
