#include "ui/kit/windows/NSWindowController.h"

#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QAbstractButton>

namespace ui {

NSWindowController::NSWindowController(const QSize& contentSize)
    : aWindow(std::make_unique<TCImageWindow>(contentSize)) {
    aWindow->setBackgroundColor(Qt::white);
    aWindow->setFixedSize(aWindow->size());
    aWindow->standardWindowButton(NSWindowMiniaturizeButton)->setEnabled(false);

    QAbstractButton* closeButton = aWindow->standardWindowButton(NSWindowCloseButton);
    closeButton->disconnect(aWindow.get());
    connect(closeButton, &QAbstractButton::clicked, this, &NSWindowController::closeWindow);
}

NSWindowController::~NSWindowController() = default;

// A closed window has no modal loop of its own left: stopping one then would end another
// window's loop.
void NSWindowController::closeWindow() {
    if (!aWindow->isVisible()) return;
    stopModal();
    aWindow->close();
}

}  // namespace ui
