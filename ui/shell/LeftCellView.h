#pragma once

#include <QWidget>

namespace ui {

class MouseEvent;
struct LeftCellItem;

// The view of one cell of the left column. It draws nothing itself (its icon, label and
// selection picture are child views) and passes a left-button press to its delegate.
class LeftCellView : public QWidget {
    Q_OBJECT
public:
    explicit LeftCellView(QWidget* parent = nullptr);

    void setItem(LeftCellItem* item);
    LeftCellItem* item() const { return dictItem; }
    void setDelegate(MouseEvent* delegate);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    LeftCellItem* dictItem = nullptr;
    MouseEvent* delegate = nullptr;
};

}  // namespace ui
