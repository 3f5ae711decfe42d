#include "ui/kit/looks/Colors.h"
#include "ui/kit/controls/DMImageView.h"
#include "ui/kit/looks/ImageScale.h"
#include "ui/kit/controls/LeftView.h"
#include "ui/kit/controls/junkView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>

namespace {

// Records whether a click reached it.
class ClickRecorder : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

QPixmap filledPixmap(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::red);
    return pixmap;
}

}  // namespace

class BackgroundViewsTest : public QObject {
    Q_OBJECT
private slots:
    void groundsAreFlatColours() {
        ui::LeftView left;
        left.resize(200, 100);
        QCOMPARE(left.grab().toImage().pixelColor(150, 90), getColor(244, 244, 244, 1).toRgb());
        ui::junkView panel;
        panel.resize(50, 50);
        QCOMPARE(panel.grab().toImage().pixelColor(0, 0), getColor(254, 253, 255, 1).toRgb());
    }

    void imageViewSwallowsClicksAndCentresItsPicture() {
        ClickRecorder parent;
        parent.resize(100, 100);
        ui::DMImageView view(&parent);
        view.setGeometry(0, 0, 40, 40);
        view.setImage(filledPixmap(20, 10));
        parent.show();
        QTest::mouseClick(&view, Qt::LeftButton);
        QCOMPARE(parent.presses, 0);
        const QImage picture = view.grab().toImage();
        QCOMPARE(picture.pixelColor(20, 20), QColor(Qt::red));
        QVERIFY(picture.pixelColor(20, 12) != QColor(Qt::red));
    }

    void scalesProportionallyOrToTheExactSize_data() {
        QTest::addColumn<QSize>("imageSize");
        QTest::addColumn<QSizeF>("target");
        QTest::addColumn<bool>("proportionally");
        QTest::addColumn<QSize>("result");
        QTest::newRow("down, proportionally") << QSize(512, 256) << QSizeF(64, 64) << true << QSize(64, 32);
        QTest::newRow("down, exactly") << QSize(512, 256) << QSizeF(64, 64) << false << QSize(64, 64);
        QTest::newRow("up, proportionally") << QSize(16, 32) << QSizeF(30, 30) << true << QSize(15, 30);
        QTest::newRow("up, exactly") << QSize(16, 32) << QSizeF(30, 30) << false << QSize(30, 30);
    }
    void scalesProportionallyOrToTheExactSize() {
        QFETCH(QSize, imageSize);
        QFETCH(QSizeF, target);
        QFETCH(bool, proportionally);
        QFETCH(QSize, result);
        const QPixmap original = filledPixmap(imageSize.width(), imageSize.height());
        const QPixmap scaled = ui::scaleImage(original, target, proportionally);
        QCOMPARE(scaled.deviceIndependentSize().toSize(), result);
        QCOMPARE(original.size(), imageSize);
    }

    void scalingNothingGivesNothing() { QVERIFY(ui::scaleImage(QPixmap(), QSizeF(30, 30), true).isNull()); }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    BackgroundViewsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_background_views.moc"
