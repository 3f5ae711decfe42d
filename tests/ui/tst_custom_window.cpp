#include "support/MemoryUserDefaults.h"
#include "support/PointerEvents.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/windows/KxTitlebarContainer.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/CustomWindowDelegate.h"
#include "ui/kit/windows/Sheets.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

constexpr QPoint kWindowPosition(100, 80);

std::unique_ptr<ui::TCImageWindow> shownWindow(QSize contentSize = QSize(400, 300)) {
    auto window = std::make_unique<ui::TCImageWindow>(contentSize);
    window->move(kWindowPosition);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
    return window;
}

QAbstractButton* light(const ui::TCImageWindow& window, ui::NSWindowButton kind) {
    return window.standardWindowButton(kind);
}

// Presses the left button at a point of the widget, moves by the offset and lets go.
void drag(QWidget* widget, QPoint from, QPoint offset) {
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, from + offset);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, from + offset);
}

// As a mouse reports a double-click: press, release, the second press as a double-click, release.
void doubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

class ClosingRefused : public ui::CustomWindowDelegate {
public:
    bool windowShouldClose(ui::TCImageWindow*) override {
        ++asked;
        return false;
    }
    int asked = 0;
};

}  // namespace

class CustomWindowTest : public QObject {
    Q_OBJECT
private:
    std::shared_ptr<testsupport::MemoryUserDefaults> defaults;

private slots:
    void init() {
        defaults = std::make_shared<testsupport::MemoryUserDefaults>();
        platform::UserDefaults::setShared(defaults);
    }
    void cleanup() { platform::UserDefaults::setShared(nullptr); }

    void aNewWindowHasTheStandardBarAboveItsContent() {
        ui::TCImageWindow window(QSize(400, 300));
        QCOMPARE(window.size(), QSize(400, 322));
        QCOMPARE(window.titleBarHeight(), 22.0);
        QCOMPARE(window.titleBarContainer()->geometry(), QRect(0, 0, 400, 22));
        QCOMPARE(window.titleBarView()->geometry(), QRect(0, 0, 400, 22));
        QCOMPARE(window.contentView()->geometry(), QRect(0, 22, 400, 300));
        QVERIFY(!window.standardWindowButton(ui::NSWindowFullScreenButton));
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    }

    void theLightsSitInARowCentredInTheBar() {
        ui::TCImageWindow window(QSize(400, 300));
        QCOMPARE(light(window, ui::NSWindowCloseButton)->geometry(), QRect(7, 3, 14, 16));
        QCOMPARE(light(window, ui::NSWindowMiniaturizeButton)->geometry(), QRect(27, 3, 14, 16));
        QCOMPARE(light(window, ui::NSWindowZoomButton)->geometry(), QRect(47, 3, 14, 16));
    }

    void aBarOfTwentyWithTheMoveUpOffsetPutsTheLightsThreePointsLower() {
        ui::TCImageWindow window(QSize(400, 300));
        window.setTitleBarHeight(20);
        const int centred = light(window, ui::NSWindowCloseButton)->y();
        QCOMPARE(centred, 2);
        window.setTopButtonMoveUp(-3);
        QCOMPARE(light(window, ui::NSWindowCloseButton)->y(), centred);  // stored only
        window.setTitleBarHeight(30);
        window.setTitleBarHeight(20);
        for (auto kind : {ui::NSWindowCloseButton, ui::NSWindowMiniaturizeButton, ui::NSWindowZoomButton})
            QCOMPARE(light(window, kind)->y(), centred + 3);
        QCOMPARE(window.contentView()->geometry(), QRect(0, 20, 400, 302));
    }

    void lightsNotCentredKeepTheirTopMargin() {
        ui::TCImageWindow window(QSize(400, 300));
        window.setTitleBarHeight(40);
        window.setCenterTrafficLightButtons(false);
        QCOMPARE(light(window, ui::NSWindowCloseButton)->y(), 3);
        window.setTrafficLightButtonsLeftMargin(13);
        window.setTrafficLightSeparation(10);
        QCOMPARE(light(window, ui::NSWindowCloseButton)->x(), 13);
        QCOMPARE(light(window, ui::NSWindowZoomButton)->x(), 13 + 2 * (14 + 10));
    }

