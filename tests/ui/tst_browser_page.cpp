#include "core/browser/BrowerObj.h"
#include "core/kit/Executors.h"
#include "platform/desktop/RunningApplications.h"
#include "support/BrowserDatabases.h"
#include "support/HangingRunningApplications.h"
#include "support/MacBundles.h"
#include "support/StallMeter.h"
#include "ui/browser/BroTableView.h"
#include "ui/browser/CloseBrowerWindowController.h"
#include "ui/browser/InternetViewController.h"
#include "ui/kit/controls/RFOverlayScrollView.h"
#include "ui/kit/controls/RFOverlayScroller.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <mutex>
#include <thread>

using core::browser::BrowerObj;
using testsupport::MacHomeFixture;
using testsupport::rowsIn;
using ui::InternetViewController;

extern char** environ;

namespace {

// The image buttons' usable flag, whose YES means usable.
bool usable(const ui::TextImageButton* button) { return button->isDisabled(); }

void whenModal(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

// Runs the action once the page's notice of browsers passed over shows (its modal loop turning).
void whenNoticeShows(const InternetViewController& page, std::function<void(ui::CloseBrowerWindowController&)> action) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &page, action = std::move(action)] {
        ui::CloseBrowerWindowController* notice = page.passedOverWC();
        if (!notice || !notice->window()->isVisible()) return;
        poll->deleteLater();
        poll->stop();
        action(*notice);
    });
    poll->start(10);
}

// Applications the test says are running.
class ListedApplications : public platform::RunningApplications {
public:
    std::vector<platform::RunningApplication> runningApplications() override {
        std::lock_guard<std::mutex> lock(mutex);
        return applications;
    }
    void set(std::vector<platform::RunningApplication> now) {
        std::lock_guard<std::mutex> lock(mutex);
        applications = std::move(now);
    }

private:
    std::mutex mutex;
    std::vector<platform::RunningApplication> applications;
};

// A child process standing for a running application; reaped as soon as it ends, so its pid
// is gone once it has quit. Killed at the end of the test if still there.
class Child {
public:
    explicit Child(bool ignoresTermination) {
        // An ignored signal stays ignored across exec.
        std::string shell = "/bin/sh", option = "-c";
        std::string script = ignoresTermination ? "trap '' TERM; exec sleep 600" : "exec sleep 600";
        char* arguments[] = {shell.data(), option.data(), script.data(), nullptr};
        if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, arguments, environ) != 0) pid = -1;
        // Ready once the shell has set its trap and become "sleep".
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        for (int tries = 0; tries < 200; ++tries) {
            if (comm.open(QIODevice::ReadOnly) && comm.readAll().startsWith("sleep")) break;
            comm.close();
            QThread::msleep(10);
        }
        reaper = std::thread([this] {
            int status = 0;
            if (waitpid(pid, &status, 0) == pid && WIFSIGNALED(status)) endedBy = WTERMSIG(status);
            ended = true;
        });
    }
    ~Child() {
        if (!ended) kill(pid, SIGKILL);
        reaper.join();
    }
    pid_t pid = 0;
    std::atomic<bool> ended{false};
    std::atomic<int> endedBy{0};

private:
    std::thread reaper;
};

struct ScopedApplications {
    explicit ScopedApplications(std::shared_ptr<platform::RunningApplications> applications) {
        platform::RunningApplications::setShared(std::move(applications));
    }
    ~ScopedApplications() { platform::RunningApplications::setShared(nullptr); }
};

// Edge and Edge Beta installed, each with a profile whose history holds visits.
void installEdges(const MacHomeFixture& home) {
    for (const std::string name : {"Microsoft Edge", "Microsoft Edge Beta"}) {
        testsupport::makeBundle(home, "/Applications/" + name + ".app", "com.microsoft." + name);
        home.folder("~/Library/Application Support/" + name + "/Default");
        testsupport::makeChromeHistory(home.path("~/Library/Application Support/" + name + "/Default/History"), 5, 2);
        home.file("~/Library/Application Support/" + name + "/Default/Sessions/Session_1", std::string(4096, 's'));
    }
}

std::string historyOf(const MacHomeFixture& home, const std::string& name) {
    return home.path("~/Library/Application Support/" + name + "/Default/History");
}

int nodeIndex(const InternetViewController& page, const std::string& browserKey) {
    const auto& list = page.browsers();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i]->browserKey == browserKey) return static_cast<int>(i);
    return -1;
}

