#include "platform/desktop/HttpClient.h"
#include "platform/desktop/Workspace.h"
#include "support/LocalWebServer.h"
#include "support/LogCapture.h"
#include "support/RecordingWorkspace.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedVariable.h"
#include "ui/kit/controls/EUHandButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/network/QtHttpClient.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/MainMenu.h"
#include "ui/shell/UpdateWindowController.h"

#include <QAction>
#include <QLabel>
#include <QSystemTrayIcon>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

using platform::PlistValue;

namespace {

constexpr const char* kDefaultRoute = "Iface\tDestination\tGateway\tFlags\tRefCnt\tUse\tMetric\tMask\tMTU\tWindow\tIRTT\n"
                                      "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";

// A machine whose network is up (or not), a settings file whose "VersionCheck" is this
// build's and whose links point at a local server, and a workspace that opens nothing.
class UpdateFixture {
public:
    explicit UpdateFixture(PlistValue localVersionCheck = PlistValue(100), bool online = true)
        : bundle_("DURIDOVE_BUNDLE_DIR", environment_.folder().makeFolder("bundle")) {
        if (online) {
            environment_.folder().writeFile("proc/net/route", kDefaultRoute);
            environment_.folder().writeFile("sys/class/net/eth0/flags", "0x1003\n");
            environment_.folder().writeFile("sys/class/net/eth0/operstate", "up\n");
        }
        links_ = PlistValue(PlistValue::Dictionary{});
        links_.set("IniURL", server.url("/version.plist"));
        links_.set("UpdateURL", "https://duridove.example/download");
        links_.set("SupportTeam", "https://duridove.example/support");
        links_.set("OnlineHelp", "");
        localVersionCheck_ = std::move(localVersionCheck);
        writeSettings();
        platform::Workspace::setShared(workspace);
        platform::HttpClient::setShared(std::make_shared<ui::QtHttpClient>(1000, 2000));
    }
    ~UpdateFixture() {
        platform::Workspace::setShared(nullptr);
        platform::HttpClient::setShared(nullptr);
    }

    void setLink(const char* key, const std::string& url) {
        links_.set(key, url);
        writeSettings();
    }
    void publish(std::initializer_list<std::pair<const char*, PlistValue>> entries) {
        PlistValue list(PlistValue::Dictionary{});
        for (const auto& [key, value] : entries) list.set(key, value);
        server.setAnswer({"200 OK", QByteArray::fromStdString(list.toXml())});
    }

    testsupport::LocalWebServer server;
    std::shared_ptr<testsupport::RecordingWorkspace> workspace = std::make_shared<testsupport::RecordingWorkspace>();

private:
    void writeSettings() {
        PlistValue settings(PlistValue::Dictionary{});
        settings.set("VersionCheck", localVersionCheck_);
        settings.set("en", links_);
        settings.writeFile(environment_.folder() / "bundle/StringMessage.plist");
    }

    testsupport::ScopedEnvironment environment_;
    testsupport::ScopedVariable bundle_;
    PlistValue links_;
    PlistValue localVersionCheck_;
};

enum class Pane { NoNetwork, NoUpdate, HaveUpdate };

// The pane a check ended on, once it has ended.
std::optional<Pane> shownPane(const ui::UpdateWindowController& controller) {
    if (controller.noNetworkView()->isVisibleTo(controller.window())) return Pane::NoNetwork;
    if (controller.noUpdateView()->isVisibleTo(controller.window())) return Pane::NoUpdate;
    if (controller.haveUpdateView()->isVisibleTo(controller.window())) return Pane::HaveUpdate;
    return std::nullopt;
}

// The notes' fields, top first.
std::vector<QLabel*> notesOf(const ui::UpdateWindowController& controller) {
    auto notes = controller.showVersionScrollView()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    std::vector<QLabel*> sorted(notes.begin(), notes.end());
    std::sort(sorted.begin(), sorted.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
    return sorted;
}

QAction* itemTitled(const QMenu& menu, const QString& title) {
    for (QAction* action : menu.actions())
        if (action->text() == title) return action;
    return nullptr;
}

// Calls the check every 20 ms until it has done its work once.
void whenReady(std::function<bool()> check) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, check = std::move(check)] {
        if (check()) timer->deleteLater();
    });
    timer->start(20);
}

}  // namespace