    void theVerticalLayoutStacksCloseOnTop() {
        ui::TCImageWindow window(QSize(400, 300));
        window.setTitleBarHeight(80);
        window.setTopButtonMoveUp(-3);
        window.setVerticalTrafficLightButtons(true);
        const QRect close = light(window, ui::NSWindowCloseButton)->geometry();
        const QRect minimise = light(window, ui::NSWindowMiniaturizeButton)->geometry();
        const QRect zoom = light(window, ui::NSWindowZoomButton)->geometry();
        for (const QRect& frame : {close, minimise, zoom}) QCOMPARE(frame.x(), 7);
        // 3 × 16 + 2 × 4 = 56 points, centred in 80: 12 from the top; the offset does not apply.
        QCOMPARE(close.y(), 12);
        QCOMPARE(minimise.y(), close.y() + 16 + 4);
        QCOMPARE(zoom.y(), minimise.y() + 16 + 4);
    }

    void settingTheSameHeightLaysNothingOutAndANewOneIsWhatFullScreenRestores() {
        auto window = shownWindow();
        QVERIFY(window);
        QAbstractButton* close = light(*window, ui::NSWindowCloseButton);
        close->move(200, 200);
        window->setTitleBarHeight(22);
        QCOMPARE(close->pos(), QPoint(200, 200));
        window->setTitleBarHeight(30);
        QCOMPARE(close->pos(), QPoint(7, 7));
        QCOMPARE(window->cachedTitleBarHeight(), 30.0);

        window->setHideTitleBarInFullScreen(true);
        window->showFullScreen();
        QTRY_VERIFY(window->isFullScreen());
        QCOMPARE(window->titleBarHeight(), 0.0);
        QVERIFY(window->titleBarView()->isHidden());
        QCOMPARE(window->contentView()->geometry(), window->rect());
        window->showNormal();
        QTRY_VERIFY(!window->isFullScreen());
        QCOMPARE(window->titleBarHeight(), 30.0);
        QVERIFY(!window->titleBarView()->isHidden());
    }

    void withoutTheHideFlagFullScreenKeepsTheBar() {
        auto window = shownWindow();
        QVERIFY(window);
        window->showFullScreen();
        QTRY_VERIFY(window->isFullScreen());
        QCOMPARE(window->titleBarHeight(), 22.0);
        QVERIFY(window->titleBarView()->isVisible());
    }

    void aReplacedContentViewEndsWhereTheBarBegins() {
        ui::TCImageWindow window(QSize(400, 300));
        QPointer<QWidget> old = window.contentView();
        auto* view = new QLabel("content");
        window.setContentView(view);
        QVERIFY(!old);
        QCOMPARE(window.contentView(), view);
        QCOMPARE(view->parentWidget(), &window);
        QCOMPARE(view->geometry(), QRect(0, 22, 400, 300));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(500, 400);
        QCOMPARE(view->geometry(), QRect(0, 22, 500, 378));
    }

    void aReplacedBarViewFillsTheBarAndFollowsItsHeight() {
        ui::TCImageWindow window(QSize(400, 300));
        QPointer<QWidget> old = window.titleBarView();
        window.setTitleBarView(nullptr);
        QCOMPARE(window.titleBarView(), old.data());
        auto* bar = new QWidget;
        window.setTitleBarView(bar);
        QVERIFY(!old);
        QCOMPARE(bar->parentWidget(), window.titleBarContainer());
        window.setTitleBarHeight(40);
        QCOMPARE(bar->geometry(), QRect(0, 0, 400, 40));
    }