// Only the node of this browser stays ticked.
void tickOnly(InternetViewController& page, const std::string& browserKey) {
    for (size_t i = 0; i < page.browsers().size(); ++i)
        if ((page.browsers()[i]->browserKey == browserKey) != (page.browsers()[i]->isSelect != BrowerObj::kUnselected))
            page.selectBrower(page.leftTableView(), static_cast<int>(i));
}

}  // namespace

class BrowserPageTest : public QObject {
    Q_OBJECT

private slots:
    // The ticks follow the tri-state rules, "清理" follows the ticks, and a clean empties what
    // was ticked on disk and clears every tick.
    void ticksFollowTheRulesAndACleanEmptiesWhatWasTicked() {
        MacHomeFixture home;
        installEdges(home);
        ScopedApplications none(std::make_shared<ListedApplications>());
        InternetViewController page(core::Executors::inlineExecutors());
        page.checkOpenBrower();
        QVERIFY(page.detailBGView()->isVisibleTo(&page));
        QCOMPARE(page.browsers().size(), size_t(2));
        QCOMPARE(page.nameLabel()->text(), QString::fromStdString(page.browsers()[0]->name));
        const int edge = nodeIndex(page, "Microsoft Edge");
        page.leftTableView()->selectRow(edge);
        QCOMPARE(page.broSelectIndex(), edge);
        QCOMPARE(page.nameLabel()->text(), QStringLiteral("Microsoft Edge - Default"));

        const BrowerObj& node = *page.browsers()[static_cast<size_t>(edge)];
        page.selectBrower(page.rightTableView(), 1);  // "Downloads History"
        QCOMPARE(node.isSelect, BrowerObj::kPartlySelected);
        page.selectBrower(page.leftTableView(), edge);
        for (const auto& item : node.chrArr) QCOMPARE(item->isSelect, BrowerObj::kSelected);
        for (size_t i = 0; i < page.browsers().size(); ++i) page.selectBrower(page.leftTableView(), int(i));
        QVERIFY(!usable(page.cleanButton()));

        tickOnly(page, "Microsoft Edge");
        page.selectBrower(page.rightTableView(), 1);  // keep the downloads
        QVERIFY(usable(page.cleanButton()));
        page.cleanButtonAction();
        QVERIFY(page.isCanClick());
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge"), "visits"), 0);
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge"), "downloads"), 2);
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge Beta"), "visits"), 5);
        QVERIFY(!QFileInfo::exists(QString::fromStdString(home.path("~/Library/Application Support/Microsoft Edge/Default/Sessions"))));
        QCOMPARE(node.chrArr[0]->size, std::string("0 项"));
        QCOMPARE(node.chrArr[1]->size, std::string("2项"));
        for (const auto& each : page.browsers()) {
            QCOMPARE(each->isSelect, BrowerObj::kUnselected);
            for (const auto& item : each->chrArr) QCOMPARE(item->isSelect, BrowerObj::kUnselected);
        }
        QVERIFY(!usable(page.cleanButton()));
    }

