#include "core/kit/SettingsFile.h"
#include "support/MemoryUserDefaults.h"
#include "support/ScopedEnvironment.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/controls/LeftView.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/LeftViewCtl.h"
#include "ui/shell/TopBgView.h"

#include <QApplication>
#include <QFontInfo>
#include <QStyle>
#include <QtTest>

#include <memory>

class MainWindowTest : public QObject {
    Q_OBJECT
private:
    testsupport::ScopedEnvironment environment;
    std::unique_ptr<ui::AppDelegate> shell;

    ui::TCImageWindow* window() const { return shell->window(); }

private slots:
    void initTestCase() {
        QVERIFY(core::SettingsFile::setValue("FontRegular", "A font of an earlier version"));
        shell = std::make_unique<ui::AppDelegate>();
        shell->launch();
        QTRY_VERIFY(shell->isLaunchComplete());
        QVERIFY(QTest::qWaitForWindowExposed(window()));
    }
    void cleanupTestCase() { shell.reset(); }

    void theBarIsTwentyHighAndTheContentKeepsItsSixHundredPoints() {
        QCOMPARE(window()->size(), QSize(940, 620));
        QCOMPARE(window()->titleBarHeight(), 20.0);
        QCOMPARE(window()->contentView()->geometry(), QRect(0, 20, 940, 600));
        QCOMPARE(shell->leftViewController()->view()->geometry(), QRect(0, 0, 200, 600));
        QCOMPARE(window()->backgroundColor(), getColor(255, 255, 255, 1));
        QVERIFY(shell->mainWindowIsOpen());
    }

    void theLightsSitThreePointsBelowTheBarsMiddle() {
        // Centred, a 16-point button in a 20-point bar starts 2 points down.
        for (auto kind : {ui::NSWindowCloseButton, ui::NSWindowMiniaturizeButton, ui::NSWindowZoomButton})
            QCOMPARE(window()->standardWindowButton(kind)->y(), 2 + 3);
        QVERIFY(!window()->standardWindowButton(ui::NSWindowZoomButton)->isEnabled());
    }

    void theBarShowsTheColumnsGreyOverTheColumnAndNearWhiteBeyond() {
        auto* background = window()->titleBarView()->findChild<ui::TopBgView*>();
        QVERIFY(background);
        QCOMPARE(background->geometry(), QRect(0, -480, 940, 600));
        const QImage picture = window()->grab().toImage();
        QCOMPARE(picture.pixelColor(100, 10), getColor(244, 244, 244, 1));
        QCOMPARE(picture.pixelColor(500, 10), getColor(254, 253, 255, 1));
        QCOMPARE(picture.pixelColor(100, 30), getColor(244, 244, 244, 1));  // the column below
    }

    void toolTipsShowWithoutDelayAfterLaunch() {
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 0);
        QWidget* page = shell->leftViewController()->view();
        QCOMPARE(page->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, page), 0);
    }

    void everyLaunchStoresTheInterfaceFontNamesWithTheirWeights() {
        const std::string family = QFontInfo(ui::systemFontOfSize(13)).family().toStdString();
        QVERIFY(!family.empty());
        QCOMPARE(core::SettingsFile::valueForKey("FontLight").toString(), family + "-Light");
        QCOMPARE(core::SettingsFile::valueForKey("FontRegular").toString(), family + "-Regular");
        QCOMPARE(core::SettingsFile::valueForKey("FontBold").toString(), family + "-Bold");
    }

    // The bar's background lies over the whole bar: the presses it gets still reach the window.
    void theBarsBackgroundStillMovesAndMiniaturisesTheWindow() {
        auto defaults = std::make_shared<testsupport::MemoryUserDefaults>();
        platform::UserDefaults::setShared(defaults);
        auto* background = window()->titleBarView()->findChild<ui::TopBgView*>();
        QVERIFY(background);
        const QPoint inBar = background->mapFrom(window(), QPoint(500, 10));
        const QPoint before = window()->pos();
        QTest::mousePress(background, Qt::LeftButton, {}, inBar);
        QTest::mouseMove(background, inBar + QPoint(30, 20));
        QTest::mouseRelease(background, Qt::LeftButton, {}, inBar + QPoint(30, 20));
        QCOMPARE(window()->pos(), before + QPoint(30, 20));

        defaults->setObject("AppleMiniaturizeOnDoubleClick", platform::PlistValue(true));
        QTest::mouseClick(background, Qt::LeftButton, {}, inBar);
        QTest::mouseDClick(background, Qt::LeftButton, {}, inBar);
        QTest::mouseRelease(background, Qt::LeftButton, {}, inBar);
        QTRY_VERIFY(window()->isMinimized());
        window()->showNormal();
        platform::UserDefaults::setShared(nullptr);
    }

    void theCloseButtonClosesTheWindowAndMarksItClosed() {
        window()->standardWindowButton(ui::NSWindowCloseButton)->click();
        QVERIFY(!window()->isVisible());
        QVERIFY(!shell->mainWindowIsOpen());
        shell->applicationShouldHandleReopen(false);
        QVERIFY(window()->isVisible());
        QVERIFY(shell->mainWindowIsOpen());
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_main_window.moc"
