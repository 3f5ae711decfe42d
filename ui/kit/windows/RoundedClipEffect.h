#pragma once

#include <QGraphicsEffect>

namespace ui {

// Draws a view and its subviews inside an outline with rounded top corners, antialiased: the
// title bar's subviews keep to the window's rounded corners.
class RoundedClipEffect : public QGraphicsEffect {
    Q_OBJECT
public:
    RoundedClipEffect(qreal radius, QObject* parent);

protected:
    void draw(QPainter* painter) override;

private:
    qreal radius;
};

}  // namespace ui