    // Only the running browsers of the ticked nodes are asked to quit, by browser key; "取消"
    // signals nothing; a browser that does not quit keeps its node uncleaned.
    void closesOnlyTheBrowsersOfTheTickedNodes() {
        // The processes are real: they are identified under the real /proc.
        MacHomeFixture home([](platform::Environment::Values& values) { values.procRoot = "/proc"; });
        installEdges(home);
        Child edge(false), beta(false), micro(false);
        auto applications = std::make_shared<ListedApplications>();
        applications->set({{"Microsoft Edge", edge.pid, 0, "", "", ""},
                           {"Microsoft Edge Beta", beta.pid, 0, "", "", ""},
                           {"Micro", micro.pid, 0, "", "", ""}});
        ScopedApplications running(applications);
        InternetViewController page(core::Executors::inlineExecutors());
        page.setBrowserQuitTimeout(std::chrono::milliseconds(2000));

        whenModal([&] { page.closeBroWC()->cancelButtonAction(); });
        page.checkOpenBrower();
        QVERIFY(page.loadBgView()->isVisibleTo(&page));
        QCOMPARE(page.closeBroWC()->noteLabel()->text(),
                 QStringLiteral("请关闭Microsoft Edge,Microsoft Edge Beta浏览器，重新开始！"));

        page.getBrowserArr();
        tickOnly(page, "Microsoft Edge Beta");
        whenModal([&] { page.closeBroWC()->cancelButtonAction(); });
        page.cleanButtonAction();
        QVERIFY(page.isCanClick());
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge Beta"), "visits"), 5);

        whenModal([&] {
            QVERIFY(!page.isCanClick());
            page.closeBroWC()->closeButtonAction();
        });
        page.cleanButtonAction();
        QCOMPARE(page.closeBroWC()->noteLabel()->text(), QStringLiteral("请关闭Microsoft Edge Beta浏览器，重新开始！"));
        QTRY_VERIFY(beta.ended);
        QCOMPARE(beta.endedBy.load(), SIGTERM);
        QVERIFY(!edge.ended && !micro.ended);
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge Beta"), "visits"), 0);
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge"), "visits"), 5);

        // Edge ignores the request: its node is passed over, and the page says so.
        Child stubborn(true);
        applications->set({{"Microsoft Edge", stubborn.pid, 0, "", "", ""}});
        page.setBrowserQuitTimeout(std::chrono::milliseconds(300));
        tickOnly(page, "Microsoft Edge");
        whenModal([&] { page.closeBroWC()->closeButtonAction(); });
        QString notice;
        whenNoticeShows(page, [&](ui::CloseBrowerWindowController& shown) {
            notice = shown.noteLabel()->text();
            shown.closeButtonAction();
        });
        page.cleanButtonAction();
        QVERIFY(!stubborn.ended);
        QCOMPARE(notice, QStringLiteral("以下浏览器没有退出，未清理：\n    Microsoft Edge - Default\n"
                                        "它们的勾选已保留，请关闭浏览器后再清理。"));
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge"), "visits"), 5);
        QCOMPARE(page.browsers()[size_t(nodeIndex(page, "Microsoft Edge"))]->isSelect, BrowerObj::kSelected);
        QVERIFY(page.isCanClick());
    }

    // A profile that a browser holds (a live lock) is passed over: the notice names it with its
    // reason in the close question's look, its ticks and figures stay; the rest is cleaned.
    void aProfileInUseIsNamedAndKeepsItsTicks() {
        MacHomeFixture home;
        installEdges(home);
        char host[256] = {};
        gethostname(host, sizeof host - 1);
        home.link("~/Library/Application Support/Microsoft Edge/SingletonLock",
                  std::string(host) + "-" + std::to_string(getpid()));
        ScopedApplications none(std::make_shared<ListedApplications>());
        InternetViewController page(core::Executors::inlineExecutors());
        page.checkOpenBrower();
        const BrowerObj& edge = *page.browsers()[size_t(nodeIndex(page, "Microsoft Edge"))];
        const BrowerObj& beta = *page.browsers()[size_t(nodeIndex(page, "Microsoft Edge Beta"))];
        const std::string historySize = edge.chrArr[0]->size;
        tickOnly(page, "Microsoft Edge");
        page.selectBrower(page.leftTableView(), nodeIndex(page, "Microsoft Edge Beta"));
        QString title, notice;
        bool onlyOneButton = false;
        whenNoticeShows(page, [&](ui::CloseBrowerWindowController& shown) {
            title = shown.titleLabel()->text();
            notice = shown.noteLabel()->text();
            onlyOneButton = !shown.cancelButton() && shown.closeButton()->label()->text() == QStringLiteral("好");
            QTest::keyClick(shown.window(), Qt::Key_Return);
        });
        page.cleanButtonAction();
        QCOMPARE(title, QStringLiteral("部分浏览器未清理"));
        QCOMPARE(notice, QStringLiteral("以下浏览器的配置文件正在使用，未清理：\n    Microsoft Edge - Default\n"
                                        "它们的勾选已保留，请关闭浏览器后再清理。"));
        QVERIFY(onlyOneButton);
        QVERIFY(!page.passedOverWC()->window()->isVisible());
        QCOMPARE(edge.isSelect, BrowerObj::kSelected);
        for (const auto& item : edge.chrArr) QCOMPARE(item->isSelect, BrowerObj::kSelected);
        QCOMPARE(edge.chrArr[0]->size, historySize);
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge"), "visits"), 5);
        QCOMPARE(beta.isSelect, BrowerObj::kUnselected);
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge Beta"), "visits"), 0);
        QVERIFY(page.isCanClick());
        QVERIFY(usable(page.cleanButton()));
    }