Q_DECLARE_METATYPE(Pane)

class UpdateAndMainMenuTest : public QObject {
    Q_OBJECT
private slots:
    void eachOutcomeHasItsPane_data() {
        QTest::addColumn<int>("local");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("trickleMs");
        QTest::addColumn<bool>("online");
        QTest::addColumn<Pane>("pane");
        const QByteArray equal = QByteArray::fromStdString(
            PlistValue(PlistValue::Dictionary{{"VersionCheck", PlistValue(100)}, {"Version", "1.0"}}).toXml());
        QTest::newRow("remote equal to local") << 100 << QByteArray("200 OK") << equal << 0 << true << Pane::NoUpdate;
        QTest::newRow("local above remote") << 101 << QByteArray("200 OK") << equal << 0 << true << Pane::NoUpdate;
        QTest::newRow("remote above local") << 99 << QByteArray("200 OK") << equal << 0 << true << Pane::HaveUpdate;
        QTest::newRow("garbage") << 99 << QByteArray("200 OK") << QByteArray("<html>moved</html>") << 0 << true
                                 << Pane::NoUpdate;
        QTest::newRow("not found") << 99 << QByteArray("404 Not Found") << equal << 0 << true << Pane::NoUpdate;
        QTest::newRow("trickle") << 99 << QByteArray("200 OK") << equal << 50 << true << Pane::NoUpdate;
        QTest::newRow("no route") << 99 << QByteArray("200 OK") << equal << 0 << false << Pane::NoNetwork;
    }
    void eachOutcomeHasItsPane() {
        QFETCH(int, local);
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, body);
        QFETCH(int, trickleMs);
        QFETCH(bool, online);
        QFETCH(Pane, pane);
        UpdateFixture fixture(PlistValue(local), online);
        fixture.server.setAnswer({status, body, trickleMs});
        ui::UpdateWindowController controller;
        controller.window()->show();
        QVERIFY(controller.checkProgressView()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(shownPane(controller).has_value(), 5000);
        QCOMPARE(*shownPane(controller), pane);
        controller.closeWindowAction();
        QVERIFY(!controller.window()->isVisible());
    }

    // A build number stored as text compares by its integer value, and the notes stack down
    // from the top, each as tall as its numbered text needs in the font and width it is drawn
    // in: a long note is shown whole, clear of the next.
    void theUpdatePaneShowsTheVersionAndItsNotesTopDown() {
        UpdateFixture fixture(PlistValue("100"));
        std::string longNote = "Faster scans of folders with AVeryLongFileNameWithoutAnyBreakInIt_AVeryLongFileName ";
        for (int count = 0; count < 40; ++count) longNote += "清理";
        fixture.publish({{"VersionCheck", "101"}, {"Version", "2.0"}, {"1", "更快的扫描"}, {"2", longNote}, {"3", "修复"}});
        ui::UpdateWindowController controller;
        controller.window()->show();
        QTRY_COMPARE(shownPane(controller), std::optional<Pane>(Pane::HaveUpdate));
        QCOMPARE(controller.versionLabel()->text(), QString("新版本2.0:"));
        QCOMPARE(controller.titleLable()->text(), QString("2.0已经发布。"));
        QCOMPARE(controller.haveClose()->label()->text(), QString("关闭"));
        QCOMPARE(controller.haveClose()->normalImageName(), QString("btn_pri"));

        const std::vector<QLabel*> notes = notesOf(controller);
        QCOMPARE(notes.size(), size_t(3));
        double containerHeight = 0;
        int top = 0;
        for (size_t index = 0; index < notes.size(); ++index) {
            QLabel* note = notes[index];
            QCOMPARE(note->text(), QString::number(index + 1) + "." + note->toolTip());
            QVERIFY(note->heightForWidth(note->width()) <= note->height());
            const double height =
                std::ceil(ui::UpdateWindowController::heightForStringDrawing(note->text(), note->font(), 368));
            containerHeight += std::max(30.0, height);
            QCOMPARE(note->geometry(), QRect(0, top, 368, int(std::max(25.0, height))));
            top += note->height();
        }
        QVERIFY(notes[1]->height() > 25);
        QCOMPARE(notes[0]->toolTip(), QString("更快的扫描"));
        QCOMPARE(controller.showVersionScrollView()->height(), int(std::max(150.0, containerHeight)));

        controller.updateClickHere()->click();
        QCOMPARE(fixture.workspace->calls(), std::vector<std::string>{"openURL https://duridove.example/download"});
    }

