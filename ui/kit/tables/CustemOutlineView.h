#pragma once

#include "ui/kit/tables/FlatOutlineView.h"

namespace ui {

// The uninstaller's related-files outline: the selected row is filled blue, the others take the
// near-white ground; every change of the selection redraws the whole outline.
class CustemOutlineView : public FlatOutlineView {
    Q_OBJECT
public:
    explicit CustemOutlineView(QWidget* parent = nullptr);

protected:
    QColor rowColor(const QModelIndex& item) const override;
};

}  // namespace ui
