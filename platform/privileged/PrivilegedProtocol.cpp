#include "platform/privileged/PrivilegedProtocol.h"

#include "platform/files/PathText.h"

#include <limits.h>

#include <charconv>

namespace platform {
namespace {

// Reads "<number> " or, for the last field, "<number>" up to end; false when malformed.
template <typename Number>
bool readField(const char*& at, const char* end, Number& value, bool last) {
    auto parsed = std::from_chars(at, end, value);
    if (parsed.ec != std::errc() || parsed.ptr == at) return false;
    if (last) {
        at = parsed.ptr;
        return at == end;
    }
    if (parsed.ptr == end || *parsed.ptr != ' ') return false;
    at = parsed.ptr + 1;
    return true;
}

}  // namespace

std::string PrivilegedProtocol::request(const Request& request) {
    return std::to_string(request.folder.device) + " " + std::to_string(request.folder.inode) + " " +
           std::to_string(request.item.device) + " " + std::to_string(request.item.inode) +
           (request.item.folder ? " 1 " : " 0 ") + std::to_string(request.path.size()) + "\n" + request.path;
}

std::optional<PrivilegedProtocol::RequestHeader> PrivilegedProtocol::parseRequestLine(const std::string& line) {
    if (line.size() > kLongestRequestLine) return std::nullopt;
    RequestHeader header;
    header.folder.folder = true;
    const char* at = line.data();
    const char* end = at + line.size();
    unsigned itemIsFolder = 2;
    if (!readField(at, end, header.folder.device, false) || !readField(at, end, header.folder.inode, false) ||
        !readField(at, end, header.item.device, false) || !readField(at, end, header.item.inode, false) ||
        !readField(at, end, itemIsFolder, false) || !readField(at, end, header.length, true))
        return std::nullopt;
    if (itemIsFolder > 1 || header.length == 0 || header.length >= PATH_MAX) return std::nullopt;
    header.item.folder = itemIsFolder == 1;
    return header;
}

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
    if (path.find('\0') != std::string::npos) return std::string("holds a NUL byte");
    if (path.empty() || path.front() != '/') return std::string("not an absolute path");
    if (path.size() >= PATH_MAX) return std::string("path too long");
    if (path == "/") return std::string("the root folder");
    if (normalizedPath(path) != path) return std::string("not a normalised path");
    return std::nullopt;
}

}  // namespace platform
