#include "ui/kit/ButtonTitleColor.h"
#include "ui/kit/Colors.h"
#include "ui/kit/EUHandButton.h"
#include "ui/kit/TabBarWButton.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

namespace {

void hover(QWidget* widget) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(widget, &enter);
}

void leave(QWidget* widget) {
    QEvent leaveEvent(QEvent::Leave);
    QApplication::sendEvent(widget, &leaveEvent);
}

QColor centreColour(QWidget* widget) { return widget->grab().toImage().pixelColor(widget->width() / 2, 2); }

}  // namespace

class ButtonsTest : public QObject {
    Q_OBJECT
private slots:
    void tabButtonIgnoresClicksUntilMadeUsableThoughItHighlightsOnHover() {
        ui::TabBarWButton button;
        button.setGeometry(0, 0, 80, 24);
        button.setTextWithName("Tab");
        button.show();
        QSignalSpy clicks(&button, &QPushButton::clicked);

        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!button.isTracking());

        hover(&button);
        QVERIFY(button.isFocus());
        const QColor highlight = centreColour(&button);
        QVERIFY(highlight.green() > highlight.red() + 100 && highlight.red() > 53);
        leave(&button);
        QCOMPARE(centreColour(&button), QColor(Qt::white));

        button.setButtonEnabled(true);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(button.isEnabled());
    }

    void tabButtonKeepsOneLabel() {
        ui::TabBarWButton button;
        button.setGeometry(0, 0, 80, 30);
        button.setTextWithName("One");
        QLabel* label = button.label();
        button.setTextWithName("Two");
        QCOMPARE(button.label(), label);
        QCOMPARE(label->text(), QString("Two"));
        QCOMPARE(label->geometry(), QRect(0, 2, 80, 19));
        QCOMPARE(button.findChildren<QLabel*>().size(), 1);
    }

    void handButtonShowsThePointingHand() {
        ui::EUHandButton button;
        QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
    }

    void plainButtonTitleTakesTheColourButReportsWhite() {
        QPushButton button("Quit");
        ui::setTitleTextColor(&button, getColor(74, 186, 71, 1));
        QCOMPARE(button.palette().color(QPalette::ButtonText), getColor(74, 186, 71, 1));
        QCOMPARE(ui::titleTextColor(&button), QColor(Qt::white));
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ButtonsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_buttons.moc"
