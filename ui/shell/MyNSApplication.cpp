#include "ui/shell/MyNSApplication.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QWidget>

namespace ui {
namespace {

// With Control held a key event's text is a control character, so the key code decides.
const char* actionForControlKey(int key) {
    switch (key) {
    case Qt::Key_X: return "cut()";
    case Qt::Key_C: return "copy()";
    case Qt::Key_V: return "paste()";
    case Qt::Key_Z: return "undo()";
    case Qt::Key_A: return "selectAll()";
    default: return nullptr;
    }
}

QMetaMethod invokableMethod(const QObject* object, const char* signature) {
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfMethod(signature);
    if (index < 0) return QMetaMethod();
    QMetaMethod method = meta->method(index);
    if (method.methodType() != QMetaMethod::Slot && method.methodType() != QMetaMethod::Method) return QMetaMethod();
    return method;
}

}  // namespace

MyNSApplication::MyNSApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Duridove"));
}

const char* MyNSApplication::editingAction(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers == Qt::ControlModifier) return actionForControlKey(event.key());
    if (modifiers.testFlag(Qt::ControlModifier) && modifiers.testFlag(Qt::ShiftModifier) && event.key() == Qt::Key_Z)
        return "redo()";
    return nullptr;
}

QObject* MyNSApplication::responderFor(QWidget* widget, const char* action) {
    for (QWidget* responder = widget; responder; responder = responder->parentWidget()) {
        if (invokableMethod(responder, action).isValid()) return responder;
    }
    return nullptr;
}

bool MyNSApplication::notify(QObject* receiver, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::ShortcutOverride) && receiver->isWidgetType()) {
        if (routeShortcut(static_cast<QWidget*>(receiver), static_cast<QKeyEvent*>(event))) return true;
    }
    return QApplication::notify(receiver, event);
}

// The shortcut override is claimed too, so that no window action bound to the same keys
// takes the key before it reaches the widget.
bool MyNSApplication::routeShortcut(QWidget* receiver, QKeyEvent* event) {
    const char* action = editingAction(*event);
    if (!action) return false;
    QObject* responder = responderFor(receiver, action);
    if (!responder) return false;
    event->accept();
    if (event->type() == QEvent::KeyPress) invokableMethod(responder, action).invoke(responder, Qt::DirectConnection);
    return true;
}

}  // namespace ui
