#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// A program started by a test, with variables added to (or replacing) this process's
// environment; killed and reaped at the end if it is still there. It is started with
// posix_spawn rather than QProcess: Qt starts a child through a vfork-like clone, and
// ThreadSanitizer's handling of that clone marks the test process itself as forked, which then
// dies at the next thread it starts.
class LaunchedProgram {
public:
    using Variables = std::vector<std::pair<std::string, std::string>>;

    LaunchedProgram(const std::string& program, const Variables& variables);
    ~LaunchedProgram();
    LaunchedProgram(const LaunchedProgram&) = delete;
    LaunchedProgram& operator=(const LaunchedProgram&) = delete;

    // -1 when it could not be started.
    pid_t pid() const { return pid_; }
    // Reaps it without waiting: true once it has ended.
    bool hasEnded();
    // Once it has ended: its exit code, or -1 when a signal ended it.
    int exitCode() const;

private:
    pid_t pid_ = -1;
    bool ended_ = false;
    int status_ = 0;
};

}  // namespace testsupport
