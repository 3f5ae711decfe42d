#include "support/ScopedEnvironment.h"
#include "ui/kit/windows/MAAttachedWindow.h"

#include <QScreen>
#include <QtTest>

using ui::MAAttachedWindow;
namespace AttachedSide = ui::AttachedSide;

namespace {

QWidget* listView(QSize size = QSize(100, 60)) {
    auto* view = new QWidget;
    view->resize(size);
    return view;
}

MAAttachedWindow* opaquePopUp() {
    return MAAttachedWindow::initWithView(listView(), QPointF(300, 300), nullptr, AttachedSide::Below, 0, 1.0);
}

struct Owner : ui::MAAttachedWindowDelegate {
    int closes = 0;
    void closeMattachedWindow() override { ++closes; }
};

// The screen point in Cocoa form (y upward from the bottom of the primary screen).
QPointF cocoaScreenPoint(const QPoint& qtPoint) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return QPointF(qtPoint.x(), screen.bottom() + 1 - qtPoint.y());
}

}  // namespace

class AttachedWindowTest : public QObject {
    Q_OBJECT
private slots:
    void noViewGivesNoWindow() {
        QWidget parent;
        const QPointF point(10, 10);
        QVERIFY(!MAAttachedWindow::initWithView(nullptr, point, &parent, AttachedSide::Below, 5, 1.0));
        QVERIFY(!MAAttachedWindow::initWithView(nullptr, point, &parent, 5.0));
        QVERIFY(!MAAttachedWindow::initWithView(nullptr, point, AttachedSide::Above, 5));
        QVERIFY(!MAAttachedWindow::initWithView(nullptr, point, 5.0));
        QVERIFY(!MAAttachedWindow::initWithView(nullptr, point, &parent));
        QVERIFY(!MAAttachedWindow::initWithView(nullptr, point, AttachedSide::Left));
        QVERIFY(!MAAttachedWindow::initWithView(nullptr, point));
    }

    void windowHoldsTheViewInsideItsMargin() {
        QWidget* view = listView();
        std::unique_ptr<MAAttachedWindow> window(
            MAAttachedWindow::initWithView(view, QPointF(300, 300), AttachedSide::Below));
        QCOMPARE(window->size(), QSize(104, 64));
        QCOMPARE(view->parentWidget(), window.get());
        QCOMPARE(view->geometry(), QRect(2, 2, 100, 60));
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(window->cornerRadius(), 6.0);
        QCOMPARE(window->viewMargin(), 2.0);
        QVERIFY(window->hasArrow());
    }

    void pointIsTakenInTheParentWindowFromItsBottomLeft() {
        QWidget parent;
        parent.setGeometry(100, 100, 400, 300);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        const QPoint parentOrigin = parent.mapToGlobal(QPoint(0, 0));

        MAAttachedWindow* window =
            MAAttachedWindow::initWithView(listView(), QPointF(272, 50), &parent, AttachedSide::Above, 0, 1.0);
        QCOMPARE(window->parentWidget(), &parent);
        QCOMPARE(window->side(), int(AttachedSide::Above));
        const QRect frame = window->geometry();
        QCOMPARE(frame.left() + frame.width() / 2, parentOrigin.x() + 272);
        QCOMPARE(frame.bottom() + 1, parentOrigin.y() + 300 - 50);
        QCOMPARE(window->windowOpacity(), 1.0);

        window->setPoint(QPointF(272, 50), AttachedSide::Below);
        QCOMPARE(window->geometry().top(), parentOrigin.y() + 300 - 50);
        // Moving to the automatic side settles on a real side, as at creation.
        window->setPoint(QPointF(272, 50), AttachedSide::Automatic);
        QVERIFY(window->side() >= AttachedSide::Left && window->side() < AttachedSide::Automatic);
    }

    void automaticSideNearTheBottomRightKeepsTheWindowOnScreen() {
        const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
        const QPointF point = cocoaScreenPoint(visible.bottomRight() - QPoint(10, 10));
        std::unique_ptr<MAAttachedWindow> window(MAAttachedWindow::initWithView(listView(), point));
        QVERIFY(visible.contains(window->geometry()));
        const int side = window->side();
        QVERIFY2(side == AttachedSide::Left || side == AttachedSide::LeftUpward || side == AttachedSide::Above ||
                     side == AttachedSide::AboveLeftward,
                 qPrintable(QString::number(side)));
        QVERIFY(qAbs(window->windowOpacity() - 0.3) < 0.01);
    }

    void newerSystemsDrawNoBorder() {
        {
            testsupport::ScopedEnvironment environment([](platform::Environment::Values& values) {
                values.systemVersion = "11.2";
            });
            std::unique_ptr<MAAttachedWindow> window(opaquePopUp());
            QCOMPARE(window->borderWidth(), 0.0);
            QCOMPARE(window->backgroundImage().pixelColor(1, 32), QColor(Qt::white));
        }
        testsupport::ScopedEnvironment environment([](platform::Environment::Values& values) {
            values.systemVersion = "10.15";
        });
        std::unique_ptr<MAAttachedWindow> window(opaquePopUp());
        QCOMPARE(window->borderWidth(), qreal(0.2));
        window->setBorderWidth(5);
        QCOMPARE(window->borderWidth(), 2.0);
        QVERIFY(window->backgroundImage().pixelColor(1, 32).red() < 100);
    }

    void settersRedrawTheBackground() {
        std::unique_ptr<MAAttachedWindow> window(MAAttachedWindow::initWithView(listView(), QPointF(300, 300), 1));
        window->setBackgroundColor(Qt::red);
        QCOMPARE(window->backgroundImage().pixelColor(52, 32), QColor(Qt::red));
        window->setBackgroundImage(QImage());
        QCOMPARE(window->windowBackgroundColor().color(), QColor(Qt::red));
        QImage tile(4, 4, QImage::Format_ARGB32);
        tile.fill(Qt::blue);
        window->setBackgroundImage(tile);
        QCOMPARE(window->backgroundImage().pixelColor(52, 32), QColor(Qt::blue));

        window->setArrowHeight(10);
        QCOMPARE(window->size(), QSize(104, 74));
        window->setViewMargin(6);
        QCOMPARE(window->size(), QSize(112, 82));
        QCOMPARE(window->findChild<QWidget*>()->geometry(), QRect(6, 16, 100, 60));
    }

    void losingActivationOnlyTellsTheDelegate() {
        Owner owner;
        std::unique_ptr<MAAttachedWindow> window(MAAttachedWindow::initWithView(listView(), QPointF(300, 300), 1));
        window->show();
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(window.get(), &deactivate);
        window->setMattachedWDelegate(&owner);
        QApplication::sendEvent(window.get(), &deactivate);
        QCOMPARE(owner.closes, 1);
        QVERIFY(window->isVisible());
    }

    void closingThePopUpClosesItsWindow() {
        QWidget parent;
        parent.show();
        MAAttachedWindow* window = MAAttachedWindow::initWithView(listView(), QPointF(20, 20), &parent, 1, 0, 1.0);
        QTest::keySequence(window, QKeySequence::Close);
        QVERIFY(!parent.isVisible());
    }
};

QTEST_MAIN(AttachedWindowTest)
#include "tst_attached_window.moc"
