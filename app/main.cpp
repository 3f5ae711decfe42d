#include "platform/Workspace.h"
#include "ui/kit/NumericLocale.h"
#include "ui/kit/QtWorkspace.h"

#include <QApplication>
#include <QWidget>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ui::useCNumericLocale();
    platform::Workspace::setShared(std::make_shared<ui::QtWorkspace>());

    QWidget window;
    window.setWindowTitle("Duridove");
    window.resize(940, 600);
    window.show();
    return application.exec();
}
