#pragma once

#include <optional>
#include <string>

namespace platform {

// The exchange between a privileged session and its helper, which runs with administrator
// rights. The helper first says "ready\n". Each request is one path ended by a NUL byte (a
// path can hold any other byte); each reply is a line "<exit status> <length>\n" followed by
// exactly that many bytes of the command's output. The helper ends at the end of its input.
class PrivilegedProtocol {
public:
    static constexpr const char* kReady = "ready\n";
    // The exit status of a refused request (EX_USAGE); its output says why.
    static constexpr int kRefusedStatus = 64;

    static std::string reply(int exitStatus, const std::string& output);
    // The status and output length of a reply line (without its "\n"); nothing when malformed.
    static std::optional<std::pair<int, size_t>> parseReplyLine(const std::string& line);
    // Why the helper must not act on the path: not absolute, not normalised, "/" itself, too
    // long. Nothing when it may.
    static std::optional<std::string> refusalReason(const std::string& path);
};

}  // namespace platform
