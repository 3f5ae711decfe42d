#pragma once

#include "platform/files/FileIdentity.h"

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// The exchange between a privileged session and its helper, which runs with administrator
// rights. The helper first says "ready\n". Each request is a line
// "<folder device> <folder inode> <item device> <item inode> <item is a folder: 1 or 0>
// <length>\n" followed by exactly that many bytes: the item's path (a path can hold any byte
// but NUL). The helper removes the
// item only while its folder and the item are still those identities. Each reply is a line
// "<exit status> <gone> <length>\n" followed by exactly that many bytes of output, where gone
// is 1 when the item is no longer in its folder afterwards, else 0. The helper ends at the end
// of its input, or at a request it cannot read.
class PrivilegedProtocol {
public:
    static constexpr const char* kReady = "ready\n";
    // The exit status of a refused request (EX_USAGE); its output says why.
    static constexpr int kRefusedStatus = 64;
    // A request line longer than this is not a request.
    static constexpr size_t kLongestRequestLine = 128;

    struct Request {
        std::string path;
        FileIdentity folder;
        FileIdentity item;
    };

    struct RequestHeader {
        FileIdentity folder;
        FileIdentity item;
        size_t length = 0;
    };

    struct ReplyHeader {
        int exitStatus = -1;
        bool gone = false;
        size_t length = 0;
    };

    static std::string request(const Request& request);
    // The header of a request (its line without the "\n"); nothing when malformed or when the
    // path it announces is longer than any path can be.
    static std::optional<RequestHeader> parseRequestLine(const std::string& line);
    static std::string reply(int exitStatus, bool gone, const std::string& output);
    // The header of a reply (its line without the "\n"); nothing when malformed.
    static std::optional<ReplyHeader> parseReplyLine(const std::string& line);
    // Why the helper must not act on the path: not absolute, not normalised, "/" itself, too
    // long, holding a NUL. Nothing when it may.
    static std::optional<std::string> refusalReason(const std::string& path);
};

}  // namespace platform
