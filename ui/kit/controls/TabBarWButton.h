#pragma once

#include "ui/kit/controls/StateButton.h"

namespace ui {

// A tab-like button without pictures: a rounded white plate that turns green while pressed and
// pale green under the pointer. It starts NOT usable and drops clicks until its owner calls
// setButtonEnabled(true).
class TabBarWButton : public StateButton {
    Q_OBJECT
public:
    explicit TabBarWButton(QWidget* parent = nullptr);

    using StateButton::setButtonEnabled;
    void setTextWithName(const QString& text);
    QLabel* label() const { return textField; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* textField = nullptr;
};

}  // namespace ui
