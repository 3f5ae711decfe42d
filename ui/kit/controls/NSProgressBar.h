#pragma once

#include <QWidget>

namespace ui {

// The filled part of a progress bar: a rounded bar with the green gradient, as wide as it is.
class NSProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit NSProgressBar(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
