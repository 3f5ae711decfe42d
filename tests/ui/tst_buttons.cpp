#include "support/PointerEvents.h"
#include "ui/kit/controls/ButtonTitleColor.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/controls/DTextImageButton.h"
#include "ui/kit/controls/EUHandButton.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TabBarWButton.h"
#include "ui/kit/controls/TextImageButton.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

namespace {

using testsupport::sendEnter;
using testsupport::sendLeave;

QColor centreColour(QWidget* widget) { return widget->grab().toImage().pixelColor(widget->width() / 2, 2); }

// A point inside the picture's plate that no label covers.
QColor plateColour(QWidget* widget) { return widget->grab().toImage().pixelColor(3, widget->height() / 2); }

QColor labelColour(const ui::TextImageButton& button) {
    return button.label()->palette().color(button.label()->foregroundRole());
}

// The "btn_sec" plates: rest, pressed and not usable.
const QColor kRestPlate(0xFE, 0xFD, 0xFF);
const QColor kPressedPlate(0xEF, 0xF0, 0xF3);
const QColor kNotUsablePlate(0xFA, 0xFA, 0xFB);

void makeSecondaryButton(ui::TextImageButton& button, const QString& pressedName) {
    button.setGeometry(0, 0, 100, 32);
    button.setImageFromFileNormalName("btn_sec", pressedName, "btn_sec_press", "btn_sec_disable");
    button.setTextWithName("Cancel");
    button.show();
}

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

        sendEnter(&button);
        QVERIFY(button.isFocus());
        const QColor highlight = centreColour(&button);
        QVERIFY(highlight.green() > highlight.red() + 100 && highlight.red() > 53);
        sendLeave(&button);
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

    void imageButtonDrawsEachStatesPicture() {
        ui::TextImageButton button;
        makeSecondaryButton(button, "btn_sec_press");
        QCOMPARE(button.destinationRect(), QRectF(0, 0, 100, 32));
        QCOMPARE(plateColour(&button), kRestPlate);
        sendEnter(&button);
        QCOMPARE(plateColour(&button), kPressedPlate);
        sendLeave(&button);
        QTest::mousePress(&button, Qt::LeftButton);
        QVERIFY(button.isTracking());
        QCOMPARE(plateColour(&button), kPressedPlate);
        QTest::mouseRelease(&button, Qt::LeftButton);
        QVERIFY(!button.isTracking());
        QCOMPARE(plateColour(&button), kRestPlate);
    }

    void notUsableButtonDrawsItsDisablePictureDropsClicksAndStaysEnabled() {
        ui::TextImageButton button;
        makeSecondaryButton(button, "btn_sec_press");
        QSignalSpy clicks(&button, &QPushButton::clicked);
        button.setButtonEnabled(false);
        QVERIFY(!button.isDisabled());
        QVERIFY(button.isEnabled());
        QCOMPARE(plateColour(&button), kNotUsablePlate);
        QCOMPARE(labelColour(button), getColor(226, 226, 226, 1));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 0);
        sendEnter(&button);
        QVERIFY(button.isFocus());
        QCOMPARE(plateColour(&button), kNotUsablePlate);

