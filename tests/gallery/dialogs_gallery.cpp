// Shows the shell's three dialogs side by side on a grey desk and saves a picture of the screen,
// so their looks can be checked by eye: scripts/gallery dialogs_gallery [out.png] runs it under Xvfb.

#include "ui/kit/windows/TCImageWindow.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/shell/FullDiskAccessViewController.h"
#include "ui/shell/MarkSureDeleteWC.h"
#include "ui/shell/TCPreferenceWindowController.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("dialogs_gallery.png");
    QScreen* screen = QGuiApplication::primaryScreen();
    QCursor::setPos(screen->geometry().bottomRight());

    QWidget desk;
    desk.setWindowFlag(Qt::FramelessWindowHint);
    ui::fillBackground(&desk, QColor(150, 150, 156));
    desk.setGeometry(0, 0, 1280, 320);
    desk.show();

    ui::FullDiskAccessViewController access;
    ui::TCPreferenceWindowController about;
    ui::MarkSureDeleteWC confirmation;
    int x = 8;
    for (ui::TCImageWindow* window : {access.window(), about.window(), confirmation.window()}) {
        window->move(x, 40);
        window->show();
        x += window->width() + 12;
    }

    QTimer::singleShot(800, [&] {
        if (!screen->grabWindow(0, 0, 0, desk.width(), desk.height()).save(output))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        QApplication::quit();
    });
    return application.exec();
}
