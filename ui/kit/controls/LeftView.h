#pragma once

#include <QWidget>

namespace ui {

// The light grey ground of the main window's left column.
class LeftView : public QWidget {
    Q_OBJECT
public:
    explicit LeftView(QWidget* parent = nullptr);
};

}  // namespace ui
