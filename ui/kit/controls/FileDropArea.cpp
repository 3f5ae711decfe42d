#include "ui/kit/controls/FileDropArea.h"

#include "platform/system/Log.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace ui {

namespace {

const QString kTiffType = QStringLiteral("image/tiff");

bool carriesListenedPayload(const QMimeData* payload) {
    return payload->hasFormat(kTiffType) || payload->hasUrls();
}

}  // namespace

FileDropArea::FileDropArea(QWidget* parent) : QWidget(parent) { setAcceptDrops(true); }

QStringList FileDropArea::droppedFilePaths(const QMimeData* payload) {
    QStringList paths;
    for (const QUrl& url : payload->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) paths << url.toLocalFile();
    return paths;
}

// A drag is welcome when it may be copied: the pointer then shows the copy cursor. Moving or
// linking alone is refused.
void FileDropArea::dragEnterEvent(QDragEnterEvent* event) {
    if (carriesListenedPayload(event->mimeData()) && event->possibleActions().testFlag(Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void FileDropArea::dropEvent(QDropEvent* event) {
    if (performDragOperation(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
    update();
}

bool FileDropArea::performDragOperation(const QMimeData* payload) {
    if (payload->hasFormat(kTiffType)) {
        if (payload->data(kTiffType).isEmpty()) {
            platform::logError("Error: MyNSView performDragOperation zPasteboardData == nil");
            return false;
        }
        return true;
    }
    const QStringList paths = droppedFilePaths(payload);
    if (paths.isEmpty()) {
        platform::logError("Error MyNSView performDragOperation");
        return false;
    }
    return takeDroppedFiles(paths);
}

// The press is taken so that the release comes here too: the click counts on release.
void FileDropArea::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void FileDropArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    clicked();
}

}  // namespace ui
