#pragma once

#include "ui/kit/controls/FileDropArea.h"

#include <QString>

namespace ui {

// The owner of a DragOneFileView: it takes one dropped folder, and the clicks that ask for a
// folder dialog.
class DragOneFileViewDelegate {
public:
    virtual ~DragOneFileViewDelegate() = default;
    virtual void viewDragAction(const QString& folderPath) = 0;
    // The sender is always null: the click comes from the drop area, not from a button.
    virtual void selectFileButtonAction(QObject* sender) = 0;
};

// An invisible drop area that starts its owner on one folder: only the first dropped item counts,
// and only when it is a folder. A click on it asks the owner to open its folder dialog instead.
class DragOneFileView : public FileDropArea {
    Q_OBJECT
public:
    explicit DragOneFileView(QWidget* parent = nullptr);

    DragOneFileViewDelegate* delegate() const { return _delegate; }
    void setDelegate(DragOneFileViewDelegate* delegate) { _delegate = delegate; }

    void viewDragAction(const QString& folderPath);

protected:
    bool takeDroppedFiles(const QStringList& paths) override;
    void clicked() override;

private:
    DragOneFileViewDelegate* _delegate = nullptr;  // not owned
};

}  // namespace ui
