#pragma once

#include <QPushButton>

namespace ui {

// A link-like button: the pointer becomes a pointing hand while it is over the button.
class EUHandButton : public QPushButton {
    Q_OBJECT
public:
    explicit EUHandButton(QWidget* parent = nullptr);
};

}  // namespace ui
