#pragma once

#include "ui/kit/windows/DialogWindowController.h"

class QLabel;
class QWidget;

namespace ui {

class CloseBrowerWindowControllerDelegate;
class TextImageButton;

// The question the browser cleaner asks before it touches the files of running browsers:
// "取消" and the window's close button only close it; "关闭" closes it and tells the delegate.
// The same window, with one button "好" that only closes it, tells what a clean passed over.
class CloseBrowerWindowController : public DialogWindowController {
    Q_OBJECT
public:
    CloseBrowerWindowController();
    // A notice: the title over the text, the window as tall as the text needs.
    CloseBrowerWindowController(const QString& title, const QString& notice);

    // Not owned: the page that shows the window outlives it.
    void setDelegate(CloseBrowerWindowControllerDelegate* delegate) { delegate_ = delegate; }
    // Shows the question's text.
    void changeNodeLabelWithStr(const QString& text);

    void cancelButtonAction();
    void closeButtonAction();

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* noteLabel() const { return noteLabel_; }
    TextImageButton* cancelButton() const { return cancelButton_; }
    TextImageButton* closeButton() const { return closeButton_; }

private:
    // The title, the note of the given height and the default button at the bottom right.
    CloseBrowerWindowController(const QString& title, int noteHeight, const QString& buttonTitle);

    CloseBrowerWindowControllerDelegate* delegate_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* noteLabel_ = nullptr;
    TextImageButton* cancelButton_ = nullptr;
    TextImageButton* closeButton_ = nullptr;
};

}  // namespace ui
