#include "ui/kit/windows/DialogWindowController.h"

#include "ui/kit/controls/StateButton.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace ui {
namespace {

bool takesClicks(const QAbstractButton* button) {
    const auto* stateButton = qobject_cast<const StateButton*>(button);
    return button->isVisible() && button->isEnabled() && (!stateButton || stateButton->isUsable());
}

}  // namespace

DialogWindowController::DialogWindowController(const QSize& contentSize)
    : aWindow(std::make_unique<TCImageWindow>(contentSize)) {
    aWindow->setBackgroundColor(Qt::white);
    aWindow->setDrawsShadow(true);
    aWindow->setFixedSize(aWindow->size());
    aWindow->standardWindowButton(NSWindowMiniaturizeButton)->setEnabled(false);

    QAbstractButton* closeButton = aWindow->standardWindowButton(NSWindowCloseButton);
    closeButton->disconnect(aWindow.get());
    connect(closeButton, &QAbstractButton::clicked, this, &DialogWindowController::closeWindow);
    aWindow->installEventFilter(this);
}

DialogWindowController::~DialogWindowController() = default;

// A closed window has no modal loop of its own left: stopping one then would end another
// window's loop.
void DialogWindowController::closeWindow() {
    if (!aWindow->isVisible()) return;
    stopModal();
    aWindow->close();
}

void DialogWindowController::setKeyEquivalents(std::vector<QAbstractButton*> defaultButtons,
                                               std::vector<QAbstractButton*> cancelButtons) {
    defaultButtons_ = std::move(defaultButtons);
    cancelButtons_ = std::move(cancelButtons);
}

bool DialogWindowController::pressFirstUsable(const std::vector<QAbstractButton*>& buttons) {
    for (QAbstractButton* button : buttons)
        if (takesClicks(button)) {
            button->click();
            return true;
        }
    return false;
}

// Keys no widget of the window took on their way up reach the window itself.
bool DialogWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != aWindow.get() || event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return pressFirstUsable(defaultButtons_);
    case Qt::Key_Escape:
        return pressFirstUsable(cancelButtons_) ||
               pressFirstUsable({aWindow->standardWindowButton(NSWindowCloseButton)});
    default: return false;
    }
}

}  // namespace ui
