#pragma once

#include "ui/kit/tables/FlatOutlineView.h"

namespace ui {

// The junk cleaner's chat-application outline: the marked row grey, the others the near-white
// ground. Setting rowNum and every change of the selection redraw the whole outline.
class SocialOutlineView : public FlatOutlineView {
    Q_OBJECT
public:
    explicit SocialOutlineView(QWidget* parent = nullptr);

    void setRowNum(int row) override;

protected:
    QColor rowColor(const QModelIndex& item) const override;
};

}  // namespace ui
