#include "ui/kit/controls/StateButton.h"

#include <QLabel>
#include <QMouseEvent>

namespace ui {

StateButton::StateButton(bool startsUsable, QWidget* parent) : QPushButton(parent), usable(startsUsable) {
    // Neither Return in a dialog nor the space bar may press a button whose clicks are dropped.
    setAutoDefault(false);
    setFocusPolicy(Qt::NoFocus);
}

void StateButton::setButtonEnabled(bool enabled) {
    usable = enabled;
    update();
}

QLabel* StateButton::makeLabel(const QRect& frame, const QFont& font) {
    auto* label = new QLabel(this);
    label->setGeometry(frame);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    // A child of a button would otherwise take the button's text role, not the label's own colour.
    label->setForegroundRole(QPalette::WindowText);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->show();
    return label;
}

void StateButton::enterEvent(QEnterEvent* event) {
    if (isEnabled()) {
        focus = true;
        update();
    }
    QPushButton::enterEvent(event);
}

void StateButton::leaveEvent(QEvent* event) {
    focus = false;
    update();
    QPushButton::leaveEvent(event);
}

void StateButton::mousePressEvent(QMouseEvent* event) {
    if (consultsUsableFlag() && !usable) {
        event->accept();
        return;
    }
    if (isEnabled()) {
        tracking = true;
        update();
    }
    QPushButton::mousePressEvent(event);
}

void StateButton::mouseReleaseEvent(QMouseEvent* event) {
    QPushButton::mouseReleaseEvent(event);
    if (tracking) {
        tracking = false;
        update();
    }
}

}  // namespace ui
