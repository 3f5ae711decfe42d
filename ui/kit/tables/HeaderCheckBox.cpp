#include "ui/kit/tables/HeaderCheckBox.h"

namespace ui {
namespace {

const QRect kSpotInATableHeader(24, 5, 16, 16);

QString pictureOf(HeaderCheckBox::State state) {
    switch (state) {
    case HeaderCheckBox::State::All: return QStringLiteral("checkbox-checked");
    case HeaderCheckBox::State::Some: return QStringLiteral("checkbox-halfchecked");
    case HeaderCheckBox::State::None: break;
    }
    return QStringLiteral("checkbox-unsel");
}

}  // namespace

HeaderCheckBox::HeaderCheckBox(QWidget* header, State state) : TCImageButton(header) {
    showState(state);
    setGeometry(kSpotInATableHeader);
    setCursor(Qt::PointingHandCursor);
}

void HeaderCheckBox::showState(State state) {
    const QString picture = pictureOf(state);
    setImageFromFileNormalName(picture, picture, picture, picture);
}

}  // namespace ui
