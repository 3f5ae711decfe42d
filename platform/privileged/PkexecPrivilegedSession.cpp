#include "platform/privileged/PkexecPrivilegedSession.h"

#include "platform/system/Bundle.h"
#include "platform/system/Log.h"
#include "platform/privileged/PrivilegedProtocol.h"
#include "platform/system/ProcessRunner.h"

#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace platform {

PkexecPrivilegedSession::PkexecPrivilegedSession(std::vector<std::string> launcher) : launcher_(std::move(launcher)) {}

PkexecPrivilegedSession::~PkexecPrivilegedSession() { release(); }

PrivilegedSession::Outcome PkexecPrivilegedSession::authorize(int* status) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (socket_ >= 0 && !helperGone()) return Outcome::Granted;
    if (socket_ >= 0) endHelper();
    return start(status);
}

bool PkexecPrivilegedSession::isAuthorized() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (socket_ >= 0 && helperGone()) endHelper();
    return socket_ >= 0;
}

std::optional<PrivilegedSession::Removal> PkexecPrivilegedSession::removeItem(const PrivilegedProtocol::Request& request) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (socket_ < 0) return std::nullopt;
    std::string line;
    std::optional<PrivilegedProtocol::ReplyHeader> header;
    if (sendAll(PrivilegedProtocol::request(request)) && readLine(line)) header = PrivilegedProtocol::parseReplyLine(line);
    Removal removal;
    if (header && readExactly(header->length, removal.output)) {
        removal.exitStatus = header->exitStatus;
        removal.gone = header->gone;
        return removal;
    }
    logError("the privileged helper stopped answering; the right is given up");
    endHelper();
    return std::nullopt;
}

bool PkexecPrivilegedSession::release() {
    std::lock_guard<std::mutex> lock(mutex_);
    return socket_ < 0 || endHelper() == 0;
}

PrivilegedSession::Outcome PkexecPrivilegedSession::start(int* status) {
    std::vector<std::string> arguments = launcher_;
    if (arguments.empty()) arguments = {"pkexec", Bundle::helperPath(kHelperName)};
    std::string program = findExecutable(arguments.front());
    if (program.empty() || arguments.back().empty()) {
        if (status) *status = ENOENT;
        return Outcome::Unavailable;
    }
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        if (status) *status = errno;
        return Outcome::Unavailable;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int spawned = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    socket_ = ends[0];
    received_.clear();
    if (spawned != 0) {
        close(socket_);
        socket_ = -1;
        pid_ = -1;
        if (status) *status = spawned;
        return Outcome::Unavailable;
    }
    std::string line;
    if (readLine(line) && line + "\n" == PrivilegedProtocol::kReady) return Outcome::Granted;
    int exitStatus = endHelper();
    if (status) *status = exitStatus;
    return Outcome::Refused;
}

bool PkexecPrivilegedSession::helperGone() const {
    pollfd connection{socket_, POLLRDHUP, 0};
    return poll(&connection, 1, 0) > 0 && (connection.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

bool PkexecPrivilegedSession::sendAll(const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t written = send(socket_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        sent += static_cast<size_t>(written);
    }
    return true;
}

bool PkexecPrivilegedSession::receiveMore() {
    char chunk[65536];
    for (;;) {
        ssize_t count = recv(socket_, chunk, sizeof chunk, 0);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        received_.append(chunk, static_cast<size_t>(count));
        return true;
    }
}

bool PkexecPrivilegedSession::readExactly(size_t length, std::string& into) {
    while (received_.size() < length)
        if (!receiveMore()) return false;
    into = received_.substr(0, length);
    received_.erase(0, length);
    return true;
}

bool PkexecPrivilegedSession::readLine(std::string& line) {
    size_t end;
    while ((end = received_.find('\n')) == std::string::npos)
        if (!receiveMore()) return false;
    line = received_.substr(0, end);
    received_.erase(0, end + 1);
    return true;
}

int PkexecPrivilegedSession::endHelper() {
    close(socket_);
    socket_ = -1;
    int status = 0;
    pid_t waited;
    while ((waited = waitpid(pid_, &status, 0)) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    received_.clear();
    return waited > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace platform
