#include "ui/shredder/FormatLTypeViewController.h"

#include "core/shredder/WipeMethods.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/shredder/FormatLTypeViewDelegate.h"

#include <QEvent>
#include <QLabel>

namespace ui {
namespace {

QColor restTextColor() { return getColor(68, 68, 68, 1); }

}  // namespace

FormatLTypeViewController::FormatLTypeViewController(QWidget* parent) : QWidget(parent) {
    const auto& methods = core::WipeMethods::all();
    resize(kWidth, kRowHeight * static_cast<int>(methods.size()));
    int top = 0;
    for (const core::WipeMethod& method : methods) {
        auto* row = new SortSelectBgView(this);
        row->setObjectName(QString::number(method.tag));
        row->setGeometry(0, top, kWidth, kRowHeight);
        row->setDelegate(this);
        row->setCursor(Qt::PointingHandCursor);
        row->installEventFilter(this);
        QLabel* text = makeTextField(row, QRect(12, 0, kWidth - 24, kRowHeight), QString::fromStdString(method.name),
                                     systemFontOfSize(13), restTextColor(), Qt::AlignLeft | Qt::AlignVCenter);
        rows_.push_back(row);
        texts_.push_back(text);
        top += kRowHeight;
    }
}

void FormatLTypeViewController::selectSortType(SortSelectBgView* row) {
    if (delegate_) delegate_->delegateMouseEntered(row->objectName().toInt());
}

void FormatLTypeViewController::enterEvent(QEnterEvent*) {
    if (delegate_) delegate_->mouseEixtView(false);
}

void FormatLTypeViewController::leaveEvent(QEvent*) {
    if (delegate_) delegate_->mouseEixtView(true);
}

// A row's label turns white while its row is blue.
bool FormatLTypeViewController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        for (size_t index = 0; index < rows_.size(); ++index)
            if (rows_[index] == watched)
                setTextColor(texts_[index], event->type() == QEvent::Enter ? Qt::white : restTextColor());
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace ui
