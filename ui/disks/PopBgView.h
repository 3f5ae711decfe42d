#pragma once

#include <QWidget>

namespace ui {

// The ground of the format type pop-up: a pale grey panel with corners of radius 10 and a
// faint white border.
class PopBgView : public QWidget {
    Q_OBJECT
public:
    explicit PopBgView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
