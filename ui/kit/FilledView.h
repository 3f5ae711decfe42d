#pragma once

#include <QColor>
#include <QWidget>

namespace ui {

// A plain view whose whole area is one flat colour: the ground of a column or a panel.
class FilledView : public QWidget {
    Q_OBJECT
public:
    FilledView(const QColor& fill, QWidget* parent);

    QColor fillColor() const { return fill; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill;
};

}  // namespace ui