    void aListWithOnlyItsNumbersShowsAnEmptyNotesArea150High() {
        UpdateFixture fixture;
        fixture.publish({{"VersionCheck", PlistValue(101)}, {"Version", "1.1"}});
        ui::UpdateWindowController controller;
        controller.window()->show();
        QTRY_COMPARE(shownPane(controller), std::optional<Pane>(Pane::HaveUpdate));
        QVERIFY(notesOf(controller).empty());
        QCOMPARE(controller.showVersionScrollView()->size(), QSize(368, 150));
    }

    // Showing the window again checks again, and an empty version-list link is a failed load.
    void eachShowingChecksAgainAndAnEmptyLinkFindsNoUpdate() {
        UpdateFixture fixture;
        fixture.publish({{"VersionCheck", PlistValue(101)}, {"Version", "1.1"}});
        ui::UpdateWindowController controller;
        controller.window()->show();
        QTRY_COMPARE(shownPane(controller), std::optional<Pane>(Pane::HaveUpdate));
        controller.closeWindowAction();

        testsupport::LogCapture log;
        fixture.setLink("IniURL", "");
        controller.window()->show();
        QVERIFY(controller.checkProgressView()->isVisible());
        QTRY_COMPARE(shownPane(controller), std::optional<Pane>(Pane::NoUpdate));
        QVERIFY(log.contains("IniURL"));
    }

    // Shown, the window fades in; a close from the window manager fades it out, then closes it.
    void theWindowFadesInAndAWindowManagerCloseFadesOut() {
        UpdateFixture fixture;
        ui::UpdateWindowController controller;
        controller.window()->show();
        QVERIFY(controller.window()->windowOpacity() < 0.5);
        QTRY_COMPARE(controller.window()->windowOpacity(), 1.0);
        controller.windowShouldClose();
        QVERIFY(controller.window()->isVisible());
        QTRY_VERIFY(!controller.window()->isVisible());
        QCOMPARE(controller.window()->windowOpacity(), 0.0);
        controller.window()->show();
        QTRY_COMPARE(controller.window()->windowOpacity(), 1.0);
        controller.closeWindowAction();
    }

