#pragma once

#include <QAbstractButton>

namespace ui {

// The kinds of a window's standard buttons, numbered as the windows count them.
enum NSWindowButton {
    NSWindowCloseButton = 0,
    NSWindowMiniaturizeButton = 1,
    NSWindowZoomButton = 2,
    NSWindowFullScreenButton = 7,
};

// One of the three standard buttons of a custom window (close, minimise, zoom): a red, yellow
// or green circle in a 14 by 16 point frame. While the pointer is over the group the circles
// show their glyphs; while the window is inactive, or the button is disabled, they are grey.
class TrafficLightButton : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int kWidth = 14;
    static constexpr int kHeight = 16;

    TrafficLightButton(NSWindowButton kind, QWidget* parent);

    NSWindowButton kind() const { return buttonKind; }
    // Whether the pointer is over the group of three, set by the window for all of them.
    bool showsRollover() const { return rollover; }
    void setRollover(bool isOver);

    QSize sizeHint() const override { return QSize(kWidth, kHeight); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool showsColour() const;
    void drawGlyph(QPainter& painter, const QRectF& circle) const;

    NSWindowButton buttonKind;
    bool rollover = false;
};

}  // namespace ui
