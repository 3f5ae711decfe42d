#pragma once

#include "ui/kit/controls/FileDropArea.h"

namespace ui {

// The owner of a DragView: it takes every dropped file and the clicks that ask for a file dialog.
class DragViewDelegate {
public:
    virtual ~DragViewDelegate() = default;
    virtual void viewDragAction(const QStringList& paths) = 0;
    // The sender is always null: the click comes from the drop area, not from a button.
    virtual void selectFileButtonAction(QObject* sender) = 0;
};

// An invisible drop area over a page: it hands all the dropped files to its owner at once, and a
// click on it asks the owner to open its file dialog instead.
class DragView : public FileDropArea {
    Q_OBJECT
public:
    explicit DragView(QWidget* parent = nullptr);

    DragViewDelegate* delegate() const { return _delegate; }
    void setDelegate(DragViewDelegate* delegate) { _delegate = delegate; }

    void viewDragAction(const QStringList& paths);

protected:
    bool takeDroppedFiles(const QStringList& paths) override;
    void clicked() override;

private:
    DragViewDelegate* _delegate = nullptr;  // not owned
};

}  // namespace ui
