#pragma once

#include "ui/kit/controls/ImageStateButton.h"

namespace ui {

// The image button of the disk manager's rows: its pictures fill the button's own frame, its
// label takes a chosen font size, and its corners are rounded.
class DTextImageButton : public ImageStateButton {
    Q_OBJECT
public:
    explicit DTextImageButton(QWidget* parent = nullptr);

    using StateButton::setButtonEnabled;
    void setTextWithName(const QString& text, double fontSize);
    QLabel* label() const { return textField; }

    static QColor labelColor(const QString& normalName, bool usable);
    static int labelHeightForFontSize(double fontSize);

protected:
    QPixmap loadPicture(const QString& name) const override;
    QSizeF pictureFrameSize() const override;
    void refreshLabelColor() override;
    void clipPicture(QPainter& painter) const override;

private:
    QLabel* textField = nullptr;
    bool roundsCorners = false;
};

}  // namespace ui
