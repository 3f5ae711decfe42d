#pragma once

#include <QWidget>

namespace ui {

// The ground laid into the main window's title bar: the left 200 points in the grey of the
// tool column below it, the rest near-white, inside a rectangle with corners of radius 10.
class TopBgView : public QWidget {
    Q_OBJECT
public:
    explicit TopBgView(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
