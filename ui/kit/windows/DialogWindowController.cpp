#include "ui/kit/windows/DialogWindowController.h"

#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QAbstractButton>

namespace ui {

DialogWindowController::DialogWindowController(const QSize& contentSize)
    : aWindow(std::make_unique<TCImageWindow>(contentSize)) {
    aWindow->setBackgroundColor(Qt::white);
    aWindow->setFixedSize(aWindow->size());
    aWindow->standardWindowButton(NSWindowMiniaturizeButton)->setEnabled(false);

    QAbstractButton* closeButton = aWindow->standardWindowButton(NSWindowCloseButton);
    closeButton->disconnect(aWindow.get());
    connect(closeButton, &QAbstractButton::clicked, this, &DialogWindowController::closeWindow);
}

DialogWindowController::~DialogWindowController() = default;

// A closed window has no modal loop of its own left: stopping one then would end another
// window's loop.
void DialogWindowController::closeWindow() {
    if (!aWindow->isVisible()) return;
    stopModal();
    aWindow->close();
}

}  // namespace ui
