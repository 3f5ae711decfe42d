#include "ui/kit/looks/Colors.h"
#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/controls/NSProgressBar.h"

#include <QApplication>
#include <QImage>
#include <QtTest>

#include <limits>

class ProgressViewTest : public QObject {
    Q_OBJECT
private slots:
    void startsEmptyWithTheViewsHeight() {
        ui::EUProgressView view(QRect(24, 118, 392, 4), nullptr);
        QCOMPARE(view.progressBar()->geometry(), QRect(0, 0, 0, 4));
    }

    void barWidthFollowsThePercentage_data() {
        QTest::addColumn<float>("percentage");
        QTest::addColumn<int>("barWidth");
        QTest::newRow("empty") << 0.0f << 0;
        QTest::newRow("half") << 50.0f << 150;
        QTest::newRow("last point rounds up to full") << 99.9f << 300;
        QTest::newRow("just short of the last point") << 99.6f << 299;
        QTest::newRow("capped above 100") << 150.0f << 300;
        QTest::newRow("negative is empty") << -20.0f << 0;
        QTest::newRow("not a number is empty") << std::numeric_limits<float>::quiet_NaN() << 0;
    }
    void barWidthFollowsThePercentage() {
        QFETCH(float, percentage);
        QFETCH(int, barWidth);
        ui::EUProgressView view(QRect(0, 0, 300, 4), nullptr);
        view.changeProgressValue(percentage);
        QCOMPARE(view.progressBar()->geometry(), QRect(0, 0, barWidth, 4));
    }

    void aFullBarKeepsItsWidthWhenTheTrackWidensUntilTheNextValue() {
        ui::EUProgressView view(QRect(0, 0, 300, 4), nullptr);
        view.changeProgressValue(100);
        view.resize(400, 4);
        QCOMPARE(view.progressBar()->width(), 300);
        view.changeProgressValue(100);
        QCOMPARE(view.progressBar()->width(), 400);
    }

    void drawsTheTrackAndTheGreenGradient() {
        ui::EUProgressView view(QRect(0, 0, 200, 8), nullptr);
        view.changeProgressValue(50);
        const QImage picture = view.grab().toImage();
        QCOMPARE(picture.pixelColor(150, 4), getColor(230, 236, 241, 1).toRgb());
        const QColor left = picture.pixelColor(3, 4);
        const QColor right = picture.pixelColor(96, 4);
        QVERIFY(qAbs(left.red() - 119) <= 4 && qAbs(left.green() - 199) <= 4);
        QVERIFY(qAbs(right.red() - 58) <= 4 && qAbs(right.green() - 181) <= 4);
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ProgressViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_progress_view.moc"
