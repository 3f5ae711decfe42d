// bare_window: the start-up bench's peer. A plain Qt Widgets window of the main window's size
// (940 by 620), shown at once from main, with nothing else built; it runs until it is ended.
// Built with the same Qt as the application, so the two start on the same libraries' terms.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare_window"));
    window.setFixedSize(940, 620);
    window.show();
    return application.exec();
}
