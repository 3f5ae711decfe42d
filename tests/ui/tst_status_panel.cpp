#include "core/readings/GetSystemInfo.h"
#include "support/FakeOutputVolume.h"
#include "support/FakeProcessRunner.h"
#include "support/HangingOutputVolume.h"
#include "support/ManualExecutors.h"
#include "support/PointerEvents.h"
#include "support/RecordingWorkspace.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedVariable.h"
#include "support/StallMeter.h"
#include "ui/kit/controls/DTextImageButton.h"
#include "ui/kit/controls/ImageButton.h"
#include "ui/kit/controls/TabBarWButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/panel/RoundedBlockView.h"
#include "ui/panel/SonderViewController.h"
#include "ui/panel/StatusBarView.h"
#include "ui/panel/StatusView.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

#include <memory>

using namespace std::chrono_literals;

namespace {

// The application's side: counts what the status item asks, and knows a start-up volume
// once `name` is set.
struct FakeApplication : ui::StatusBarViewDelegate {
    ui::StatusBarView* view = nullptr;
    QString name;
    QString freeSize;
    int infos = 0, mains = 0, freeUps = 0, optimizes = 0;

    void getSystemInfo() override {
        ++infos;
        if (name.isEmpty()) return;
        view->setSystemName(name);
        view->setSystemFreeSize(freeSize);
    }
    void showMainWindow() override { ++mains; }
    void freeUpButtonAction() override { ++freeUps; }
    void optimizeButtonAction() override { ++optimizes; }
};

const QRect kIcon(400, 0, 24, 24);  // the offscreen screen is 800 wide
const QPoint kOverIcon(412, 12);
const QPoint kElsewhere(300, 500);

}  // namespace

class StatusPanelTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testsupport::ScopedEnvironment> environment;
    std::shared_ptr<testsupport::FakeOutputVolume> output;
    std::unique_ptr<testsupport::ScopedOutputVolume> installedOutput;
    std::shared_ptr<testsupport::FakeProcessRunner> runner;
    std::unique_ptr<testsupport::ScopedProcessRunner> installedRunner;
    std::unique_ptr<testsupport::ManualExecutors> clock;
    FakeApplication application;
    std::unique_ptr<ui::StatusBarView> item;
    QPoint pointer;
    QRect icon;

    void makeItem() {
        clock = std::make_unique<testsupport::ManualExecutors>();
        item = std::make_unique<ui::StatusBarView>(clock->executors());
        item->setDelegate(&application);
        application.view = item.get();
        pointer = kOverIcon;
        icon = kIcon;
        item->setIconGeometrySource([this] { return icon; });
        item->setPointerSource([this] { return pointer; });
    }
    void movePointer(const QPoint& to) {
        pointer = to;
        item->pollPointer();
    }
    bool panelShows() const { return !item->panelIsHidden() && item->attachedWindow()->isVisible(); }

