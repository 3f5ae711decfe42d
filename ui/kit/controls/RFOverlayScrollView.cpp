#include "ui/kit/controls/RFOverlayScrollView.h"

#include "ui/kit/controls/RFOverlayScroller.h"

#include <QAbstractScrollArea>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace ui {

RFOverlayScrollView::RFOverlayScrollView(QWidget* parent) : QWidget(parent), scroller_(new RFOverlayScroller(this)) {
    scroller_->hide();
}

void RFOverlayScrollView::setDocumentView(QAbstractScrollArea* content) {
    content_ = content;
    content_->setParent(this);
    content_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QScrollBar* own = content_->verticalScrollBar();
    connect(own, &QScrollBar::rangeChanged, this, [this] { followContent(); });
    connect(own, &QScrollBar::valueChanged, scroller_, &QScrollBar::setValue);
    connect(scroller_, &QScrollBar::valueChanged, own, &QScrollBar::setValue);
    headerOffset_ = tableHeaderOffsetFromSuperview();
    content_->show();
    followContent();
    tile();
}

void RFOverlayScrollView::setHeaderOffset(int offset) {
    headerOffset_ = offset;
    tile();
}

int RFOverlayScrollView::tableHeaderOffsetFromSuperview() const {
    auto* table = qobject_cast<QTableView*>(content_);
    if (!table || !table->horizontalHeader() || table->horizontalHeader()->isHidden()) return 0;
    return table->horizontalHeader()->height();
}

void RFOverlayScrollView::tile() {
    if (content_) content_->setGeometry(rect());
    scroller_->setGeometry(width() - RFOverlayScroller::kWidth, headerOffset_, RFOverlayScroller::kWidth,
                           qMax(0, height() - headerOffset_));
    scroller_->raise();
}

void RFOverlayScrollView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    tile();
}

// The scroller mirrors the content's own scroll bar, and shows only while there is something
// to scroll.
void RFOverlayScrollView::followContent() {
    const QScrollBar* own = content_->verticalScrollBar();
    scroller_->setRange(own->minimum(), own->maximum());
    scroller_->setPageStep(own->pageStep());
    scroller_->setSingleStep(own->singleStep());
    scroller_->setValue(own->value());
    scroller_->setVisible(own->maximum() > own->minimum());
    scroller_->raise();
}

}  // namespace ui
