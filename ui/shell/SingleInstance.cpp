#include "ui/shell/SingleInstance.h"

#include "platform/system/Environment.h"
#include "platform/system/Log.h"

#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace ui {
namespace {

const QByteArray kReopenRequest = QByteArrayLiteral("reopen\n");
const QByteArray kReopenAnswer = QByteArrayLiteral("ok\n");
constexpr int kConnectAttempts = 20;      // the running launch may still be starting to listen
constexpr int kAttemptPauseMs = 100;
constexpr int kTimeoutMs = 1000;
constexpr int kLongestRequest = 64;  // a line longer than any request ends the connection

// The socket's address; false when the path does not fit in one.
bool addressOf(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

int unixSocket() { return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0); }

// Waits until the socket is ready for events, until the deadline; false when it is not.
bool waitFor(int descriptor, short events, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd watched{descriptor, events, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

}  // namespace

// A later launch's connection: its request line is read as it arrives, then answered.
struct SingleInstance::Connection {
    int descriptor = -1;
    QByteArray received;
    std::unique_ptr<QSocketNotifier> notifier;
    ~Connection() {
        notifier.reset();
        ::close(descriptor);
    }
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
};

SingleInstance::SingleInstance(QString socketPath, QObject* parent) : QObject(parent), socketPath(std::move(socketPath)) {}

SingleInstance::~SingleInstance() {
    connections.clear();
    listener.reset();
    if (listenDescriptor >= 0) ::close(listenDescriptor);
    if (lockDescriptor >= 0) ::close(lockDescriptor);
}

QString SingleInstance::defaultSocketPath() {
    const QString overridden = qEnvironmentVariable("DURIDOVE_INSTANCE_SOCKET");
    if (!overridden.isEmpty()) return overridden;
    const std::string folder = platform::Environment::current()->runtimeFolder();
    if (folder.empty()) return QString();
    return QString::fromStdString(folder) + QStringLiteral("/instance");
}

bool SingleInstance::claim() {
    if (socketPath.isEmpty()) {
        platform::logWarning("no private runtime folder: a second launch will not find this one");
        return true;
    }
    // The lock's holder may still be starting to listen, or may have just died while a child
    // it forked had not yet run its program (the lock goes with that child's exec): ask
    // again, and take the lock over once it is free.
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        switch (takeLock()) {
        case Lock::Taken:
            listen();
            return true;
        case Lock::Unavailable:
            return true;
        case Lock::HeldByRunningLaunch:
            if (askRunningToReopen()) return false;
            QThread::msleep(kAttemptPauseMs);
        }
    }
    platform::logError("the running Duridove does not answer at " + socketPath.toStdString());
    return false;
}

SingleInstance::Lock SingleInstance::takeLock() {
    const std::string lockPath = QFile::encodeName(socketPath + QStringLiteral(".lock")).toStdString();
    const int descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        platform::logError("cannot open " + lockPath + ": " + std::strerror(errno) + "; a second launch will not find this one");
        return Lock::Unavailable;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
        lockDescriptor = descriptor;
        return Lock::Taken;
    }
    const int error = errno;
    ::close(descriptor);
    if (error == EWOULDBLOCK) return Lock::HeldByRunningLaunch;
    platform::logError("cannot lock " + lockPath + ": " + std::strerror(error) + "; a second launch will not find this one");
    return Lock::Unavailable;
}

void SingleInstance::listen() {
    const std::string path = QFile::encodeName(socketPath).toStdString();
    sockaddr_un address;
    if (!addressOf(path, address)) {
        platform::logError("cannot listen at " + path + ": the path is too long for a socket");
        return;
    }
    // The lock is ours, so a socket left here is a dead launch's.
    ::unlink(path.c_str());
    const int descriptor = unixSocket();
    // Only this user may connect (the runtime folder is private too).
    const bool bound = descriptor >= 0 && ::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                       ::chmod(path.c_str(), 0600) == 0;
    if (!bound || ::listen(descriptor, 8) != 0) {
        platform::logError("cannot listen at " + path + ": " + std::strerror(errno));
        if (descriptor >= 0) ::close(descriptor);
        return;
    }
    listenDescriptor = descriptor;
    listener = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    connect(listener.get(), &QSocketNotifier::activated, this, &SingleInstance::acceptConnections);
}

void SingleInstance::acceptConnections() {
    for (;;) {
        const int descriptor = ::accept4(listenDescriptor, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (descriptor < 0) return;
        auto connection = std::make_unique<Connection>();
        connection->descriptor = descriptor;
        connection->notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
        connect(connection->notifier.get(), &QSocketNotifier::activated, this,
                [this, descriptor] { readRequest(descriptor); });
        connections.emplace(descriptor, std::move(connection));
        readRequest(descriptor);
    }
}

void SingleInstance::readRequest(int descriptor) {
    auto found = connections.find(descriptor);
    if (found == connections.end()) return;
    Connection& connection = *found->second;
    char buffer[kLongestRequest];
    ssize_t length = 0;
    // Never more than a request's length, however fast the other side writes.
    while (connection.received.size() < kLongestRequest &&
           (length = ::read(descriptor, buffer, sizeof buffer)) > 0)
        connection.received.append(buffer, length);
    const bool waiting = length < 0 && (errno == EAGAIN || errno == EINTR);
    const qsizetype lineEnd = connection.received.indexOf('\n');
    if (lineEnd < 0 && waiting && connection.received.size() < kLongestRequest) return;
    if (connection.received.left(lineEnd + 1) == kReopenRequest) {
        // The answer is a few bytes on a fresh socket: it fits in its buffer at once.
        if (::send(descriptor, kReopenAnswer.constData(), kReopenAnswer.size(), MSG_NOSIGNAL) < 0)
            platform::logWarning(std::string("cannot answer a later launch: ") + std::strerror(errno));
        emit reopenRequested();
    }
    // This may run in the notifier's own signal: it goes once that has returned.
    connection.notifier->setEnabled(false);
    connection.notifier.release()->deleteLater();
    connections.erase(descriptor);
}

// Only the running launch's answer counts: a socket can accept a connection while nobody
// serves it (a crashed launch's forked child may hold it until that child runs its program).
bool SingleInstance::askRunningToReopen() const {
    sockaddr_un address;
    if (!addressOf(QFile::encodeName(socketPath).toStdString(), address)) return false;
    const int descriptor = unixSocket();
    if (descriptor < 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    const bool answered = [&] {
        if (::connect(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 &&
            (errno != EAGAIN || !waitFor(descriptor, POLLOUT, deadline)))
            return false;
        if (::send(descriptor, kReopenRequest.constData(), kReopenRequest.size(), MSG_NOSIGNAL) !=
            kReopenRequest.size())
            return false;
        QByteArray received;
        while (!received.contains('\n') && received.size() < kLongestRequest) {
            if (!waitFor(descriptor, POLLIN, deadline)) return false;
            char buffer[kLongestRequest];
            const ssize_t length = ::read(descriptor, buffer, sizeof buffer);
            if (length == 0 || (length < 0 && errno != EAGAIN && errno != EINTR)) return false;
            if (length > 0) received.append(buffer, length);
        }
        return received == kReopenAnswer;
    }();
    ::close(descriptor);
    return answered;
}

}  // namespace ui
