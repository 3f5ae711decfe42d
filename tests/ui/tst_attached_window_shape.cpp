#include "ui/kit/windows/AttachedWindowShape.h"

#include <QtTest>

using namespace ui;
using Redo = AttachedWindowShape::Redo;

namespace {

// A 100 x 60 view with the pop-ups' own look: margin 2, corner radius 6, no arrow.
AttachedWindowShape popUpShape(int side, qreal distance = 0) {
    return AttachedWindowShape(QSizeF(100, 60), side, distance, AttachedWindowStyle());
}

// The same view with a 20-wide, 10-high arrow, 5 points from the point.
AttachedWindowShape arrowShape(int side) {
    AttachedWindowStyle style;
    style.arrowBaseWidth = 20;
    style.arrowHeight = 10;
    return AttachedWindowShape(QSizeF(100, 60), side, 5, style);
}

const QRectF kScreen(0, 0, 1280, 800);  // Cocoa form: y = 0 is the bottom

bool onScreen(const QRectF& frame) { return kScreen.contains(frame); }

}  // namespace

class AttachedWindowShapeTest : public QObject {
    Q_OBJECT
private slots:
    void everySideLaysTheWindowOutAroundThePoint_data() {
        QTest::addColumn<int>("side");
        QTest::addColumn<QRectF>("frame");
        QTest::addColumn<QPointF>("viewOrigin");
        // Window 104 x 64 plus the 10-high arrow toward the point; arrow inset 10 + 6 = 16.
        QTest::newRow("left") << 0 << QRectF(381, 368, 114, 64) << QPointF(2, 2);
        QTest::newRow("below") << 1 << QRectF(448, 321, 104, 74) << QPointF(2, 2);
        QTest::newRow("right") << 2 << QRectF(505, 368, 114, 64) << QPointF(12, 2);
        QTest::newRow("above") << 3 << QRectF(448, 405, 104, 74) << QPointF(2, 12);
        QTest::newRow("left upward") << 4 << QRectF(381, 384, 114, 64) << QPointF(2, 2);
        QTest::newRow("left downward") << 5 << QRectF(381, 352, 114, 64) << QPointF(2, 2);
        QTest::newRow("right upward") << 6 << QRectF(505, 384, 114, 64) << QPointF(12, 2);
        QTest::newRow("right downward") << 7 << QRectF(505, 352, 114, 64) << QPointF(12, 2);
        QTest::newRow("above leftward") << 8 << QRectF(412, 405, 104, 74) << QPointF(2, 12);
        QTest::newRow("above rightward") << 9 << QRectF(484, 405, 104, 74) << QPointF(2, 12);
        QTest::newRow("below leftward") << 10 << QRectF(412, 321, 104, 74) << QPointF(2, 2);
        QTest::newRow("below rightward") << 11 << QRectF(484, 321, 104, 74) << QPointF(2, 2);
    }

    void everySideLaysTheWindowOutAroundThePoint() {
        QFETCH(int, side);
        QFETCH(QRectF, frame);
        QFETCH(QPointF, viewOrigin);
        AttachedWindowShape shape = arrowShape(side);
        QCOMPARE(shape.updateGeometry(QPointF(500, 400)), frame);
        QCOMPARE(shape.viewFrame(), QRectF(viewOrigin, QSizeF(100, 60)));
    }

    void squareCornerBesideTheArrowMovesTheArrowIntoTheCorner() {
        AttachedWindowShape shape = arrowShape(AttachedSide::BelowRightward);
        QCOMPARE(shape.setDrawsRoundCornerBesideArrow(false), Redo::Redisplay);
        QCOMPARE(shape.arrowInset(), 10.0);
        QCOMPARE(shape.updateGeometry(QPointF(500, 400)).left(), 490.0);
    }

    void automaticSideNearTheBottomRightOpensLeftOrAbove() {
        const AttachedWindowShape shape = popUpShape(AttachedSide::Automatic);
        for (const QPointF point : {QPointF(1270, 10), QPointF(1274, 6), QPointF(1200, 40)}) {
            AttachedWindowShape placed = shape;
            const int side = shape.bestSide(point, kScreen, kScreen);
            QVERIFY2(side == AttachedSide::Left || side == AttachedSide::LeftUpward ||
                         side == AttachedSide::LeftDownward || side == AttachedSide::Above ||
                         side == AttachedSide::AboveLeftward,
                     qPrintable(QString::number(side)));
            placed.setSide(side);
            QVERIFY(onScreen(placed.updateGeometry(point)));
        }
    }

    void automaticSidePrefersBelowAndShiftsAwayFromEdges() {
        const AttachedWindowShape shape = popUpShape(AttachedSide::Automatic);
        QCOMPARE(shape.bestSide(QPointF(640, 400), kScreen, kScreen), int(AttachedSide::Below));
        QCOMPARE(shape.bestSide(QPointF(10, 790), kScreen, kScreen), int(AttachedSide::BelowRightward));
        QCOMPARE(shape.bestSide(QPointF(1275, 790), kScreen, kScreen), int(AttachedSide::BelowLeftward));
        QCOMPARE(shape.bestSide(QPointF(5, 30), kScreen, kScreen), int(AttachedSide::RightUpward));
        // Against the right edge of a parent window the window extends leftward.
        const QRectF parent(100, 100, 400, 300);
        QCOMPARE(shape.bestSide(QPointF(495, 300), kScreen, parent), int(AttachedSide::BelowLeftward));
    }

