#include "platform/system/PosixProcessRunner.h"

#include "platform/system/Log.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// After a kill, output still held open by an escaped grandchild is waited for this long.
constexpr auto kDrainAfterKill = std::chrono::milliseconds(500);

struct Pipe {
    int read = -1;
    int write = -1;
    bool open() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return false;
        read = fds[0];
        write = fds[1];
        return true;
    }
    static void closeEnd(int& fd) {
        if (fd >= 0) close(fd);
        fd = -1;
    }
    void closeBoth() {
        closeEnd(read);
        closeEnd(write);
    }
};

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (auto& text : texts) result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

void setNonBlocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK); }

class ChildSession {
public:
    ChildSession(const ProcessRequest& request, pid_t pid, Pipe& in, Pipe& out, Pipe& err)
        : request_(request), pid_(pid), inFd_(in.write), outFd_(out.read), errFd_(err.read) {
        in.write = out.read = err.read = -1;
        setNonBlocking(inFd_);
        if (request_.input.empty()) Pipe::closeEnd(inFd_);
    }

    ProcessResult finish() {
        ProcessResult result;
        result.started = true;
        pump(result);
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
        if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
        return result;
    }

private:
    void pump(ProcessResult& result) {
        auto deadline = Clock::now() + request_.timeout;
        while (outFd_ >= 0 || errFd_ >= 0) {
            auto now = Clock::now();
            if (now >= deadline) {
                if (result.timedOut) break;
                result.timedOut = true;
                kill(-pid_, SIGKILL);
                kill(pid_, SIGKILL);
                deadline = now + kDrainAfterKill;
            }
            waitForData(deadline - now, result);
        }
        Pipe::closeEnd(inFd_);
        Pipe::closeEnd(outFd_);
        Pipe::closeEnd(errFd_);
    }

    void waitForData(Clock::duration left, ProcessResult& result) {
        std::array<pollfd, 3> fds{{{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}, {inFd_, POLLOUT, 0}}};
        int ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(left).count()) + 1;
        if (poll(fds.data(), fds.size(), ms) <= 0) return;
        if (fds[0].revents) drain(outFd_, result.output);
        if (fds[1].revents) drain(errFd_, result.errorOutput);
        if (fds[2].revents) feed();
    }

    void drain(int& fd, std::string& into) const {
        char buffer[65536];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<size_t>(n));
            if (request_.onOutput) request_.onOutput(std::string(buffer, static_cast<size_t>(n)));
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            Pipe::closeEnd(fd);
        }
    }

    void feed() {
        ssize_t n = write(inFd_, request_.input.data() + inputSent_, request_.input.size() - inputSent_);
        if (n > 0) inputSent_ += static_cast<size_t>(n);
        if ((n < 0 && errno != EAGAIN && errno != EINTR) || inputSent_ >= request_.input.size())
            Pipe::closeEnd(inFd_);
    }

    const ProcessRequest& request_;
    pid_t pid_;
    int inFd_, outFd_, errFd_;
    size_t inputSent_ = 0;
};

// Starts the program in a process group of its own with the pipes as its standard streams, the
// default SIGPIPE and no blocked signals. posix_spawn starts the child the way vfork does: fork
// would copy the page tables of the whole application, and every other thread of it (the main
// thread among them) would wait on its memory for as long, then on copies of each page it
// writes until the child has exec'd. The error of a start that failed, else 0.
int spawn(const std::string& program, std::vector<char*>& argv, std::vector<char*>& envp, int input, int output,
          int errorOutput, pid_t& pid) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errorOutput, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigaddset(&signals, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    const int error = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

}  // namespace

ProcessResult PosixProcessRunner::run(const ProcessRequest& request) {
    // A child that closes its input early must not kill us with SIGPIPE while we write it.
    static const bool pipeSignalIgnored = (signal(SIGPIPE, SIG_IGN), true);
    (void)pipeSignalIgnored;
    ProcessResult failed;
    if (request.arguments.empty()) return failed;
    std::string program = findExecutable(request.arguments.front());
    if (program.empty()) {
        logWarning("program not found: " + request.arguments.front());
        return failed;
    }
    std::vector<std::string> arguments = request.arguments;
    std::vector<std::string> environment = environmentWith(request.environment);
    std::vector<char*> argv = pointers(arguments);
    std::vector<char*> envp = pointers(environment);

    Pipe in, out, err;
    if (!in.open() || !out.open() || !err.open()) {
        in.closeBoth(), out.closeBoth(), err.closeBoth();
        logError("cannot make pipes for " + program);
        return failed;
    }
    pid_t pid = -1;
    const int error = spawn(program, argv, envp, in.read, out.write, err.write, pid);
    Pipe::closeEnd(in.read);
    Pipe::closeEnd(out.write);
    Pipe::closeEnd(err.write);
    if (error != 0) {
        in.closeBoth(), out.closeBoth(), err.closeBoth();
        logError("cannot start " + program + ": " + std::strerror(error));
        return failed;
    }
    setpgid(pid, pid);
    return ChildSession(request, pid, in, out, err).finish();
}

}  // namespace platform
