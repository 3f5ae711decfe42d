#include "ui/kit/controls/DragView.h"

namespace ui {

DragView::DragView(QWidget* parent) : FileDropArea(parent) {}

void DragView::viewDragAction(const QStringList& paths) {
    if (_delegate) _delegate->viewDragAction(paths);
}

bool DragView::takeDroppedFiles(const QStringList& paths) {
    viewDragAction(paths);
    return true;
}

void DragView::clicked() {
    if (_delegate) _delegate->selectFileButtonAction(nullptr);
}

}  // namespace ui
