#include "ui/kit/controls/TextField.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"

#include <QLabel>

namespace ui {

QLabel* makeTextField(QWidget* parent, const QRect& frame, const QString& text, const QFont& font,
                      const QColor& color, Qt::Alignment alignment) {
    auto* field = new QLabel(text, parent);
    field->setGeometry(frame);
    field->setFont(font);
    field->setAlignment(alignment);
    field->setWordWrap(true);
    field->setAttribute(Qt::WA_TransparentForMouseEvents);
    setTextColor(field, color);
    return field;
}

QLabel* makeTitleField(QWidget* parent, const QRect& frame, const QString& text) {
    return makeTextField(parent, frame, text, boldSystemFontOfSize(15), getColor(45, 45, 45, 1));
}

}  // namespace ui
