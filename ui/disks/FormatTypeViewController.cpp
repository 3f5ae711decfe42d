#include "ui/disks/FormatTypeViewController.h"

#include "ui/disks/FormatTypeVCDelegate.h"
#include "ui/disks/PopBgView.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"

#include <QLabel>

namespace ui {

FormatTypeViewController::FormatTypeViewController(QWidget* parent) : QWidget(parent) {
    resize(kWidth, kRowHeight * static_cast<int>(rows.size()));
    setMouseTracking(true);
    auto* ground = new PopBgView(this);
    ground->setGeometry(rect());
    for (int index = 0; index < static_cast<int>(rows.size()); ++index) {
        auto* row = new SortSelectBgView(this);
        row->setObjectName(QString::number(index));
        row->setGeometry(0, index * kRowHeight, kWidth, kRowHeight);
        row->setDelegate(this);
        makeTextField(row, QRect(14, 0, kWidth - 28, kRowHeight), typeText(index), systemFontOfSize(13),
                      getColor(45, 45, 45, 1), Qt::AlignLeft | Qt::AlignVCenter);
        rows[index] = row;
    }
}

QString FormatTypeViewController::typeText(int index) {
    switch (index) {
        case 0: return QStringLiteral("ExFAT");
        case 1: return QStringLiteral("MS-DOS FAT32");
        case 2: return QStringLiteral("Mac OS扩展");
        case 3: return QStringLiteral("APFS");
        default: return {};
    }
}

void FormatTypeViewController::selectSortType(SortSelectBgView* row) {
    if (delegate_) delegate_->selectFormatbyType(row->objectName().toInt());
}

void FormatTypeViewController::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (delegate_) delegate_->mouseEixtView(false);
}

void FormatTypeViewController::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (delegate_) delegate_->mouseEixtView(true);
}

}  // namespace ui
