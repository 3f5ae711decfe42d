#include "ui/kit/controls/TextImageButton.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"

#include <QLabel>

namespace ui {

namespace {
constexpr int kLabelHeight = 17;
constexpr int kLabelRise = 20;
constexpr double kLabelFontSize = 14;
}  // namespace

TextImageButton::TextImageButton(QWidget* parent) : ImageStateButton(true, parent) {}

// One label serves every call: a second text replaces the first rather than lying over it.
TextImageButton* TextImageButton::actionButton(QWidget* parent, const QRect& frame, const QString& text,
                                              const QString& images) {
    auto* button = new TextImageButton(parent);
    button->setGeometry(frame);
    button->setImageFromFileNormalName(images, images + "_press", images + "_press", images + "_disable");
    button->setTextWithName(text);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void TextImageButton::setTextWithName(const QString& text) {
    const QRect frame(0, (height() - kLabelRise) / 2, width(), kLabelHeight);
    if (!textField)
        textField = makeLabel(frame, systemFontOfSize(kLabelFontSize));
    else
        textField->setGeometry(frame);
    textField->setText(text);
    refreshLabelColor();
}

QColor TextImageButton::labelColor(const QString& normalName, bool usable) {
    if (!usable) return getColor(226, 226, 226, 1);
    if (normalName == QLatin1String("btn_sec")) return getColor(107, 107, 107, 1);
    return getColor(74, 186, 71, 1);
}

void TextImageButton::refreshLabelColor() {
    if (textField) setTextColor(textField, labelColor(normalImageName(), isUsable()));
}

}  // namespace ui