    void theBarIsFlatNearWhiteWithRoundedTopCorners() {
        ui::TCImageWindow window(QSize(400, 300));
        QImage bar(window.titleBarView()->size(), QImage::Format_ARGB32_Premultiplied);
        bar.fill(Qt::transparent);
        window.titleBarView()->render(&bar, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(bar.pixelColor(200, 11), getColor(254, 253, 255, 1));
        QCOMPARE(bar.pixelColor(200, 0), bar.pixelColor(200, 21));
        QVERIFY(bar.pixelColor(0, 0).alpha() < 255);
        QCOMPARE(bar.pixelColor(0, 21).alpha(), 255);  // the bottom corners are square
    }

    void whatTheBarsSubviewsDrawKeepsToTheRoundedCorners() {
        auto window = shownWindow();
        QVERIFY(window);
        auto* red = new QWidget(window->titleBarView());
        red->setGeometry(window->titleBarView()->rect());
        red->setAutoFillBackground(true);
        red->setPalette(QPalette(Qt::red));
        red->show();
        const QImage picture = window->grab().toImage();
        QCOMPARE(picture.pixelColor(200, 11), QColor(Qt::red));
        QVERIFY(picture.pixelColor(0, 0) != QColor(Qt::red));
        QVERIFY(picture.pixelColor(399, 0) != QColor(Qt::red));
        QCOMPARE(picture.pixelColor(0, 21), QColor(Qt::red));
    }

    void theTitleShowsOnlyWhenAskedAndADrawingBlockReplacesTheBar() {
        ui::TCImageWindow window(QSize(400, 300));
        window.setWindowTitle("WWWWWW");
        window.setTitleTextColor(Qt::black);
        window.setInactiveTitleTextColor(Qt::black);
        auto darkPixelsInTheMiddle = [&window] {
            const QImage bar = window.titleBarView()->grab().toImage();
            int dark = 0;
            for (int x = 150; x < 250; ++x)
                for (int y = 0; y < bar.height(); ++y) dark += qGray(bar.pixel(x, y)) < 128;
            return dark;
        };
        QCOMPARE(darkPixelsInTheMiddle(), 0);
        window.setShowsTitle(true);
        QVERIFY(darkPixelsInTheMiddle() > 0);

        QRectF drawnFrame;
        window.setTitleBarDrawingBlock([&](QPainter& painter, bool, const QRectF& frame, const QPainterPath& path) {
            drawnFrame = frame;
            painter.fillPath(path, Qt::blue);
        });
        const QImage bar = window.titleBarView()->grab().toImage();
        QCOMPARE(drawnFrame, QRectF(0, 0, 400, 22));
        QCOMPARE(bar.pixelColor(200, 11), QColor(Qt::blue));
    }

    void withoutACompositorTheCornersAreCutByAMask() {
        auto window = shownWindow();
        QVERIFY(window);
        const QRegion mask = window->mask();
        QVERIFY(!mask.contains(QPoint(0, 0)));
        QVERIFY(!mask.contains(QPoint(399, 1)));
        QVERIFY(mask.contains(QPoint(16, 0)));
        QVERIFY(mask.contains(QPoint(0, 321)));
        QVERIFY(mask.contains(QPoint(399, 321)));
        window->showFullScreen();
        QTRY_VERIFY(window->isFullScreen());
        QVERIFY(window->mask().isEmpty());
    }

    void theLightsCloseMinimiseAndZoomAWindowThatMayResize() {
        auto window = shownWindow();
        QVERIFY(window);
        QVERIFY(light(*window, ui::NSWindowZoomButton)->isEnabled());
        light(*window, ui::NSWindowZoomButton)->click();
        QTRY_VERIFY(window->isMaximized());
        light(*window, ui::NSWindowZoomButton)->click();
        QTRY_VERIFY(!window->isMaximized());
        light(*window, ui::NSWindowMiniaturizeButton)->click();
        QTRY_VERIFY(window->isMinimized());
        window->showNormal();
        light(*window, ui::NSWindowCloseButton)->click();
        QVERIFY(!window->isVisible());

        window->setFixedSize(window->size());
        window->show();
        QTRY_VERIFY(!light(*window, ui::NSWindowZoomButton)->isEnabled());
    }

    void thePointerOverOneLightShowsTheGlyphsOfAllThree() {
        ui::TCImageWindow window(QSize(400, 300));
        auto rollovers = [&window] {
            int shown = 0;
            for (auto kind : {ui::NSWindowCloseButton, ui::NSWindowMiniaturizeButton, ui::NSWindowZoomButton})
                shown += static_cast<ui::TrafficLightButton*>(light(window, kind))->showsRollover();
            return shown;
        };
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(light(window, ui::NSWindowMiniaturizeButton), &enter);
        QCOMPARE(rollovers(), 3);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(light(window, ui::NSWindowMiniaturizeButton), &leave);
        QCOMPARE(rollovers(), 0);
    }

    // Closed by its close light, the window sees no leave: it drops the glyphs itself, so they are
    // not drawn when it is shown again with the pointer elsewhere.
    void aHiddenWindowsLightsLoseTheirGlyphs() {
        auto window = shownWindow();
        QAbstractButton* close = light(*window, ui::NSWindowCloseButton);
        testsupport::sendEnter(close);
        QVERIFY(static_cast<ui::TrafficLightButton*>(close)->showsRollover());
        close->click();
        QVERIFY(!window->isVisible());
        window->show();
        for (auto kind : {ui::NSWindowCloseButton, ui::NSWindowMiniaturizeButton, ui::NSWindowZoomButton})
            QVERIFY(!static_cast<ui::TrafficLightButton*>(light(*window, kind))->showsRollover());
    }

    // No window manager draws a frame or a shadow for these windows: a dialog draws a thin border
    // round its outline and a shadow below and to the right, in room around it; the views keep
    // their places inside the outline. The main window draws neither.
    void aDialogDrawsItsBorderAndShadowAroundItsOutline() {
        ui::TCImageWindow window(QSize(200, 100));
        window.setBackgroundColor(Qt::white);
        QCOMPARE(window.outlineRect(), window.rect());
        window.setDrawsShadow(true);
        const QRect outline = window.outlineRect();
        QCOMPARE(outline.size(), QSize(200, 122));
        QVERIFY(window.rect().contains(outline) && window.rect() != outline);
        QCOMPARE(window.titleBarContainer()->geometry(), QRect(outline.topLeft(), QSize(200, 22)));
        QCOMPARE(window.contentView()->geometry(), QRect(outline.left(), outline.top() + 22, 200, 100));

        const QImage picture = window.grab().toImage();
        const int middle = outline.center().y();
        QCOMPARE(picture.pixelColor(outline.left() + 4, middle), QColor(Qt::white));
        QVERIFY(qGray(picture.pixel(outline.left() - 1, middle)) < 220);
        QVERIFY(qGray(picture.pixel(outline.right() + 1, middle)) < 220);
        QVERIFY(qGray(picture.pixel(outline.right() + 2, middle)) < 240);
        QVERIFY(qGray(picture.pixel(outline.center().x(), outline.bottom() + 2)) < 240);
    }

    // A window is centred on the main window wherever that was moved, and on its screen while
    // the main window is not shown.
    void aWindowIsCentredOnTheMainWindowWhileThatIsShown() {
        ui::TCImageWindow main(QSize(600, 400));
        ui::TCImageWindow::setMainWindow(&main);
        const auto forget = qScopeGuard([] { ui::TCImageWindow::setMainWindow(nullptr); });
        main.move(40, 60);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        ui::TCImageWindow dialog(QSize(200, 100));
        dialog.setDrawsShadow(true);
        const auto centreOf = [](const ui::TCImageWindow& window) {
            return QRectF(window.outlineRect().translated(window.pos())).center();
        };
        dialog.center();
        QCOMPARE(centreOf(dialog), centreOf(main));

        main.hide();
        dialog.center();
        QCOMPARE(centreOf(dialog).x(), QRectF(dialog.screen()->availableGeometry()).center().x());
    }

    void aDisabledLightIsGrey() {
        ui::TCImageWindow window(QSize(400, 300));
        window.setFixedSize(window.size());
        window.setTitleBarHeight(30);
        const QImage zoom = light(window, ui::NSWindowZoomButton)->grab().toImage();
        const QColor middle = zoom.pixelColor(7, 8);
        QCOMPARE(middle.red(), middle.green());
        QCOMPARE(middle.green(), middle.blue());
    }

    void aDelegateMayKeepTheWindowOpenAndAbsentAnswersAreDefaults() {
        auto window = shownWindow();
        QVERIFY(window);
        ClosingRefused delegate;
        window->setDelegate(&delegate);
        QCOMPARE(window->delegate(), &delegate);
        light(*window, ui::NSWindowCloseButton)->click();
        QCOMPARE(delegate.asked, 1);
        QVERIFY(window->isVisible());
        window->setDelegate(nullptr);
        QVERIFY(window->close());
    }

    void aReplacementButtonTakesTheStandardOnesPlaceAndAction() {
        auto window = shownWindow();
        QVERIFY(window);
        auto* close = new QPushButton;
        close->resize(14, 16);
        window->setCloseButton(close);
        QCOMPARE(close->geometry(), QRect(7, 3, 14, 16));
        window->setTitleBarHeight(30);
        QVERIFY(light(*window, ui::NSWindowCloseButton)->isHidden());
        QCOMPARE(close->geometry(), QRect(7, 7, 14, 16));
        QPointer<QPushButton> replaced(close);
        window->setCloseButton(nullptr);
        QVERIFY(!replaced);

        auto* fullScreen = new QPushButton;
        fullScreen->setGeometry(370, 0, 16, 16);
        window->setFullScreenButton(fullScreen);
        window->setTitleBarHeight(32);
        window->setTitleBarHeight(30);
        QVERIFY(light(*window, ui::NSWindowCloseButton)->isVisible());
        QCOMPARE(window->fullScreenButtonRightMargin(), 400.0 - 386);
        QCOMPARE(fullScreen->geometry(), QRect(370, 3, 16, 16));
        fullScreen->click();
        QTRY_VERIFY(window->isFullScreen());
    }

    void draggingTheBarOrTheBackgroundMovesTheWindow() {
        auto window = shownWindow();
        QVERIFY(window);
        drag(window->titleBarView(), QPoint(200, 10), QPoint(30, 20));
        QCOMPARE(window->pos(), kWindowPosition + QPoint(30, 20));
        auto* label = new QLabel("background", window->contentView());
        label->setGeometry(10, 10, 100, 20);
        label->show();
        drag(label, QPoint(5, 5), QPoint(-10, 40));
        QCOMPARE(window->pos(), kWindowPosition + QPoint(20, 60));
    }

    void aButtonKeepsItsPressAndTheWindowStays() {
        auto window = shownWindow();
        QVERIFY(window);
        auto* button = new QPushButton("OK", window->contentView());
        button->setGeometry(10, 10, 80, 24);
        button->show();
        drag(button, QPoint(5, 5), QPoint(30, 30));
        QCOMPARE(window->pos(), kWindowPosition);
    }

    void inFullScreenDraggingDoesNothing() {
        auto window = shownWindow();
        QVERIFY(window);
        window->showFullScreen();
        QTRY_VERIFY(window->isFullScreen());
        const QPoint before = window->pos();
        drag(window->titleBarView(), QPoint(200, 10), QPoint(30, 20));
        QCOMPARE(window->pos(), before);
    }

    void aDoubleClickOnTheBarMiniaturisesOnlyWhenTheUserDefaultSaysSo() {
        auto window = shownWindow();
        QVERIFY(window);
        doubleClick(window->titleBarView(), QPoint(200, 10));
        QVERIFY(!window->isMinimized());
        QVERIFY(!window->isMaximized());
        defaults->setObject("AppleMiniaturizeOnDoubleClick", platform::PlistValue(false));
        doubleClick(window->titleBarView(), QPoint(200, 10));
        QVERIFY(!window->isMinimized());
        QTest::mouseClick(window->titleBarView(), Qt::LeftButton, {}, QPoint(200, 10));
        defaults->setObject("AppleMiniaturizeOnDoubleClick", platform::PlistValue(true));
        QTest::mouseClick(window->titleBarView(), Qt::LeftButton, {}, QPoint(200, 10));
        QVERIFY(!window->isMinimized());  // single clicks
        doubleClick(window->titleBarView(), QPoint(200, 10));
        QTRY_VERIFY(window->isMinimized());
    }

    void aSheetHangsFromTheBarsLowerEdgeCentredOnTheWindow() {
        auto window = shownWindow();
        QVERIFY(window);
        window->setTitleBarHeight(24);
        auto* sheet = new QDialog;
        sheet->resize(200, 100);
        int result = -1;
        ui::beginSheet(sheet, window.get(), [&result](int code) { result = code; });
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->windowModality(), Qt::WindowModal);
        QCOMPARE(sheet->parentWidget(), window.get());
        QCOMPARE(sheet->pos(), kWindowPosition + QPoint(100, 24));
        QCOMPARE(sheet->size(), QSize(200, 100));
        sheet->accept();
        QCOMPARE(result, int(QDialog::Accepted));
    }

