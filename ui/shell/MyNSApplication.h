#pragma once

#include <QApplication>

class QKeyEvent;

namespace ui {

// The application object. Before normal delivery it routes the editing shortcuts
// (Control+X, C, V, Z, A and Shift+Control+Z) to the focused widget or the nearest of its
// parents that has the matching slot (cut, copy, paste, undo, selectAll, redo), so they work
// in every text field whatever actions the window holds. A key nobody takes goes on as usual.
class MyNSApplication : public QApplication {
    Q_OBJECT
public:
    MyNSApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The slot signature a key event asks for ("copy()"), or nullptr.
    static const char* editingAction(const QKeyEvent& event);
    // The widget that takes the action: the first of the widget and its parents with the slot.
    static QObject* responderFor(QWidget* widget, const char* action);

private:
    bool routeShortcut(QWidget* receiver, QKeyEvent* event);
};

}  // namespace ui
