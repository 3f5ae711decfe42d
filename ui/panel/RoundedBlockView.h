#pragma once

#include <QColor>
#include <QWidget>

namespace ui {

// A flat block of the panel: its bounds, inset by half a point, filled as a rounded rectangle.
class RoundedBlockView : public QWidget {
    Q_OBJECT
public:
    RoundedBlockView(qreal cornerRadius, const QColor& fill, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    QRectF drawnArea() const;

    qreal cornerRadius;
    QColor fill;
};

// The frame a slider pop-up of the panel sits in.
class StatusPopBgView : public RoundedBlockView {
    Q_OBJECT
public:
    explicit StatusPopBgView(QWidget* parent = nullptr);
};

// A grey block grouping readings of the panel.
class SubbgView : public RoundedBlockView {
    Q_OBJECT
public:
    explicit SubbgView(QWidget* parent = nullptr);
};

// A grey block whose lower corners alone are round: the panel's bottom bar.
class SubBlowbgView : public RoundedBlockView {
    Q_OBJECT
public:
    explicit SubBlowbgView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
