// The privileged remover, started through pkexec by a privileged session of the application.
// It says "ready", then for each request (a path ended by a NUL byte) opens the item's folder
// from "/" without passing through any link, enters it and runs "/bin/rm" "-rf"
// "--one-file-system" on the item's name there, so a folder swapped for a link after the
// application chose the item can never lead the removal elsewhere. It replies with the exit
// status, whether the name is gone and the command's whole output. A path that is not
// absolute and normalised, is "/" or passes through a link is refused. It ends at the end of
// its input.
#include "platform/files/AtomicFile.h"
#include "platform/files/LinkFreePath.h"
#include "platform/system/PosixProcessRunner.h"
#include "platform/privileged/PrivilegedProtocol.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <chrono>
#include <string>

using platform::LinkFreePath;
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

bool isGoneAt(int folderFd, const std::string& name) {
    struct stat info;
    return fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT;
}

bool isGone(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

std::string refusal(const std::string& reason, const std::string& path) {
    return PrivilegedProtocol::reply(PrivilegedProtocol::kRefusedStatus, false, "refused (" + reason + "): " + path + "\n");
}

std::string removeTree(const std::string& path) {
    if (auto reason = PrivilegedProtocol::refusalReason(path)) return refusal(*reason, path);
    LinkFreePath::Parent parent = LinkFreePath::openParentBelow("/", path);
    if (parent.reach == LinkFreePath::Reach::ThroughLink) return refusal("passes through a link", path);
    if (parent.reach == LinkFreePath::Reach::Missing) {
        // As "rm -rf" says nothing of a path that is not there.
        if (isGone(path)) return PrivilegedProtocol::reply(0, true, "");
        return PrivilegedProtocol::reply(1, false, "cannot open the folder of " + path + ": " + std::strerror(errno) + "\n");
    }
    if (fchdir(parent.folder.get()) != 0)
        return PrivilegedProtocol::reply(1, false, "cannot enter the folder of " + path + ": " + std::strerror(errno) + "\n");
    platform::PosixProcessRunner runner;
    auto result = runner.run({{"/bin/rm", "-rf", "--one-file-system", "--", parent.name}, kRemovalTimeout});
    if (chdir("/") != 0) return PrivilegedProtocol::reply(1, false, "cannot leave the folder of " + path + "\n");
    if (!result.started) return PrivilegedProtocol::reply(127, false, "cannot start /bin/rm\n");
    int status = result.exitStatus >= 0 ? result.exitStatus : 128 + result.signal;
    return PrivilegedProtocol::reply(status, isGoneAt(parent.folder.get(), parent.name), result.output + result.errorOutput);
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
