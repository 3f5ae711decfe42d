#include "ui/shell/SingleInstance.h"

#include "platform/system/Environment.h"
#include "platform/system/Log.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace ui {
namespace {

const QByteArray kReopenRequest = QByteArrayLiteral("reopen\n");
const QByteArray kReopenAnswer = QByteArrayLiteral("ok\n");
constexpr int kConnectAttempts = 20;      // the running launch may still be starting to listen
constexpr int kAttemptPauseMs = 100;
constexpr int kTimeoutMs = 1000;

}  // namespace

SingleInstance::SingleInstance(QString socketPath, QObject* parent) : QObject(parent), socketPath(std::move(socketPath)) {}

SingleInstance::~SingleInstance() {
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
    QLocalServer::removeServer(socketPath);
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(socketPath)) {
        platform::logError("cannot listen at " + socketPath.toStdString() + ": " + server->errorString().toStdString());
        return;
    }
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::readRequest);
}

void SingleInstance::readRequest() {
    while (QLocalSocket* connection = server->nextPendingConnection()) {
        connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
        auto answer = [this, connection] {
            if (!connection->canReadLine()) return;
            if (connection->readLine() == kReopenRequest) {
                connection->write(kReopenAnswer);
                connection->flush();
                emit reopenRequested();
            }
            connection->disconnectFromServer();
        };
        connect(connection, &QLocalSocket::readyRead, this, answer);
        answer();
    }
}

// Only the running launch's answer counts: a socket can accept a connection while nobody
// serves it (a crashed launch's forked child may hold it until that child runs its program).
bool SingleInstance::askRunningToReopen() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kTimeoutMs)) return false;
    socket.write(kReopenRequest);
    if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(kTimeoutMs)) return false;
    return socket.readLine() == kReopenAnswer;
}

}  // namespace ui
