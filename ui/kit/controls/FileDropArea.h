#pragma once

#include <QStringList>
#include <QWidget>

class QMimeData;

namespace ui {

// An invisible area that takes files dragged onto it and clicks. It listens for two kinds of
// payload, in this order: a TIFF picture (taken and ignored) and file names (local file URLs;
// any other URL is dropped on the floor). What the files and the click mean is up to the
// subclass.
class FileDropArea : public QWidget {
    Q_OBJECT
public:
    explicit FileDropArea(QWidget* parent = nullptr);

    // The local file paths a drop carries, in the order they were dragged.
    static QStringList droppedFilePaths(const QMimeData* payload);

protected:
    // Returns whether the files were taken; a refused drop goes back to its source.
    virtual bool takeDroppedFiles(const QStringList& paths) = 0;
    virtual void clicked() = 0;

    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool performDragOperation(const QMimeData* payload);
};

}  // namespace ui
