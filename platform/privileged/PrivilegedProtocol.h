#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// The exchange between a privileged session and its helper, which runs with administrator
// rights. The helper first says "ready\n". Each request is one path ended by a NUL byte (a
// path can hold any other byte); each reply is a line "<exit status> <gone> <length>\n"
// followed by exactly that many bytes of the command's output, where gone is 1 when nothing
// is left at the path afterwards, else 0. The helper ends at the end of its input.
class PrivilegedProtocol {
public:
    static constexpr const char* kReady = "ready\n";
    // The exit status of a refused request (EX_USAGE); its output says why.
    static constexpr int kRefusedStatus = 64;

    struct ReplyHeader {
        int exitStatus = -1;
        bool gone = false;
        size_t length = 0;
    };

    static std::string reply(int exitStatus, bool gone, const std::string& output);
    // The header of a reply (its line without the "\n"); nothing when malformed.
    static std::optional<ReplyHeader> parseReplyLine(const std::string& line);
    // Why the helper must not act on the path: not absolute, not normalised, "/" itself, too
    // long. Nothing when it may.
    static std::optional<std::string> refusalReason(const std::string& path);
};

}  // namespace platform
