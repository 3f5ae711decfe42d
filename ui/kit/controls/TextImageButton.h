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
    // A page's action button at its frame: the pictures named images, images + "_press" (also
    // under the pointer) and images + "_disable", the label text and a pointing-hand cursor.
    static TextImageButton* actionButton(QWidget* parent, const QRect& frame, const QString& text,
                                         const QString& images);

protected:
    void refreshLabelColor() override;

private:
    QLabel* textField = nullptr;
};

}  // namespace ui