        button.setButtonEnabled(true);
        QCOMPARE(plateColour(&button), kPressedPlate);
        QCOMPARE(labelColour(button), getColor(107, 107, 107, 1));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
    }

    void missingPressedPictureLeavesOnlyTheLabelWhilePressed() {
        QWidget window;
        window.resize(100, 32);
        ui::TextImageButton button;
        button.setParent(&window);
        makeSecondaryButton(button, "btn_sec_press_missing");
        window.show();
        const QColor ground = window.palette().color(QPalette::Window);
        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(plateColour(&window), ground);
        QVERIFY(plateColour(&window) != kRestPlate);
        QVERIFY(button.label()->isVisible());
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(plateColour(&window), kRestPlate);
    }

    void textImageButtonKeepsOneLabel() {
        ui::TextImageButton button;
        makeSecondaryButton(button, "btn_sec_press");
        button.setTextWithName("Close");
        QCOMPARE(button.findChildren<QLabel*>().size(), 1);
        QCOMPARE(button.label()->text(), QString("Close"));
        QCOMPARE(button.label()->geometry(), QRect(0, 6, 100, 17));
    }

    void textLabelColours_data() {
        QTest::addColumn<QString>("normalName");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("secondary") << "btn_sec" << true << getColor(107, 107, 107, 1);
        QTest::newRow("secondary not usable") << "btn_sec" << false << getColor(226, 226, 226, 1);
        QTest::newRow("other") << "new_btn_scan" << true << getColor(74, 186, 71, 1);
        QTest::newRow("other not usable") << "btn_pri" << false << getColor(226, 226, 226, 1);
    }
    void textLabelColours() {
        QFETCH(QString, normalName);
        QFETCH(bool, usable);
        QFETCH(QColor, colour);
        QCOMPARE(ui::TextImageButton::labelColor(normalName, usable), colour);
    }

    void rowButtonLabelColours_data() {
        QTest::addColumn<QString>("normalName");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("small") << "btn_s_normal" << false << getColor(0, 0, 0, 0.2);
        QTest::newRow("primary") << "btn_pril_normal" << false << getColor(255, 255, 255, 1);
        QTest::newRow("main") << "btn_main" << true << getColor(255, 255, 255, 1);
        QTest::newRow("secondary") << "btn_secl_normal" << true << getColor(109, 120, 138, 1);
        QTest::newRow("secondary not usable") << "btn_secl_normal" << false << getColor(109, 120, 138, 0.3);
        QTest::newRow("format") << "btn_format" << true << getColor(74, 186, 71, 1);
        QTest::newRow("format not usable") << "btn_format" << false << getColor(226, 226, 226, 1);
        QTest::newRow("other") << "btn_other" << true << getColor(255, 255, 255, 0.7);
        QTest::newRow("other not usable") << "btn_other" << false << getColor(255, 255, 255, 0.3);
    }
    void rowButtonLabelColours() {
        QFETCH(QString, normalName);
        QFETCH(bool, usable);
        QFETCH(QColor, colour);
        QCOMPARE(ui::DTextImageButton::labelColor(normalName, usable), colour);
    }

    void rowButtonLabelHeightAndPlace_data() {
        QTest::addColumn<QString>("normalName");
        QTest::addColumn<double>("fontSize");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("15.5 points") << "btn_format" << 15.5 << QRect(0, 3, 72, 17);
        QTest::newRow("16 points") << "btn_format" << 16.0 << QRect(0, 2, 72, 18);
        QTest::newRow("add button sits higher") << "btn_add_pri" << 12.0 << QRect(0, -1, 72, 17);
    }
    void rowButtonLabelHeightAndPlace() {
        QFETCH(QString, normalName);
        QFETCH(double, fontSize);
        QFETCH(QRect, frame);
        ui::DTextImageButton button;
        button.setGeometry(0, 0, 72, 24);
        button.setImageFromFileNormalName(normalName, "btn_format_press", "btn_format_hover", "btn_format_disable");
        button.setTextWithName("Format", fontSize);
        QCOMPARE(button.label()->geometry(), frame);
        QCOMPARE(button.destinationRect(), QRectF(0, 0, 72, 24));
        button.setTextWithName("Erase", fontSize + 4);
        QCOMPARE(button.label()->geometry(), frame);
        QCOMPARE(button.label()->text(), QString("Erase"));
    }

    void pictureButtonTakesItsPicturesSizeAndFollowsOnlyTheEnabledState() {
        ui::TCImageButton button;
        button.move(10, 20);
        button.setImageFromFileNormalName("btn_refresh", "btn_refresh_press", "btn_refresh_hover", "btn_refresh_disable");
        QCOMPARE(button.geometry(), QRect(10, 20, 24, 24));
        button.show();
        QSignalSpy clicks(&button, &QPushButton::clicked);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        const QImage enabled = button.grab().toImage();
        button.setEnabled(false);
        QVERIFY(button.grab().toImage() != enabled);
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
