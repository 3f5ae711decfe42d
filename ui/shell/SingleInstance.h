#pragma once

#include <QObject>
#include <QString>

#include <map>
#include <memory>

class QSocketNotifier;

namespace ui {

// One running application per user. The first launch holds a lock on a file beside its local
// socket in the private runtime folder and listens there; a later launch finds the lock held,
// asks the running one to reopen its window, and ends. The system drops the lock when its
// holder ends in any way, so a socket left behind by a crash is simply replaced.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString socketPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // DURIDOVE_INSTANCE_SOCKET when set, else "instance" in the private runtime folder;
    // "" when that folder cannot be trusted.
    static QString defaultSocketPath();

    // true: this is the first launch and now listens for later ones (or, without a usable
    // socket path, simply runs). false: another launch runs and was asked to reopen.
    bool claim();

signals:
    void reopenRequested();

private:
    enum class Lock { Taken, HeldByRunningLaunch, Unavailable };
    Lock takeLock();
    void listen();
    bool askRunningToReopen() const;
    void acceptConnections();
    void readRequest(int descriptor);

    struct Connection;
    QString socketPath;
    int lockDescriptor = -1;
    int listenDescriptor = -1;
    std::unique_ptr<QSocketNotifier> listener;
    std::map<int, std::unique_ptr<Connection>> connections;
};

}  // namespace ui
