#include "ui/disks/DCustomTableView.h"

#include "ui/disks/DCustomHeaderView.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/tables/FlatListLook.h"

#include <QHeaderView>
#include <QPainter>

namespace ui {

DCustomTableView::DCustomTableView(QWidget* parent) : QTableView(parent), header(new DCustomHeaderView(this)) {
    setHorizontalHeader(header);
    verticalHeader()->hide();
    setShowGrid(false);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, getColor(254, 253, 255, 1));
    setPalette(colors);
    useFlatScrollBars(*this);
}

void DCustomTableView::setSelectNum(int row) {
    rowNum_ = row;
    viewport()->update();
}

void DCustomTableView::paintEvent(QPaintEvent* event) {
    fillRows();
    QTableView::paintEvent(event);
}

void DCustomTableView::fillRows() {
    if (!model()) return;
    QPainter painter(viewport());
    for (int row = 0; row < model()->rowCount(); ++row) {
        const QRect rowRect(0, rowViewportPosition(row), kRowFillWidth, rowHeight(row));
        if (!rowRect.intersects(viewport()->rect())) continue;
        painter.fillRect(rowRect, getColor(254, 253, 255, 1));
        if (row == rowNum_) painter.fillRect(rowRect, getColor(255, 255, 255, 0.9));
    }
}

}  // namespace ui
