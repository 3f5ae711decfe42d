#pragma once

#include <QColor>
#include <QImage>
#include <QScrollBar>

namespace testsupport {

// The mean grey level of a stretch of a vertical scroll bar as it is drawn, from and to given as
// fractions of its height, over the right half of its width, where its knob lies.
inline double greyOfStretch(const QImage& bar, double from, double to) {
    double sum = 0;
    int count = 0;
    for (int y = static_cast<int>(from * bar.height()); y < static_cast<int>(to * bar.height()); ++y)
        for (int x = bar.width() / 2; x < bar.width() - 2; ++x, ++count) sum += qGray(bar.pixel(x, y));
    return count == 0 ? 0 : sum / count;
}

// Whether the part of the bar a person takes for its knob (the part drawn clearly darker, as on
// the Mac) is at its top (the list scrolled to its start) or at its bottom (to its end).
inline bool knobShowsAtTop(QScrollBar& bar) {
    const QImage image = bar.grab().toImage();
    return greyOfStretch(image, 0.05, 0.25) + 30 < greyOfStretch(image, 0.75, 0.95);
}

inline bool knobShowsAtBottom(QScrollBar& bar) {
    const QImage image = bar.grab().toImage();
    return greyOfStretch(image, 0.75, 0.95) + 30 < greyOfStretch(image, 0.05, 0.25);
}

}  // namespace testsupport
