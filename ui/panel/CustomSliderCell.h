#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace ui {

// Draws a slider as a thin vertical bar, filled from the bottom up to its value, without a knob.
class CustomSliderCell {
public:
    CustomSliderCell();

    QColor sliderProgressColor;
    QColor sliderBackgroundColor;
    double sliderBarRadius = 2;
    // "sound" for a volume slider running 0 to 100; any other slider runs 0 to 1.
    QString identifier;

    // The filled height in points: up to 85 at the slider's top value.
    double progressHeight(double value) const;
    void drawWithFrame(QPainter& painter, const QRectF& frame, double value) const;
};

}  // namespace ui
