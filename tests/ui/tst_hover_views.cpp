#include "support/LogCapture.h"
#include "support/PointerEvents.h"
#include "ui/kit/controls/BaseWbgView.h"
#include "ui/kit/controls/SortSelectBgView.h"
#include "ui/kit/controls/StatusBgView.h"

#include <QCursor>
#include <QtTest>

namespace {

using testsupport::sendEnter;
using testsupport::sendLeave;

QColor pixel(QWidget* widget, int x, int y) { return widget->grab().toImage().pixelColor(x, y); }

struct Owner : ui::SortSelectBgViewDelegate, ui::BaseWbgViewDelegate, ui::StatusBgViewDelegate {
    QList<ui::SortSelectBgView*> chosen;
    QList<bool> exits;
    int outs = 0;

    void selectSortType(ui::SortSelectBgView* row) override { chosen << row; }
    void dropMouseEixtView(bool exited) override { exits << exited; }
    void mouseOutView() override { ++outs; }
};

}  // namespace

class HoverViewsTest : public QObject {
    Q_OBJECT
private slots:
    void rowTurnsBlueUnderThePointerOnly() {
        QWidget list;
        list.setStyleSheet("background: white");
        auto* row = new ui::SortSelectBgView(&list);
        row->setGeometry(0, 0, 100, 24);
        list.resize(100, 24);
        QVERIFY(!row->isMouseIn());

        sendEnter(row);
        QVERIFY(row->isMouseIn());
        QCOMPARE(pixel(row, 50, 12), QColor(10, 132, 255));
        sendLeave(row);
        QVERIFY(!row->isMouseIn());
        QVERIFY(pixel(row, 50, 12) != QColor(10, 132, 255));
    }

    void pressOnARowTellsTheOwnerWhichRow() {
        Owner owner;
        ui::SortSelectBgView first;
        ui::SortSelectBgView second;
        second.setObjectName("2");
        for (auto* row : {&first, &second}) row->resize(100, 24);
        QTest::mouseClick(&second, Qt::LeftButton);
        first.setDelegate(&owner);
        second.setDelegate(&owner);
        QTest::mousePress(&second, Qt::LeftButton);
        QTest::mousePress(&first, Qt::RightButton);
        QCOMPARE(owner.chosen, QList<ui::SortSelectBgView*>{&second});
        QCOMPARE(owner.chosen.first()->objectName(), QString("2"));
    }

    void darkBlockReportsEnteringAndLeaving() {
        Owner owner;
        ui::BaseWbgView block;
        block.resize(40, 40);
        sendEnter(&block);
        block.setDelegate(&owner);
        sendEnter(&block);
        sendLeave(&block);
        QCOMPARE(owner.exits, (QList<bool>{false, true}));

        QImage picture(block.size(), QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        block.render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(picture.pixelColor(0, 0).alpha(), 0);
        QVERIFY(qAbs(picture.pixelColor(20, 20).alphaF() - 0.16) < 0.01);
        QCOMPARE(picture.pixelColor(20, 20).red(), 0);
    }

    void panelGroundReportsLeavingOnlyAfterEntering() {
        testsupport::LogCapture log;
        Owner owner;
        ui::StatusBgView ground;
        ground.setDelegate(&owner);
        sendLeave(&ground);
        QCOMPARE(owner.outs, 0);
        QVERIFY(log.contains("mouseExited"));

        sendEnter(&ground);
        QVERIFY(ground.isIn());
        sendLeave(&ground);
        sendLeave(&ground);
        QCOMPARE(owner.outs, 1);
        QVERIFY(!ground.isIn());
        QCOMPARE(ground.focusPolicy(), Qt::ClickFocus);
    }

    void closingThePanelAsksWhereThePointerIs() {
        Owner owner;
        ui::StatusBgView ground;
        ground.setDelegate(&owner);
        ground.setGeometry(100, 100, 80, 60);
        ground.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ground));

        QCursor::setPos(ground.mapToGlobal(QPoint(40, 30)));
        ground.closeWindow();
        QCOMPARE(owner.outs, 0);
        QCursor::setPos(ground.mapToGlobal(QPoint(200, 200)));
        ground.closeWindow();
        QCOMPARE(owner.outs, 1);
    }
};

QTEST_MAIN(HoverViewsTest)
#include "tst_hover_views.moc"
