// The privileged remover, started through pkexec by a privileged session of the application.
// It says "ready", then for each request (a path ended by a NUL byte) runs "/bin/rm" "-rf"
// with the path and replies with the exit status and the command's whole output. Anything but
// an absolute, normalised path other than "/" is refused. It ends at the end of its input.
#include "platform/files/AtomicFile.h"
#include "platform/system/PosixProcessRunner.h"
#include "platform/privileged/PrivilegedProtocol.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

using platform::PrivilegedProtocol;

namespace {

// A removal of a very large tree may take long; it is never cut short in practice.
constexpr auto kRemovalTimeout = std::chrono::hours(24);

class RequestReader {
public:
    // The next request without its NUL; false at the end of the input (a request cut off by the
    // end of the input is dropped).
    bool next(std::string& request) {
        for (;;) {
            size_t end = buffer_.find('\0');
            if (end != std::string::npos) {
                request = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return true;
            }
            char chunk[4096];
            ssize_t length = read(STDIN_FILENO, chunk, sizeof chunk);
            if (length < 0 && errno == EINTR) continue;
            if (length <= 0) return false;
            buffer_.append(chunk, static_cast<size_t>(length));
        }
    }

private:
    std::string buffer_;
};

std::string removeTree(const std::string& path) {
    if (auto reason = PrivilegedProtocol::refusalReason(path))
        return PrivilegedProtocol::reply(PrivilegedProtocol::kRefusedStatus, "refused (" + *reason + "): " + path + "\n");
    platform::PosixProcessRunner runner;
    auto result = runner.run({{"/bin/rm", "-rf", path}, kRemovalTimeout});
    if (!result.started) return PrivilegedProtocol::reply(127, "cannot start /bin/rm\n");
    int status = result.exitStatus >= 0 ? result.exitStatus : 128 + result.signal;
    return PrivilegedProtocol::reply(status, result.output + result.errorOutput);
}

}  // namespace

int main() {
    if (!platform::writeAll(STDOUT_FILENO, PrivilegedProtocol::kReady)) return 1;
    RequestReader requests;
    std::string path;
    while (requests.next(path))
        if (!platform::writeAll(STDOUT_FILENO, removeTree(path))) return 1;
    return 0;
}
