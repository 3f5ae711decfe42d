#include "ui/kit/tables/FlatListLook.h"

#include "ui/kit/tables/FlatItemDelegate.h"

#include <QAbstractItemView>
#include <QPalette>
#include <QScrollBar>

namespace ui {
namespace {

// 14 points across, as the desktop style's bars, so the lists keep their widths; the knob is
// 7 points wide, 2 from the outer edge.
const char* const kFlatScrollBars = R"(
QScrollBar { background: rgb(254, 253, 255); border: none; margin: 0; }
QScrollBar:vertical { width: 14px; }
QScrollBar:horizontal { height: 14px; }
QScrollBar::handle { background: rgba(0, 0, 0, 90); border-radius: 3px; }
QScrollBar::handle:hover, QScrollBar::handle:pressed { background: rgba(0, 0, 0, 128); }
QScrollBar::handle:vertical { min-height: 24px; margin: 2px 2px 2px 5px; }
QScrollBar::handle:horizontal { min-width: 24px; margin: 5px 2px 2px 2px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
)";

}  // namespace

void useFlatListLook(QAbstractItemView& view) {
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setItemDelegate(new FlatItemDelegate(&view));
    QPalette palette = view.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Highlight, Qt::transparent);
        palette.setColor(group, QPalette::HighlightedText, palette.color(group, QPalette::Text));
    }
    view.setPalette(palette);
    useFlatScrollBars(view);
}

void useFlatScrollBars(QAbstractScrollArea& area) {
    area.verticalScrollBar()->setStyleSheet(kFlatScrollBars);
    area.horizontalScrollBar()->setStyleSheet(kFlatScrollBars);
}

}  // namespace ui