    // The title bar's menu button and the status item's context menu are one menu, whose
    // items reach About, the update check (one window, kept), the support centre and the help.
    void bothMenusReachEveryAction() {
        UpdateFixture fixture;
        fixture.publish({{"VersionCheck", PlistValue(101)}, {"Version", "1.1"}});
        ui::AppDelegate shell;
        shell.launch();
        QTRY_VERIFY(shell.isLaunchComplete());
        ui::MainMenu* menu = shell.mainMenu();
        QCOMPARE(shell.statusBarItem()->contextMenu(), menu);
        QStringList titles;
        for (QAction* action : menu->actions())
            if (!action->isSeparator()) titles << action->text();
        QCOMPARE(titles, (QStringList{"关于 Duridove", "检查更新…", "支持中心", "在线帮助", "退出 Duridove"}));
        QWidget* titleBar = shell.window()->titleBarView();
        QCOMPARE(menu->menuButton()->parentWidget(), titleBar);
        QCOMPARE(menu->menuButton()->geometry().right(), titleBar->width() - 11);
        QTest::mouseClick(menu->menuButton(), Qt::LeftButton);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();

        itemTitled(*menu, "支持中心")->trigger();
        QTRY_COMPARE(fixture.workspace->calls(), std::vector<std::string>{"openURL https://duridove.example/support"});
        testsupport::LogCapture log;
        itemTitled(*menu, "在线帮助")->trigger();
        QTRY_VERIFY(log.contains("OnlineHelp"));
        QCOMPARE(fixture.workspace->calls().size(), size_t(1));

        std::vector<ui::UpdateWindowController*> checked;
        for (int time = 0; time < 2; ++time) {
            whenReady([&] {
                ui::UpdateWindowController* update = shell.checkUpdateWindow();
                if (!update || shownPane(*update) != Pane::HaveUpdate) return false;
                checked.push_back(update);
                update->closeWindowAction();
                return true;
            });
            itemTitled(*menu, "检查更新…")->trigger();
            QTRY_COMPARE(checked.size(), size_t(time + 1));
        }
        QCOMPARE(checked[0], checked[1]);

        bool aboutShown = false;
        whenReady([&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* title = window->findChild<QLabel*>();
                if (window == shell.window() || !window->isVisible() || !title || title->text() != "关于 Duridove") continue;
                aboutShown = true;
                window->close();
                return true;
            }
            return false;
        });
        itemTitled(*menu, "关于 Duridove")->trigger();
        QTRY_VERIFY(aboutShown);
    }

    // A window that goes away in the middle of a check stops its download and its worker
    // before it is gone, rather than waiting for the download's deadline: the deadlines here
    // are a day, and the answer never comes while the server's thread waits for the window.
    void aWindowGoingAwayStopsItsCheck() {
        UpdateFixture fixture;
        fixture.server.setAnswer({"200 OK", "", 20});
        constexpr int kOneDayMs = 24 * 3600 * 1000;
        platform::HttpClient::setShared(std::make_shared<ui::QtHttpClient>(kOneDayMs, kOneDayMs));
        auto controller = std::make_unique<ui::UpdateWindowController>();
        controller->window()->show();
        QTRY_VERIFY(!fixture.server.request().isEmpty());
        controller.reset();
    }

    // Opened from the menu, the window is modal to the main window only, so the status item's
    // menu still reaches the application; a quit from that menu or from Control+Q while it is
    // open waits for its fade-out, then ends the event loop.
    void aQuitFromTheKeyboardOrTheStatusItemWhileTheWindowIsOpen_data() {
        QTest::addColumn<bool>("fromKeyboard");
        QTest::newRow("Control+Q") << true;
        QTest::newRow("status item's menu") << false;
    }
    void aQuitFromTheKeyboardOrTheStatusItemWhileTheWindowIsOpen() {
        QFETCH(bool, fromKeyboard);
        UpdateFixture fixture;
        fixture.publish({{"VersionCheck", PlistValue(101)}, {"Version", "1.1"}});
        ui::AppDelegate shell;
        shell.launch();
        QTRY_VERIFY(shell.isLaunchComplete());
        QTimer::singleShot(0, [&] { shell.checkUpdateAction(); });
        Qt::WindowModality modality = Qt::NonModal;
        QWindow* owner = nullptr;
        whenReady([&] {
            ui::UpdateWindowController* update = shell.checkUpdateWindow();
            if (!update || update->window()->windowOpacity() < 1.0 || !update->window()->isActiveWindow()) return false;
            modality = update->window()->windowModality();
            owner = update->window()->windowHandle()->transientParent();
            if (fromKeyboard)
                QTest::keyClick(update->window(), Qt::Key_Q, Qt::ControlModifier);
            else
                itemTitled(*shell.statusBarItem()->contextMenu(), "退出 Duridove")->trigger();
            return true;
        });
        // A quit that never comes fails the test instead of holding it.
        QTimer unanswered;
        unanswered.setSingleShot(true);
        QObject::connect(&unanswered, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        unanswered.start(30000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(modality, Qt::WindowModal);
        QCOMPARE(owner, shell.window()->windowHandle());
        ui::UpdateWindowController* update = shell.checkUpdateWindow();
        QVERIFY(update->shuttingDown());
        QVERIFY(!update->window()->isVisible());
        QCOMPARE(update->window()->windowOpacity(), 0.0);
    }

    // A quit while the window is open waits for its fade-out, then ends the event loop.
    void aQuitWaitsForTheFadeOut() {
        UpdateFixture fixture;
        ui::UpdateWindowController controller;
        controller.window()->show();
        QTRY_COMPARE(controller.window()->windowOpacity(), 1.0);
        whenReady([] {
            QCoreApplication::quit();
            return true;
        });
        QCoreApplication::exec();
        QVERIFY(controller.shuttingDown());
        QVERIFY(!controller.window()->isVisible());
        QCOMPARE(controller.window()->windowOpacity(), 0.0);
    }
};

QTEST_MAIN(UpdateAndMainMenuTest)
#include "tst_update_and_main_menu.moc"
