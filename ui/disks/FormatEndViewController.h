#pragma once

#include "ui/kit/windows/DialogWindowController.h"

class QLabel;

namespace ui {

class FormatEndVCDelegate;
class TextImageButton;

// The notice after a format, and after an action the disk utility refused (then with its
// reason): "好的" and the close box ask the delegate to read the volumes again and close it.
class FormatEndViewController : public DialogWindowController {
    Q_OBJECT
public:
    FormatEndViewController(const QString& title, const QString& message);

    void setDelegate(FormatEndVCDelegate* delegate) { delegate_ = delegate; }
    void closeWindowAction();

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* messageLabel() const { return messageLabel_; }
    TextImageButton* closeButton() const { return closeButton_; }

private:
    FormatEndVCDelegate* delegate_ = nullptr;  // not owned
    QLabel* titleLabel_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    TextImageButton* closeButton_ = nullptr;
};

}  // namespace ui
