// Shows the disk manager's dialogs on a grey desk and saves a picture of the screen, so their
// looks can be checked by eye: scripts/gallery disk_dialogs_gallery [out.png] runs it under Xvfb.
#include "ui/disks/FormatEndViewController.h"
#include "ui/disks/FristAidViewController.h"
#include "ui/disks/MakeSureFormatViewController.h"
#include "ui/disks/RenameViewController.h"
#include "ui/disks/ShowAidViewControllrt.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("disk_dialogs_gallery.png");
    QScreen* screen = QGuiApplication::primaryScreen();
    QCursor::setPos(screen->geometry().bottomRight());

    QWidget desk;
    desk.setWindowFlag(Qt::FramelessWindowHint);
    ui::fillBackground(&desk, QColor(150, 150, 156));
    desk.setGeometry(0, 0, 1280, 760);
    desk.show();

    ui::MakeSureFormatViewController format;
    format.setName(QStringLiteral("STICK"), QStringLiteral("MS-DOS FAT32"), QStringLiteral("/dev/sdb1"),
                   QStringLiteral("14.90 GB"));
    ui::MakeSureFormatViewController apfs;
    apfs.setName(QStringLiteral("Data"), QStringLiteral("APFS"), QStringLiteral("/dev/sdc2"), QStringLiteral("465.63 GB"));
    ui::MakeSureFormatViewController working;
    working.setName(QStringLiteral("STICK"), QStringLiteral("ExFAT"), QStringLiteral("/dev/sdb1"), QStringLiteral("14.90 GB"));
    working.okButtonAction();
    ui::RenameViewController rename(QStringLiteral("STICK"));
    ui::FristAidViewController firstAid;
    firstAid.changeAidDiskName(QStringLiteral("STICK"));
    ui::ShowAidViewControllrt output_(QStringLiteral("STICK"));
    for (const char* line : {"Unmounting /dev/sdb1 …\n", "Checking the file system on /dev/sdb1 …\n",
                             "The volume STICK appears to be OK.\n", "Mounting /dev/sdb1 …\n"})
        output_.changeShowOutPut(QString::fromUtf8(line));
    output_.setProgressValue(101);
    ui::FormatEndViewController failure(QStringLiteral("操作未能完成"),
                                        QStringLiteral("/dev/sda2 holds /boot of the running system and is left alone"));

    const QList<QPair<ui::TCImageWindow*, QPoint>> places = {
        {format.window(), {8, 8}},        {apfs.window(), {440, 8}},     {working.window(), {872, 8}},
        {rename.window(), {8, 290}},      {firstAid.window(), {8, 480}}, {output_.window(), {440, 290}},
        {failure.window(), {872, 290}},
    };
    for (const auto& [window, place] : places) {
        window->move(place);
        window->show();
    }
    QTimer::singleShot(300, [&] { format.openMenuAction(); });
    QTimer::singleShot(1200, [&] {
        if (!screen->grabWindow(0, 0, 0, desk.width(), desk.height()).save(output))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        QApplication::quit();
    });
    return application.exec();
}
