#pragma once

#include "ui/kit/controls/ImageStateButton.h"

namespace ui {

// A picture-only button that takes the size of its rest picture. It has no usable flag: only the
// widget's enabled state chooses between the active and the not-usable picture.
class TCImageButton : public ImageStateButton {
    Q_OBJECT
public:
    explicit TCImageButton(QWidget* parent = nullptr);

    // The back arrow of a page's detail screen ("btn_detail_back" pictures) at the given place,
    // with a pointing-hand cursor.
    static TCImageButton* backButton(QWidget* parent, const QPoint& place);

protected:
    bool consultsUsableFlag() const override { return false; }
    void picturesChanged() override;
    void drawPicture(QPainter& painter, const QPixmap& picture) const override;
};

}  // namespace ui
