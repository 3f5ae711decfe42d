#include "ui/kit/controls/BigImage.h"

#include <QApplication>
#include <QPainter>
#include <QtTest>

// An icon of 32 × 16 pixels: red in its top half, blue below.
static QPixmap twoColourIcon(qreal ratio) {
    QImage image(QSize(32, 16) * ratio, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, image.width(), image.height() / 2, Qt::red);
    painter.fillRect(0, image.height() / 2, image.width(), image.height() / 2, Qt::blue);
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

class BigImageTest : public QObject {
    Q_OBJECT
private slots:
    void stretchesToOneHundredTwentyPoints() {
        QPixmap icon = twoColourIcon(1);
        QPixmap big = ui::get120X120BigImage(icon, 0, 0.5f);
        QCOMPARE(big.size(), QSize(120, 120));
        QCOMPARE(big.toImage().pixelColor(60, 10), QColor(Qt::red));
        QCOMPARE(icon.size(), QSize(32, 16));  // the image passed in is left as it was

        QPixmap sharp = ui::get120X120BigImage(twoColourIcon(2), 0, 0);
        QCOMPARE(sharp.size(), QSize(240, 240));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
    }
    void flipFlagTurnsItUpsideDown() {
        QPixmap flipped = ui::get120X120BigImage(twoColourIcon(1), 1, 0);
        QCOMPARE(flipped.toImage().pixelColor(60, 10), QColor(Qt::blue));
        QCOMPARE(flipped.toImage().pixelColor(60, 110), QColor(Qt::red));
    }
    void nullImageGivesNull() { QVERIFY(ui::get120X120BigImage(QPixmap(), 1, 0).isNull()); }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    BigImageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_big_image.moc"
