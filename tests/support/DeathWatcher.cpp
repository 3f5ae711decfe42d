#include "support/DeathWatcher.h"

#include "platform/system/ProcessRunner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace testsupport {
namespace {

// The script's descriptor that ends when it does; it never writes to it.
constexpr int kFinishedDescriptor = 3;

void closeIfOpen(int descriptor) {
    if (descriptor >= 0) close(descriptor);
}

}  // namespace

DeathWatcher::DeathWatcher(const std::string& script, const std::vector<std::string>& arguments) {
    int input[2];
    int finished[2];
    if (pipe2(input, O_CLOEXEC) != 0) return;
    if (pipe2(finished, O_CLOEXEC) != 0) {
        close(input[0]), close(input[1]);
        return;
    }
    // Everything the child needs is made before fork: a test process may have threads.
    std::vector<std::string> words = {platform::findExecutable("bash"), "-c", "read -r _\n" + script, "duridove-watcher"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int nothing = open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t child = fork();
    if (child == 0) {
        // The grandchild is reparented at once, away from the test's process tree.
        if (fork() == 0) {
            setsid();
            dup2(input[0], STDIN_FILENO);
            dup2(nothing, STDOUT_FILENO);
            dup2(nothing, STDERR_FILENO);
            if (finished[1] == kFinishedDescriptor) fcntl(kFinishedDescriptor, F_SETFD, 0);
            else dup2(finished[1], kFinishedDescriptor);
            execv(argv[0], argv.data());
        }
        _exit(0);
    }
    close(input[0]);
    close(finished[1]);
    closeIfOpen(nothing);
    if (child > 0) {
        while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    input_ = input[1];
    finished_ = finished[0];
}

DeathWatcher::~DeathWatcher() {
    closeIfOpen(input_);
    if (finished_ < 0) return;
    char ignored;
    while (read(finished_, &ignored, 1) < 0 && errno == EINTR) {
    }
    close(finished_);
}

}  // namespace testsupport
