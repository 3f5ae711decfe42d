#pragma once

#include "ui/kit/controls/ImageStateButton.h"

namespace ui {

// A picture-only button that takes the size of its rest picture. It has no usable flag: only the
// widget's enabled state chooses between the active and the not-usable picture.
class TCImageButton : public ImageStateButton {
    Q_OBJECT
public:
    explicit TCImageButton(QWidget* parent = nullptr);

protected:
    bool consultsUsableFlag() const override { return false; }
    void picturesChanged() override;
    void drawPicture(QPainter& painter, const QPixmap& picture) const override;
};

}  // namespace ui