    // Browsers passed over for the same reason stand together, in the list's order.
    void theNoticeGroupsTheBrowsersByReason() {
        using Reason = core::browser::PassedOverNode::Reason;
        QCOMPARE(InternetViewController::passedOverText({{"Google Chrome - Work", Reason::ProfileInUse},
                                                         {"Firefox.app", Reason::StillRunning},
                                                         {"Google Chrome - Personal", Reason::ProfileInUse}}),
                 QStringLiteral("以下浏览器没有退出，未清理：\n    Firefox\n"
                                "以下浏览器的配置文件正在使用，未清理：\n    Google Chrome - Work\n    Google Chrome - Personal\n"
                                "它们的勾选已保留，请关闭浏览器后再清理。"));
    }

    // The running applications are listed off the main thread: while the list never comes, the
    // event loop keeps turning (a generous bound: waiting for the list would hold it for the
    // gate's ten seconds) and the page is busy; once it comes, the clean goes on.
    void cleaningWithABlockedApplicationListKeepsTheLoopTurning() {
        MacHomeFixture home;
        installEdges(home);
        auto gate = std::make_shared<testsupport::ServiceGate>();
        ScopedApplications blocked(std::make_shared<testsupport::HangingRunningApplications>(gate));
        InternetViewController page;
        gate->open();
        page.checkOpenBrower();
        QTRY_VERIFY(page.detailBGView()->isVisibleTo(&page));
        tickOnly(page, "Microsoft Edge");

        gate->close();
        testsupport::StallMeter meter;
        meter.start();
        page.cleanButtonAction();
        QTRY_VERIFY(gate->calls() > 1);
        QTest::qWait(100);
        QVERIFY2(meter.longestMilliseconds() < 1000, qPrintable(QString::number(meter.longestMilliseconds())));
        QVERIFY(!page.isCanClick());
        QVERIFY(page.loadAnView()->isVisibleTo(&page));
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge"), "visits"), 5);

        gate->open();
        QTRY_VERIFY(page.isCanClick());
        QVERIFY(page.detailBGView()->isVisibleTo(&page));
        QCOMPARE(rowsIn(historyOf(home, "Microsoft Edge"), "visits"), 0);
    }

    // Nothing installed: empty tables, no name, nothing to clean.
    void showsEmptyTablesWithoutBrowsers() {
        MacHomeFixture home;
        ScopedApplications none(std::make_shared<ListedApplications>());
        InternetViewController page(core::Executors::inlineExecutors());
        page.checkOpenBrower();
        QVERIFY(page.detailBGView()->isVisibleTo(&page));
        QCOMPARE(page.leftTableView()->model()->rowCount(), 0);
        QCOMPARE(page.rightTableView()->model()->rowCount(), 0);
        QVERIFY(page.nameLabel()->text().isEmpty());
        QVERIFY(!usable(page.cleanButton()));
        page.cleanButtonAction();
        QVERIFY(page.isCanClick());
        page.backHomeButtonAction();
        QVERIFY(page.loadBgView()->isVisibleTo(&page));
    }

    // The browser list's scroller floats over the rows from just below the header.
    void theOverlayScrollerLiesBelowTheHeaderOverFullWidthRows() {
        MacHomeFixture home;
        ScopedApplications none(std::make_shared<ListedApplications>());
        InternetViewController page(core::Executors::inlineExecutors());
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        ui::RFOverlayScrollView* view = page.subBroScrollView();
        QCOMPARE(view->headerOffset(), 26);
        const QRect scroller = view->verticalScroller()->geometry();
        QCOMPARE(scroller.top(), 26);
        QCOMPARE(scroller.bottom(), view->height() - 1);
        QCOMPARE(scroller.right(), view->width() - 1);
        QCOMPARE(page.leftTableView()->geometry(), view->rect());
        QVERIFY(!page.leftTableView()->verticalScrollBar()->isVisible());
        QCOMPARE(page.leftTableView()->viewport()->width(), view->width() - 2 * page.leftTableView()->frameWidth());

        ui::RFOverlayScrollView plain;
        plain.resize(200, 300);
        plain.setDocumentView(new QAbstractScrollArea);
        QCOMPARE(plain.headerOffset(), 0);
        QCOMPARE(plain.verticalScroller()->geometry(), QRect(200 - ui::RFOverlayScroller::kWidth, 0, ui::RFOverlayScroller::kWidth, 300));
    }
};

QTEST_MAIN(BrowserPageTest)
#include "tst_browser_page.moc"
