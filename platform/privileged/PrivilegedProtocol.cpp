#include "platform/privileged/PrivilegedProtocol.h"

#include "platform/files/PathText.h"

#include <limits.h>

#include <charconv>

namespace platform {

std::string PrivilegedProtocol::reply(int exitStatus, bool gone, const std::string& output) {
    return std::to_string(exitStatus) + (gone ? " 1 " : " 0 ") + std::to_string(output.size()) + "\n" + output;
}

std::optional<PrivilegedProtocol::ReplyHeader> PrivilegedProtocol::parseReplyLine(const std::string& line) {
    ReplyHeader header;
    const char* end = line.data() + line.size();
    auto status = std::from_chars(line.data(), end, header.exitStatus);
    if (status.ec != std::errc() || end - status.ptr < 4 || status.ptr[0] != ' ' || status.ptr[2] != ' ') return std::nullopt;
    if (status.ptr[1] != '0' && status.ptr[1] != '1') return std::nullopt;
    header.gone = status.ptr[1] == '1';
    auto length = std::from_chars(status.ptr + 3, end, header.length);
    if (length.ec != std::errc() || length.ptr != end) return std::nullopt;
    return header;
}

std::optional<std::string> PrivilegedProtocol::refusalReason(const std::string& path) {
    if (path.empty() || path.front() != '/') return std::string("not an absolute path");
    if (path.size() >= PATH_MAX) return std::string("path too long");
    if (path == "/") return std::string("the root folder");
    if (normalizedPath(path) != path) return std::string("not a normalised path");
    return std::nullopt;
}

}  // namespace platform
