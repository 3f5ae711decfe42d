#include "ui/kit/desktop/AppActivation.h"

#include <QApplication>
#include <QWidget>

namespace ui {
namespace {

QWidget* windowToActivate() {
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowType() == Qt::Window) return widget;
    return nullptr;
}

}  // namespace

void activateIgnoringOtherApps() {
    QWidget* window = windowToActivate();
    if (!window) return;
    window->raise();
    window->activateWindow();
}

}  // namespace ui
