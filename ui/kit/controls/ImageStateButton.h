#pragma once

#include "ui/kit/controls/StateButton.h"

#include <QPixmap>

namespace ui {

// A button drawn from four application pictures: at rest, pressed, under the pointer and not
// usable. Without a rest picture it draws as a standard push button.
class ImageStateButton : public StateButton {
    Q_OBJECT
public:
    // Loads the four pictures by name and sets where the picture is drawn (dstRect) and which
    // part of it (srcRect).
    void setImageFromFileNormalName(const QString& normal, const QString& active, const QString& hover,
                                    const QString& disable);

    QString normalImageName() const { return normalName; }
    QRectF destinationRect() const { return dstRect; }

protected:
    ImageStateButton(bool startsUsable, QWidget* parent);

    // The picture under a name; the size of the area it is drawn in follows from pictureFrameSize.
    virtual QPixmap loadPicture(const QString& name) const;
    // Where the picture is drawn: by default the rest picture's own size.
    virtual QSizeF pictureFrameSize() const;
    virtual void picturesChanged() {}
    // Runs before every redraw, so a label's colour follows the button's state.
    virtual void refreshLabelColor() {}
    // Clips the drawing of the picture; nothing by default.
    virtual void clipPicture(QPainter& painter) const;
    // Draws the chosen picture: by default the whole picture into dstRect.
    virtual void drawPicture(QPainter& painter, const QPixmap& picture) const;

    // The picture for the current state: pressed, hovered or at rest while usable, else the
    // not-usable one. A missing picture is a null pixmap and draws nothing.
    const QPixmap& chosenPicture() const;

    void paintEvent(QPaintEvent* event) override;

    QPixmap normalImage;
    QPixmap activeImage;
    QPixmap hoverImage;
    QPixmap disableImage;
    QRectF dstRect;
    QRectF srcRect;

private:
    QString normalName;
};

}  // namespace ui
