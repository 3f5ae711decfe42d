#pragma once

#include "ui/kit/windows/DialogWindowController.h"

class QLabel;
class QLineEdit;

namespace ui {

class RenameVCDelegate;
class TextImageButton;

// The rename dialog: the volume's name in an editable field; "继续" tells the delegate the
// field's text and closes, "取消" and the close box only close.
class RenameViewController : public DialogWindowController {
    Q_OBJECT
public:
    explicit RenameViewController(const QString& name);

    void setDelegate(RenameVCDelegate* delegate) { delegate_ = delegate; }
    void okButtonAction();
    void noButtonAction();

    QLineEdit* inputName() const { return inputName_; }
    TextImageButton* okButton() const { return okButton_; }
    TextImageButton* noButton() const { return noButton_; }

private:
    RenameVCDelegate* delegate_ = nullptr;  // not owned
    QLineEdit* inputName_ = nullptr;
    TextImageButton* okButton_ = nullptr;
    TextImageButton* noButton_ = nullptr;
};

}  // namespace ui
