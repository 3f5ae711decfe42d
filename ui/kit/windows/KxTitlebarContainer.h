#pragma once

#include <QWidget>

namespace ui {

// Spans a custom window's title bar and holds the bar view. What the bar view and its
// subviews draw keeps to the window's rounded top corners. Presses on the bar go on to the
// window, which moves with them.
class KxTitlebarContainer : public QWidget {
    Q_OBJECT
public:
    explicit KxTitlebarContainer(QWidget* parent);
};

}  // namespace ui
