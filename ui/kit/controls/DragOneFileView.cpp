#include "ui/kit/controls/DragOneFileView.h"

#include <QFileInfo>

namespace ui {

DragOneFileView::DragOneFileView(QWidget* parent) : FileDropArea(parent) {}

void DragOneFileView::viewDragAction(const QString& folderPath) {
    if (_delegate) _delegate->viewDragAction(folderPath);
}

// Only the first dropped item is looked at; a file there (or a path that vanished) refuses the
// whole drop, whatever follows it.
bool DragOneFileView::takeDroppedFiles(const QStringList& paths) {
    const QString& first = paths.first();
    if (!QFileInfo(first).isDir()) return false;
    viewDragAction(first);
    return true;
}

void DragOneFileView::clicked() {
    if (_delegate) _delegate->selectFileButtonAction(nullptr);
}

}  // namespace ui
