#include "support/Unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace testsupport {
namespace {

std::string readAll(int fd) {
    std::string text;
    char chunk[4096];
    for (;;) {
        ssize_t result = read(fd, chunk, sizeof chunk);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) return text;
        text.append(chunk, static_cast<size_t>(result));
    }
}

// The threads of this process, counted before a fork.
long threadCount() {
    std::error_code error;
    long count = 0;
    for (std::filesystem::directory_iterator task("/proc/self/task", error), end; !error && task != end;
         task.increment(error))
        ++count;
    return count;
}

// The body runs in the child, so the fork is made only while this thread is the process's
// only one: the child of a process with other threads may call nothing but async-signal-safe
// functions before an exec, and the body calls anything.
std::string runForked(const std::function<std::string()>& body, bool dropRights) {
    const long threads = threadCount();
    if (threads != 1)
        return "child failed: " + std::to_string(threads) +
               " threads running at the fork (a log line starts the log's writer: capture the log)";
    int fds[2];
    if (pipe(fds) != 0) return "child failed: no pipe";
    pid_t child = fork();
    if (child < 0) return "child failed: no fork";
    if (child == 0) {
        close(fds[0]);
        bool dropped = !dropRights || (setgroups(0, nullptr) == 0 && setgid(nobodyId) == 0 &&
                                       setuid(nobodyId) == 0 && geteuid() == nobodyId && getegid() == nobodyId);
        std::string text = dropped ? body() : "child failed: could not drop to nobody";
        FILE* out = fdopen(fds[1], "w");
        bool sent = out && std::fwrite(text.data(), 1, text.size(), out) == text.size();
        sent = out && std::fclose(out) == 0 && sent;
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    std::string text = readAll(fds[0]);
    close(fds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "child failed: " + text;
    return text;
}

}  // namespace

bool runningAsRoot() { return geteuid() == 0; }

std::string runAsNobody(const std::function<std::string()>& body) { return runForked(body, true); }

std::string runInChild(const std::function<std::string()>& body) { return runForked(body, false); }

}  // namespace testsupport