    void aModalWindowIsNotMovedAndRunsUntilStoppedOrClosed() {
        auto owner = shownWindow();
        QVERIFY(owner);
        ui::TCImageWindow dialog(QSize(200, 100));
        dialog.move(300, 250);
        bool wasModal = false;
        QTimer::singleShot(0, [&] {
            wasModal = QApplication::activeModalWidget() == &dialog;
            ui::stopModal();
        });
        ui::runModal(&dialog);
        QVERIFY(wasModal);
        QCOMPARE(dialog.pos(), QPoint(300, 250));
        QVERIFY(dialog.isVisible());
        QVERIFY(!QApplication::activeModalWidget());

        QTimer::singleShot(0, [&] { dialog.close(); });
        ui::runModal(&dialog);
        QVERIFY(!dialog.isVisible());
        ui::stopModal();  // no loop runs: nothing happens
    }

    void modalLoopsNest() {
        ui::TCImageWindow outer(QSize(200, 100));
        ui::TCImageWindow inner(QSize(100, 50));
        std::vector<std::string> order;
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] {
                order.push_back("stop inner");
                ui::stopModal();
            });
            ui::runModal(&inner);
            order.push_back("inner returned");
            ui::stopModal();
        });
        ui::runModal(&outer);
        order.push_back("outer returned");
        QCOMPARE(order, (std::vector<std::string>{"stop inner", "inner returned", "outer returned"}));
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    CustomWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_custom_window.moc"
