#pragma once

#include "ui/kit/controls/ImageStateButton.h"

namespace ui {

// The tools' action button: a picture per state with a centred 14-point label whose colour
// follows the rest picture's name.
class TextImageButton : public ImageStateButton {
    Q_OBJECT
public:
    explicit TextImageButton(QWidget* parent = nullptr);

    using StateButton::setButtonEnabled;
    void setTextWithName(const QString& text);
    QLabel* label() const { return textField; }

    static QColor labelColor(const QString& normalName, bool usable);

protected:
    void refreshLabelColor() override;

private:
    QLabel* textField = nullptr;
};

}  // namespace ui