private slots:
    void init() {
        environment = std::make_unique<testsupport::ScopedEnvironment>();
        output = std::make_shared<testsupport::FakeOutputVolume>();
        installedOutput = std::make_unique<testsupport::ScopedOutputVolume>(output);
        runner = std::make_shared<testsupport::FakeProcessRunner>();
        installedRunner = std::make_unique<testsupport::ScopedProcessRunner>(runner);
        application = FakeApplication();
        makeItem();
    }
    void cleanup() {
        item.reset();
        clock.reset();
        installedRunner.reset();
        installedOutput.reset();
        environment.reset();
    }

    void clickTogglesAndEveryOpeningIsFresh() {
        item->mouseDown();
        QVERIFY(panelShows());
        QCOMPARE(application.infos, 1);
        QVERIFY(item->statusView()->timerRuns());
        QPointer<ui::StatusAttachedWindow> first = item->attachedWindow();

        item->mouseDown();
        QVERIFY(item->panelIsHidden());
        QVERIFY(!first->isVisible());
        QVERIFY(!item->statusView()->timerRuns());

        item->mouseDown();
        QVERIFY(panelShows());
        QVERIFY(first.isNull());  // one panel at a time
        QCOMPARE(application.infos, 2);
    }

    void thePanelOpensBelowTheIcon() {
        item->mouseDown();
        const QRect window = item->attachedWindow()->geometry();
        QCOMPARE(window.x() + window.width() / 2, 412);
        QVERIFY(window.top() >= kIcon.bottom() + 5);
    }

    void leavingTheIconHidesAfterOneSecond() {
        item->mouseDown();
        movePointer(kElsewhere);
        clock->advance(999ms);
        QVERIFY(panelShows());
        clock->advance(1ms);
        QVERIFY(item->panelIsHidden());
    }

    void enteringThePanelWithinASecondKeepsIt() {
        item->mouseDown();
        movePointer(kElsewhere);
        clock->advance(500ms);
        item->mouseInWindow(true);
        clock->advance(1000ms);
        QVERIFY(panelShows());
        item->mouseInWindow(false);
        clock->advance(1000ms);
        QVERIFY(item->panelIsHidden());
    }

    void losingActivationHidesOnlyWithThePointerOverNeither() {
        item->mouseDown();
        item->attachedWindow()->closeMattachedWindow();
        QVERIFY(panelShows());
        movePointer(kElsewhere);
        item->attachedWindow()->closeMattachedWindow();
        QVERIFY(item->panelIsHidden());
    }

    // Where the tray keeps the icon's place to itself, the panel opens at the pointer and the
    // icon never counts as under it.
    void withoutTheIconsPlaceThePanelOpensAtThePointer() {
        icon = QRect();
        pointer = QPoint(640, 300);
        item->mouseDown();
        const QRect window = item->attachedWindow()->geometry();
        QCOMPARE(window.x() + window.width() / 2, 640);
        item->attachedWindow()->closeMattachedWindow();
        QVERIFY(item->panelIsHidden());
        // The click on the icon that took activation from the panel only closed it.
        item->mouseDown();
        QVERIFY(item->panelIsHidden());
    }

    void aCheckForAnEarlierPanelLeavesTheNextOne() {
        icon = QRect();
        item->mouseDown();
        item->mouseInWindow(true);
        item->mouseInWindow(false);
        item->mouseDown();
        item->mouseDown();  // a fresh panel, the pointer not over it yet
        clock->advance(1000ms);
        QVERIFY(panelShows());
    }

    void aMissingReadingLeavesItsLabel() {
        runner->answer({"-g", "batt"}, "Now drawing from 'Battery Power'\n -InternalBattery-0 (id=0)\t85%; "
                                       "discharging; 3:10 remaining present: true\n");
        core::GetSystemInfo::shareInstall().setCpuB("12.5%");
        item->mouseDown();
        ui::StatusView* panel = item->statusView();
        QCOMPARE(panel->CPUVLabel->text(), QString("负载: 12.5%"));
        QCOMPARE(panel->memoryVLabel->text(), QString("压力: --"));  // no memory figures here
        QCOMPARE(panel->batteryBLabel->text(), QString("85%"));
        QCOMPARE(panel->batttyVLabel->text(), QString("剩余3小时10分"));
    }

    void theStartUpVolumeOnlyOnceKnown() {
        item->mouseDown();
        QCOMPARE(item->statusView()->SystemNameLabel->text(), QString("启动磁盘"));
        QCOMPARE(item->statusView()->tempVLabel->text(), QString("可用：--"));
        item->mouseDown();
        application.name = "Macintosh HD";
        application.freeSize = "12.30 GB";
        item->mouseDown();
        QCOMPARE(item->statusView()->SystemNameLabel->text(), QString("Macintosh HD"));
        QCOMPARE(item->statusView()->tempVLabel->text(), QString("可用：12.30 GB"));
    }

    void settingsTooltipOnlyAboveVersion1299_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("12.99") << "12.99" << "";
        QTest::newRow("13.0") << "13.0" << "系统设置";
    }
    void settingsTooltipOnlyAboveVersion1299() {
        QFETCH(QString, version);
        testsupport::ScopedEnvironment versioned(
            [&](platform::Environment::Values& values) { values.systemVersion = version.toStdString(); });
        ui::StatusView panel(item.get());
        QTEST(panel.settingBut->toolTip(), "tooltip");
    }

    void speakerShowsTheVolumeAndIsUnusableWithoutADevice() {
        output->reported = 0.005;
        ui::StatusView quiet(item.get());
        QTRY_COMPARE(quiet.sonderBut->imageName(), QString("ic_volume_disable"));
        QVERIFY(quiet.sonderBut->isEnabled());
        output->reported = 0.6;
        output->device = 0;
        ui::StatusView none(item.get());
        QTRY_VERIFY(!none.sonderBut->isEnabled());
        QVERIFY(!none.lightBut->isEnabled());  // no backlight under this /sys either
    }

    // While the sound server never answers, the panel opens, and the volume pop-up opens and
    // closes, with the main thread waiting under 300 ms (a wait for the server would hold it for
    // the gate's ten seconds); the time the thread works or waits for a processor is left out,
    // as a sanitizer or a loaded machine stretches it. The speaker keeps the last volume read.
    void thePanelOpensWhileTheSoundServerNeverAnswers() {
        output->reported = 0.005;
        item->mouseDown();
        QTRY_COMPARE(item->statusView()->sonderBut->imageName(), QString("ic_volume_disable"));
        item->mouseDown();

        auto gate = std::make_shared<testsupport::ServiceGate>();
        platform::OutputVolume::setShared(std::make_shared<testsupport::HangingOutputVolume>(gate));
        testsupport::StallMeter meter;
        meter.start();
        item->mouseDown();
        QVERIFY(panelShows());
        ui::StatusView* panel = item->statusView();
        panel->sonderButtonAction();
        panel->mouseExitForPopVC();
        QTRY_VERIFY(gate->calls() > 0);
        QTest::qWait(100);
        const testsupport::StallMeter::Gap gap = meter.longestGap();
        QVERIFY2(gap.sleeping() < 300, qPrintable(QStringLiteral("%1 ms, of which ran %2, queued %3")
                                                      .arg(gap.total)
                                                      .arg(gap.running)
                                                      .arg(gap.queued)));
        QCOMPARE(panel->sonderBut->imageName(), QString("ic_volume_disable"));
        QVERIFY(panel->sonderBut->isEnabled());
        gate->open();
        QThreadPool::globalInstance()->waitForDone();
    }

    void popUpsOpenInTheirFramesAndCloseWhenLeft() {
        item->mouseDown();
        ui::StatusView* panel = item->statusView();
        panel->sonderButtonAction();
        QCOMPARE(panel->volumBgView->geometry(), QRect(73, 96, 32, 130));
        panel->lightButtonAction();
        QCOMPARE(panel->lightBgView->geometry(), QRect(36, 96, 32, 130));
        QPointer<ui::StatusPopBgView> volume = panel->volumBgView;
        testsupport::sendLeave(volume->findChild<ui::PopBaseView*>());
        QTRY_VERIFY(volume.isNull());
        QVERIFY(panel->lightBgView.isNull());
    }

    void toolButtonsHideThePanelAndAskTheApplication() {
        item->mouseDown();
        item->statusView()->optimizeButton->click();
        QCOMPARE(application.optimizes, 1);
        QVERIFY(item->panelIsHidden());
        item->mouseDown();
        item->statusView()->freeUpButton->click();
        QCOMPARE(application.freeUps, 1);
        item->mouseDown();
        item->statusView()->openMainButton->click();
        QCOMPARE(application.mains, 1);
        QVERIFY(item->panelIsHidden());
    }

    void settingsStartsTheDesktopsSettingsProgram() {
        const std::string program = environment->folder().writeFile("bin/systemsettings", "#!/bin/sh\n");
        chmod(program.c_str(), 0755);
        testsupport::ScopedVariable path("PATH", environment->folder() / "bin");
        auto workspace = std::make_shared<testsupport::RecordingWorkspace>();
        platform::Workspace::setShared(workspace);
        item->mouseDown();
        QVERIFY(item->statusView()->settingBut->isEnabled());
        item->statusView()->settingBut->click();
        QCOMPARE(workspace->calls(), std::vector<std::string>{"launchApplication " + program});
        QVERIFY(item->panelIsHidden());
        platform::Workspace::setShared(nullptr);
    }

    void blocksAndPopUpFramesAreRoundedFills() {
        ui::StatusPopBgView frame;
        frame.resize(32, 130);
        ui::SubBlowbgView bar;
        bar.resize(100, 40);
        const QImage framePicture = frame.grab().toImage();
        const QImage barPicture = bar.grab().toImage();
        QCOMPARE(framePicture.pixelColor(16, 65), QColor(253, 253, 253));
        QCOMPARE(barPicture.pixelColor(1, 1), QColor(245, 245, 245));      // square at the top
        QVERIFY(barPicture.pixelColor(1, 38) != QColor(245, 245, 245));    // round at the bottom
    }

    // Last: it ends the event loop.
    void quitEndsTheApplicationWithStatusZero() {
        item->mouseDown();
        QTimer::singleShot(0, item->statusView()->qiutBut, &QAbstractButton::click);
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(StatusPanelTest)
#include "tst_status_panel.moc"
