#include "ui/kit/controls/DTextImageButton.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace ui {

namespace {
constexpr qreal kCornerRadius = 4.0;
constexpr double kLargeFontSize = 16;
}  // namespace

DTextImageButton::DTextImageButton(QWidget* parent) : ImageStateButton(true, parent) {}

int DTextImageButton::labelHeightForFontSize(double fontSize) { return fontSize < kLargeFontSize ? 17 : 18; }

void DTextImageButton::setTextWithName(const QString& text, double fontSize) {
    if (!textField) {
        const int labelHeight = labelHeightForFontSize(fontSize);
        const int drop = normalImageName() == QLatin1String("btn_add_pri") ? 4 : 1;
        const qreal y = (height() - labelHeight) / 2.0 - drop;
        textField = makeLabel(QRectF(0, y, width(), labelHeight).toRect(), systemFontOfSize(fontSize));
        roundsCorners = true;
    }
    textField->setText(text);
    refreshLabelColor();
    update();
}

QColor DTextImageButton::labelColor(const QString& normalName, bool usable) {
    if (normalName == QLatin1String("btn_s_normal")) return getColor(0, 0, 0, 0.2);
    if (normalName == QLatin1String("btn_pril_normal") || normalName == QLatin1String("btn_main"))
        return getColor(255, 255, 255, 1);
    if (normalName == QLatin1String("btn_secl_normal")) return getColor(109, 120, 138, usable ? 1 : 0.3);
    if (normalName == QLatin1String("btn_format"))
        return usable ? getColor(74, 186, 71, 1) : getColor(226, 226, 226, 1);
    return getColor(255, 255, 255, usable ? 0.7 : 0.3);
}

// The pictures are drawn at the button's own size, so they are rendered at that size.
QPixmap DTextImageButton::loadPicture(const QString& name) const {
    return size().isEmpty() ? imageNamed(name) : imageNamed(name, QSizeF(size()));
}

QSizeF DTextImageButton::pictureFrameSize() const { return QSizeF(size()); }

void DTextImageButton::refreshLabelColor() {
    if (textField) setTextColor(textField, labelColor(normalImageName(), isUsable()));
}

void DTextImageButton::clipPicture(QPainter& painter) const {
    if (!roundsCorners) return;
    QPainterPath corners;
    corners.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(corners);
}

}  // namespace ui
