#include "ui/kit/tables/FlatListLook.h"

#include "ui/kit/tables/FlatItemDelegate.h"

#include <QAbstractItemView>
#include <QPalette>

namespace ui {

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
}

}  // namespace ui
