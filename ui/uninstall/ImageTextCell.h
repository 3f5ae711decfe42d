#pragma once

#include "ui/kit/tables/FlatItemDelegate.h"

namespace ui {

// The uninstaller's name cell: the model's decoration drawn 32 by 32 near the left, the name
// (the display text) on a first line and the bundle identifier (SecondaryTextRole) on a second
// one in grey; without an identifier the name sits lower, on the row's middle.
class ImageTextCell : public FlatItemDelegate {
    Q_OBJECT
public:
    // The model role that holds the second line.
    static constexpr int SecondaryTextRole = Qt::UserRole + 1;

    explicit ImageTextCell(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace ui
