#include "platform/privileged/PrivilegedProtocol.h"

#include "platform/files/PathText.h"

#include <limits.h>

#include <charconv>

namespace platform {

std::string PrivilegedProtocol::reply(int exitStatus, const std::string& output) {
    return std::to_string(exitStatus) + " " + std::to_string(output.size()) + "\n" + output;
}

std::optional<std::pair<int, size_t>> PrivilegedProtocol::parseReplyLine(const std::string& line) {
    size_t blank = line.find(' ');
    if (blank == std::string::npos) return std::nullopt;
    int status = 0;
    size_t length = 0;
    const char* end = line.data() + line.size();
    auto parsedStatus = std::from_chars(line.data(), line.data() + blank, status);
    auto parsedLength = std::from_chars(line.data() + blank + 1, end, length);
    if (parsedStatus.ec != std::errc() || parsedStatus.ptr != line.data() + blank) return std::nullopt;
    if (parsedLength.ec != std::errc() || parsedLength.ptr != end) return std::nullopt;
    return std::make_pair(status, length);
}

std::optional<std::string> PrivilegedProtocol::refusalReason(const std::string& path) {
    if (path.empty() || path.front() != '/') return std::string("not an absolute path");
    if (path.size() >= PATH_MAX) return std::string("path too long");
    if (path == "/") return std::string("the root folder");
    if (normalizedPath(path) != path) return std::string("not a normalised path");
    return std::nullopt;
}

}  // namespace platform
