#pragma once

#include <QScrollBar>

namespace ui {

// The vertical scroller that floats over a list: it draws only its knob, no track, and keeps the
// knob fully visible (it never fades out).
class RFOverlayScroller : public QScrollBar {
    Q_OBJECT
public:
    // The width it takes at the right edge of the list.
    static constexpr int kWidth = 11;

    explicit RFOverlayScroller(QWidget* parent = nullptr);

    // Where the knob is drawn, in the scroller's own coordinates.
    QRect knobRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
