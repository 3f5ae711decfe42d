#include "ui/shell/LeftViewCtl.h"

#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/controls/LeftView.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/shell/LeftCellTable.h"
#include "ui/shell/LeftCellView.h"
#include "ui/shell/LeftCellViewCtr.h"
#include "ui/shell/ViewMan.h"

#include <QLabel>
#include <QWidget>

namespace ui {
namespace {

constexpr int kColumnHeight = 600;
constexpr qreal kCellHeight = 36;
constexpr qreal kHeaderGap = 5;  // between a header and its first cell
constexpr qreal kCellGap = 2;    // between two cells of a group
constexpr int kLastCellOfCleanup = 3;
constexpr int kLastCellOfTools = 6;

QWidget* makeHeader(QWidget* column, const QRectF& cocoaFrame) {
    auto* header = new QWidget(column);
    header->setGeometry(cocoaRect(kColumnHeight, cocoaFrame).toRect());
    return header;
}

QLabel* makeCaption(QWidget* header, const QString& text) {
    auto* label = new QLabel(text, header);
    label->setGeometry(10, 0, header->width() - 20, header->height());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont font = label->font();
    font.setPixelSize(12);
    label->setFont(font);
    setTextColor(label, getColor(140, 140, 140, 1));
    return label;
}

}  // namespace

LeftViewCtl::LeftViewCtl() {
    loadInterface();
    awakeFromNib();
}

LeftViewCtl::~LeftViewCtl() = default;

// The column's layout: the grey column with the three group headers; the cells come later.
void LeftViewCtl::loadInterface() {
    columnView = new LeftView;
    columnView->resize(kToolColumnWidth, kColumnHeight);
    setParent(columnView);

    cleanupView = makeHeader(columnView, QRectF(8, 536, 184, 24));
    viewTools = makeHeader(columnView, QRectF(8, 339, 184, 24));
    privacyView = makeHeader(columnView, QRectF(8, 180, 184, 24));
    cleanupLabel = makeCaption(cleanupView, QStringLiteral("清理"));
    toolLabel = makeCaption(viewTools, QStringLiteral("工具"));
    privacyLabel = makeCaption(privacyView, QStringLiteral("系统"));
}

void LeftViewCtl::awakeFromNib() { createCellView(); }

void LeftViewCtl::createCellView() {
    const QRectF header = cocoaFrame(cleanupView);
    QRectF frame(header.x(), header.y() - kHeaderGap - kCellHeight, header.width(), kCellHeight);
    const auto& table = leftCellTable();
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        auto item = std::make_unique<LeftCellItem>();
        item->CellName = QString::fromUtf8(table[i].name);
        item->CellIcon = QString::fromUtf8(table[i].icon);
        item->CellID = i;
        item->CellSelected = (i == 0);

        auto* controller = new LeftCellViewCtr;
        controller->setItem(item.get());
        controller->setDelegate(this);
        controller->refreshCellView();
        controller->view()->setParent(columnView);
        controller->view()->setGeometry(cocoaRect(columnView->height(), frame).toRect());
        frame = getNextRect(frame, i);

        item->CellCtl = controller;
        cellObjs.push_back(std::move(item));
    }
}

QRectF LeftViewCtl::getNextRect(const QRectF& rect, int iID) const {
    if (iID == kLastCellOfCleanup) return belowHeader(viewTools, rect);
    if (iID == kLastCellOfTools) return belowHeader(privacyView, rect);
    return QRectF(rect.x(), rect.y() - kCellHeight - kCellGap, rect.width(), kCellHeight);
}

QRectF LeftViewCtl::belowHeader(const QWidget* header, const QRectF& cellFrame) const {
    const qreal headerY = cocoaFrame(header).y();
    return QRectF(cellFrame.x(), headerY - kCellHeight - kHeaderGap, cellFrame.width(), kCellHeight);
}

QRectF LeftViewCtl::cocoaFrame(const QWidget* view) const {
    return cocoaRect(columnView->height(), QRectF(view->geometry()));
}

void LeftViewCtl::selectCellView(LeftCellItem* item) {
    for (auto& cell : cellObjs) cell->CellSelected = (cell.get() == item);
    refreshCells();
    ViewMan::returnViewMan()->showView(item->CellID);
}

void LeftViewCtl::setSelectCellWithID(int cellID) {
    for (auto& cell : cellObjs) cell->CellSelected = (cell->CellID == cellID);
    refreshCells();
}

void LeftViewCtl::refreshCells() {
    for (auto& cell : cellObjs) cell->CellCtl->refreshCellView();
}

}  // namespace ui
