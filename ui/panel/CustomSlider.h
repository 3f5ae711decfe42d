#pragma once

#include "ui/panel/CustomSliderCell.h"

#include <QWidget>

namespace ui {

// A vertical slider drawn by its CustomSliderCell. Pressing or dragging sets the value at the
// pointer (the bottom edge is the least, the top edge the most), the wheel moves it a
// twentieth of its range per notch; each reports action(). A press makes its window active.
class CustomSlider : public QWidget {
    Q_OBJECT
public:
    explicit CustomSlider(QWidget* parent = nullptr);

    CustomSliderCell& cell() { return sliderCell; }
    void setRange(double minimum, double maximum);
    double minValue() const { return minimum; }
    double maxValue() const { return maximum; }
    double doubleValue() const { return value; }
    // Kept within the range.
    void setDoubleValue(double newValue);
    // The left button went down on the slider and is not up yet.
    bool isDragged() const { return dragged; }

signals:
    // The user moved the slider.
    void action();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    double valueAt(qreal y) const;
    void takeUserValue(double newValue);

    CustomSliderCell sliderCell;
    double minimum = 0;
    double maximum = 1;
    double value = 0;
    bool dragged = false;
};

}  // namespace ui
