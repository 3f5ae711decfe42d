#include "support/LogCapture.h"
#include "ui/kit/looks/CocoaRect.h"
#include "support/TempFolder.h"
#include "ui/kit/desktop/WorkspaceIcon.h"
#include "ui/kit/looks/ImageNamed.h"

#include <QApplication>
#include <QImage>
#include <QImageWriter>
#include <QtTest>

class ImagesAndFramesTest : public QObject {
    Q_OBJECT
private slots:
    void aNamedPictureComesFromTheResources() {
        QCOMPARE(ui::imagePath("ic_junk"), QString(":/images/ic_junk.svg"));
        QCOMPARE(ui::imagePath("ic_junk@2x.png"), QString(":/images/ic_junk.svg"));
        const QPixmap icon = ui::imageNamed("ic_junk");
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.deviceIndependentSize(), QSizeF(20, 20));
        QCOMPARE(ui::imageNamed("ic_junk@2x.png").toImage(), icon.toImage());
    }

    void aPictureDrawnAtAGivenSizeFillsIt() {
        const QPixmap background = ui::imageNamed("left_select_bg", QSizeF(92, 18));
        QCOMPARE(background.deviceIndependentSize(), QSizeF(92, 18));
        const QImage image = background.toImage();
        QVERIFY(qAlpha(image.pixel(46, 9)) == 255);
        QVERIFY(qAlpha(image.pixel(0, 0)) < 255);  // a rounded corner
        QVERIFY(ui::imageNamed("left_select_bg", QSizeF()).isNull());
    }

    void aMissingPictureIsNullAndReportedOnce() {
        testsupport::LogCapture log;
        QVERIFY(ui::imageNamed("no_such_picture").isNull());
        QVERIFY(ui::imageNamed("no_such_picture", QSizeF(10, 10)).isNull());
        QCOMPARE(log.lines().size(), size_t(1));
        QVERIFY(log.contains("\"no_such_picture\""));
    }

    void everyCellIconHasItsSelectedVariant() {
        for (const char* name : {"ic_junk", "ic_app", "ic_uninstall", "ic_browser", "ic_duplicates", "ic_large_file",
                                 "ic_shredder", "ic_login", "ic_disk", "ic_switch"}) {
            QVERIFY2(!ui::imageNamed(name).isNull(), name);
            QVERIFY2(!ui::imageNamed(QString(name) + "_click").isNull(), name);
        }
    }

    // An application's own .icns picture is drawn as it is; one that cannot be read gives the
    // generic application picture.
    void anApplicationIconFileIsDrawnFromTheFile() {
        testsupport::TempFolder folder;
        QImage red(64, 64, QImage::Format_ARGB32);
        red.fill(Qt::red);
        QImageWriter writer(QString::fromStdString(folder / "AppIcon.icns"), "icns");
        QVERIFY2(writer.write(red), qPrintable(writer.errorString()));
        const QIcon icon = ui::iconFor(core::IconReference::imageFile(folder / "AppIcon.icns"));
        QCOMPARE(icon.pixmap(32, 32).toImage().pixelColor(16, 16), QColor(Qt::red));

        const std::string broken = folder.writeFile("Broken.icns", "not a picture");
        const QIcon generic = ui::iconFor(core::IconReference::imageFile(broken));
        QCOMPARE(generic.pixmap(32, 32).toImage(),
                 QIcon(ui::imageNamed("ic_generic_app")).pixmap(32, 32).toImage());
    }

    void aCocoaFrameIsFlippedInsideItsParent() {
        QCOMPARE(ui::cocoaRect(600, 8, 536, 184, 24), QRectF(8, 40, 184, 24));
        QCOMPARE(ui::cocoaRect(600, 0, 0, 200, 600), QRectF(0, 0, 200, 600));
        QCOMPARE(ui::cocoaRect(36, 18, 8, 20, 20), QRectF(18, 8, 20, 20));
        const QRectF frame(10.5, -100, 940, 600);
        QCOMPARE(ui::cocoaRect(20, ui::cocoaRect(20, frame)), frame);
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ImagesAndFramesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_images_and_frames.moc"
