#pragma once

#include "ui/kit/windows/DialogWindowController.h"

class QLabel;

namespace ui {

class EUProgressView;
class ProgressWindowControllerDelegate;
class TextImageButton;

// The large-file finder's modal delete progress: the bar, the item being removed and "停止".
// A report of 100 closes it and tells the delegate that the deletion ended; its close button
// only closes it (the deletion goes on unseen).
class ProgressWindowController : public DialogWindowController {
    Q_OBJECT
public:
    ProgressWindowController();

    ProgressWindowControllerDelegate* delegate = nullptr;  // not owned

    // A report of the deletion: the share done and the item now being removed.
    void changeProgressWithPoint(int point, const QString& path);
    void stopButtonAction();

    EUProgressView* progressView() const { return progressView_; }
    QLabel* pathLabel() const { return pathLabel_; }
    TextImageButton* stopButton() const { return stopButton_; }

private:
    EUProgressView* progressView_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* pathLabel_ = nullptr;
    TextImageButton* stopButton_ = nullptr;
};

}  // namespace ui
