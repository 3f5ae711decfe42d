#include "ui/shell/LeftCellViewCtr.h"

#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/shell/LeftCellItem.h"
#include "ui/shell/LeftCellView.h"
#include "ui/shell/LeftCellViewDelegate.h"
#include "ui/shell/ViewMan.h"

#include <QLabel>

namespace ui {
namespace {

constexpr int kCellWidth = 184;
constexpr int kCellHeight = 36;
constexpr int kFontSize = 16;
const QString kSelectionImage = QStringLiteral("left_select_bg");

QLabel* makeLabel(QWidget* parent, const QRectF& cocoaFrame) {
    auto* label = new QLabel(parent);
    label->setGeometry(cocoaRect(kCellHeight, cocoaFrame).toRect());
    return label;
}

}  // namespace

LeftCellViewCtr::LeftCellViewCtr() {
    loadInterface();
    awakeFromNib();
}

// The cell's layout: selection picture under everything, the icon, then the name.
void LeftCellViewCtr::loadInterface() {
    cellView = new LeftCellView;
    cellView->resize(kCellWidth, kCellHeight);
    setParent(cellView);

    selectBgImageView = makeLabel(cellView, QRectF(0, 0, kCellWidth, kCellHeight));
    selectBgImageView->setPixmap(imageNamed(kSelectionImage, selectBgImageView->size()));
    iconImageView = makeLabel(cellView, QRectF(18, 8, 20, 20));
    iconImageView->setAlignment(Qt::AlignCenter);
    nameLabel = makeLabel(cellView, QRectF(48, 0, kCellWidth - 56, kCellHeight));
    nameLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    selLabel = makeLabel(cellView, QRectF(48, 0, kCellWidth - 56, kCellHeight));
    QFont bold = nameLabel->font();
    bold.setWeight(QFont::DemiBold);
    selLabel->setFont(bold);
    selLabel->hide();
}

void LeftCellViewCtr::awakeFromNib() {
    normalFont = nameLabel->font();
    selectFont = selLabel->font();
}

void LeftCellViewCtr::setItem(LeftCellItem* item) {
    dictItem = item;
    cellView->setItem(item);
    cellView->setDelegate(this);
    nameLabel->setText(item->CellName);
}

void LeftCellViewCtr::setDelegate(LeftCellViewDelegate* newDelegate) { delegate = newDelegate; }

void LeftCellViewCtr::refreshCellView() {
    const bool selected = dictItem->CellSelected;
    const QString icon = selected ? dictItem->CellIcon + QStringLiteral("_click") : dictItem->CellIcon;
    iconImageView->setPixmap(imageNamed(icon, iconImageView->size()));
    setTextColor(nameLabel, selected ? getColor(255, 255, 255, 1) : getColor(0, 0, 0, 1));
    selectBgImageView->setVisible(selected);
    QFont font = selected ? selectFont : normalFont;
    font.setPixelSize(kFontSize);
    nameLabel->setFont(font);
    cellView->update();
}

void LeftCellViewCtr::mouseDown(LeftCellItem*) {
    if (!ViewMan::returnViewMan()->checkCanClick(dictItem->CellID)) return;
    if (delegate) delegate->selectCellView(dictItem);
}

}  // namespace ui
