#pragma once

#include "ui/kit/tables/FlatOutlineView.h"

namespace ui {

class NewOutlineViewDelegate;

// The duplicate finder's and large-file finder's outline: the marked row a touch whiter than the
// near-white ground. A right click does nothing but tell aDelegate (when there is one) on release;
// it neither selects a row nor opens a menu.
class NewOutlineView : public FlatOutlineView {
    Q_OBJECT
public:
    explicit NewOutlineView(QWidget* parent = nullptr);

    NewOutlineViewDelegate* aDelegate() const { return rightClickDelegate; }
    void setADelegate(NewOutlineViewDelegate* delegate) { rightClickDelegate = delegate; }

protected:
    QColor rowColor(const QModelIndex& item) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    NewOutlineViewDelegate* rightClickDelegate = nullptr;
};

}  // namespace ui
