#pragma once

#include <QWidget>

namespace ui {

// The near-white ground of the pages' panels (scan panel, tile loading view, progress strips).
class junkView : public QWidget {
    Q_OBJECT
public:
    explicit junkView(QWidget* parent = nullptr);
};

}  // namespace ui
