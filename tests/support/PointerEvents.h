#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QWidget>

namespace testsupport {

// The pointer entering and leaving a widget, delivered straight to it.
inline void sendEnter(QWidget* widget) {
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(widget, &event);
}

inline void sendLeave(QWidget* widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

}  // namespace testsupport