    void automaticSideKeepsTheWindowOnScreenWhereverThePointIs() {
        const AttachedWindowShape shape = arrowShape(AttachedSide::Automatic);
        // Points closer to an edge than the arrow inset may leave the tip's corner just outside.
        for (qreal x = 16; x <= kScreen.right() - 16; x += 37) {
            for (qreal y = 16; y <= kScreen.bottom() - 16; y += 29) {
                AttachedWindowShape placed = shape;
                placed.setSide(shape.bestSide(QPointF(x, y), kScreen, kScreen));
                const QRectF frame = placed.updateGeometry(QPointF(x, y));
                QVERIFY2(onScreen(frame), qPrintable(QString("point %1,%2 side %3").arg(x).arg(y).arg(placed.side())));
            }
        }
    }

    void borderIsNeverWiderThanTheMargin() {
        AttachedWindowShape shape = popUpShape(AttachedSide::Below);
        QCOMPARE(shape.setBorderWidth(5), Redo::Background);
        QCOMPARE(shape.borderWidth(), 2.0);
        QCOMPARE(shape.setBorderWidth(1), Redo::Background);
        QCOMPARE(shape.setBorderWidth(1), Redo::Nothing);
        QCOMPARE(shape.setBorderColor(Qt::red), Redo::Background);
        QCOMPARE(shape.setBorderColor(Qt::red), Redo::Nothing);
    }

    void arrowBaseAndCornersShareTheShorterEdge() {
        AttachedWindowShape shape = popUpShape(AttachedSide::Below);
        // Shorter edge 60 + 2 x 2 margin = 64: two radii of 6 and the base.
        QCOMPARE(shape.setArrowBaseWidth(1000), Redo::Redisplay);
        QCOMPARE(shape.arrowBaseWidth(), 52.0);
        QCOMPARE(shape.setArrowBaseWidth(52), Redo::Redisplay);
        QCOMPARE(shape.setCornerRadius(20), Redo::Redisplay);
        QCOMPARE(shape.cornerRadius(), 6.0);
        QCOMPARE(shape.setCornerRadius(6), Redo::Redisplay);
        QCOMPARE(shape.setCornerRadius(-3), Redo::Redisplay);
        QCOMPARE(shape.cornerRadius(), 0.0);

        shape.setDrawsRoundCornerBesideArrow(false);
        shape.setCornerRadius(6);
        shape.setArrowBaseWidth(1000);
        QCOMPARE(shape.arrowBaseWidth(), 58.0);
    }

    void shrinkingTheMarginShrinksTheCorners() {
        AttachedWindowShape shape = popUpShape(AttachedSide::Below);
        shape.setArrowBaseWidth(52);
        QCOMPARE(shape.setViewMargin(-1), Redo::Redisplay);
        QCOMPARE(shape.viewMargin(), 0.0);
        QCOMPARE(shape.cornerRadius(), 4.0);
        QCOMPARE(shape.arrowBaseWidth(), 52.0);
        QCOMPARE(shape.setViewMargin(0), Redo::Nothing);
        QCOMPARE(shape.setArrowHeight(0), Redo::Nothing);
        QCOMPARE(shape.setHasArrow(false), Redo::Background);
    }

    void backgroundIsARoundedRectangleAroundTheView() {
        AttachedWindowShape shape = popUpShape(AttachedSide::Below);
        const QRectF frame = shape.updateGeometry(QPointF(500, 400));
        const QImage image = shape.backgroundImage(frame.size(), 1);
        QCOMPARE(image.size(), QSize(104, 64));
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(103, 63).alpha(), 0);
        QCOMPARE(image.pixelColor(52, 32), QColor(Qt::white));
        QCOMPARE(image.pixelColor(52, 1), QColor(Qt::white));
        QCOMPARE(image.pixelColor(1, 32), QColor(Qt::white));
    }

    void borderIsStrokedInsideTheOutline() {
        AttachedWindowShape shape = popUpShape(AttachedSide::Below);
        shape.setBorderColor(Qt::black);
        shape.setBorderWidth(2);
        const QRectF frame = shape.updateGeometry(QPointF(500, 400));
        const QImage image = shape.backgroundImage(frame.size(), 1);
        QCOMPARE(image.pixelColor(1, 32), QColor(Qt::black));
        QCOMPARE(image.pixelColor(4, 32), QColor(Qt::white));
    }

    void arrowPointsAtThePointWhenItIsDrawn() {
        AttachedWindowShape shape = arrowShape(AttachedSide::Below);
        const QRectF frame = shape.updateGeometry(QPointF(500, 400));
        QCOMPARE(shape.backgroundImage(frame.size(), 1).pixelColor(52, 5), QColor(Qt::white));
        QCOMPARE(shape.backgroundImage(frame.size(), 1).pixelColor(20, 5).alpha(), 0);

        AttachedWindowShape leftward = arrowShape(AttachedSide::BelowLeftward);
        const QRectF leftwardFrame = leftward.updateGeometry(QPointF(500, 400));
        // The tip stands one arrow inset from the window's right edge, over the point.
        QCOMPARE(500 - leftwardFrame.left(), leftwardFrame.width() - leftward.arrowInset());
        QCOMPARE(leftward.backgroundImage(leftwardFrame.size(), 1).pixelColor(88, 5), QColor(Qt::white));

        shape.setHasArrow(false);
        QCOMPARE(shape.backgroundImage(frame.size(), 1).pixelColor(52, 5).alpha(), 0);
    }
};

QTEST_MAIN(AttachedWindowShapeTest)
#include "tst_attached_window_shape.moc"
