#include "support/LaunchedProgram.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/MyNSApplication.h"
#include "ui/shell/SingleInstance.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <memory>

namespace {

constexpr int kStillRunning = 7;

// Runs the event loop until something quits it, or until the guard ends it with kStillRunning.
int runEventLoopFor(int milliseconds, const std::function<void()>& start) {
    QTimer::singleShot(0, start);
    QTimer::singleShot(milliseconds, [] { QCoreApplication::exit(kStillRunning); });
    return QCoreApplication::exec();
}

}  // namespace

class AppLifecycleTest : public QObject {
    Q_OBJECT
private:
    testsupport::ScopedEnvironment environment;  // the disk page's scan writes in its runtime folder
    testsupport::TempFolder folder;
    std::unique_ptr<ui::SingleInstance> instance;
    std::unique_ptr<ui::AppDelegate> shell;

    QString socketPath(const char* name) const { return QString::fromStdString(folder / name); }

    // The real application, started as a user would start it again.
    std::unique_ptr<testsupport::LaunchedProgram> startApplication(const QString& socket) {
        return std::make_unique<testsupport::LaunchedProgram>(
            DURIDOVE_BIN_DIR "/Duridove",
            testsupport::LaunchedProgram::Variables{{"QT_QPA_PLATFORM", "offscreen"},
                                                    {"DURIDOVE_INSTANCE_SOCKET", socket.toStdString()},
                                                    {"DURIDOVE_RUNTIME_DIR", folder.makeFolder("runtime")},
                                                    {"DURIDOVE_CONFIG_DIR", folder / "config"}});
    }

private slots:
    void initTestCase() {
        instance = std::make_unique<ui::SingleInstance>(socketPath("instance"));
        QVERIFY(instance->claim());
        shell = std::make_unique<ui::AppDelegate>();
        connect(instance.get(), &ui::SingleInstance::reopenRequested, shell.get(),
                [this] { shell->applicationShouldHandleReopen(shell->window()->isVisible()); });
        shell->launch();
        QVERIFY(QTest::qWaitForWindowExposed(shell->window()));
    }

    void closingTheWindowLeavesTheApplicationRunning() {
        const int result = runEventLoopFor(300, [this] { shell->closeWindow(); });
        QCOMPARE(result, kStillRunning);
        QVERIFY(!shell->window()->isVisible());
    }

    void aSecondLaunchShowsTheWindowAgainAndEnds() {
        shell->closeWindow();
        auto second = startApplication(socketPath("instance"));
        QTRY_VERIFY_WITH_TIMEOUT(shell->window()->isVisible(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(second->hasEnded(), 15000);
        QCOMPARE(second->exitCode(), 0);
    }

    void reopeningAMinimisedWindowRestoresIt() {
        shell->window()->showMinimized();
        QVERIFY(shell->window()->isMinimized());
        QVERIFY(!shell->applicationShouldHandleReopen(true));
        QVERIFY(!shell->window()->isMinimized());
        QVERIFY(shell->window()->isVisible());
    }

    void aSocketLeftByACrashIsTakenOver() {
        const QString socket = socketPath("crashed");
        auto crashed = startApplication(socket);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(socket).exists(), 15000);
        ::kill(crashed->pid(), SIGKILL);
        QTRY_VERIFY(crashed->hasEnded());
        QVERIFY(QFileInfo::exists(socket));

        ui::SingleInstance successor(socket);
        QVERIFY(successor.claim());
        QSignalSpy reopened(&successor, &ui::SingleInstance::reopenRequested);
        auto later = startApplication(socket);
        QTRY_COMPARE_WITH_TIMEOUT(reopened.size(), 1, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(later->hasEnded(), 15000);
        QCOMPARE(later->exitCode(), 0);
    }

    // Connections that say nothing, or too much without ending a line, hold nothing up: a later
    // launch is still answered. The socket is its user's alone.
    void strangeConnectionsDoNotHoldTheInstance() {
        const QString socket = socketPath("strangers");
        ui::SingleInstance instance(socket);
        QVERIFY(instance.claim());
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(socket).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));
        QSignalSpy reopened(&instance, &ui::SingleInstance::reopenRequested);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, QFile::encodeName(socket).constData(), sizeof address.sun_path - 1);
        int silent = ::socket(AF_UNIX, SOCK_STREAM, 0), chatty = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::connect(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        QCOMPARE(::connect(chatty, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        const std::string flood(4096, 'x');
        QVERIFY(::write(chatty, flood.data(), flood.size()) > 0);

        auto later = startApplication(socket);
        QTRY_COMPARE_WITH_TIMEOUT(reopened.size(), 1, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(later->hasEnded(), 15000);
        QCOMPARE(later->exitCode(), 0);
        ::close(silent);
        ::close(chatty);
    }

    void controlQQuits() {
        shell->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shell->window()));
        const int result = runEventLoopFor(5000, [this] { QTest::keyClick(shell->window(), Qt::Key_Q, Qt::ControlModifier); });
        QCOMPARE(result, 0);
    }

    void cleanupTestCase() {
        shell.reset();
        instance.reset();
    }
};

int main(int argc, char* argv[]) {
    ui::MyNSApplication application(argc, argv);
    AppLifecycleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app_lifecycle.moc"
