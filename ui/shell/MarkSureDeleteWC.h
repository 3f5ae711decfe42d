#pragma once

#include "ui/kit/windows/DialogWindowController.h"

#include <atomic>

class QLabel;

namespace ui {

class MarkSureDeleteWCDelegate;
class TextImageButton;

// The confirmation the duplicate finder and the large-file finder show before they delete the
// chosen files: "取消" and the close button close it; "删除" tells the delegate, then closes.
class MarkSureDeleteWC : public DialogWindowController {
    Q_OBJECT
public:
    MarkSureDeleteWC();

    MarkSureDeleteWCDelegate* delegate() const { return delegate_; }
    // Not owned: the page that shows the window outlives it.
    void setDelegate(MarkSureDeleteWCDelegate* delegate) { delegate_ = delegate; }

    QLabel* titleLabel() const { return titleLabel_; }
    TextImageButton* cancelButton() const { return cancelButton_; }
    TextImageButton* okButton() const { return okButton_; }

    void cancelButtonAction();
    void okButtonAction();

private:
    void windowDidLoad();

    std::atomic<MarkSureDeleteWCDelegate*> delegate_{nullptr};
    QLabel* titleLabel_ = nullptr;
    TextImageButton* cancelButton_ = nullptr;
    TextImageButton* okButton_ = nullptr;
};

}  // namespace ui
