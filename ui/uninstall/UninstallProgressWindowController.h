#pragma once

#include "ui/kit/windows/DialogWindowController.h"

class QLabel;
class QWidget;

namespace ui {

class EUProgressView;
class TextImageButton;
class UninstallProgressDelegate;

// The uninstall's progress window: while the run goes, the path being removed over the bar;
// at 100 the end pane with the size freed, how many items could not be removed, and "好的".
// "好的" and the close button both tell the delegate (uninstallEnd), then close the window.
class UninstallProgressWindowController : public DialogWindowController {
    Q_OBJECT
public:
    UninstallProgressWindowController();

    // Not owned: the related-files window outlives its progress window.
    void setDelegate(UninstallProgressDelegate* delegate) { delegate_ = delegate; }

    // The bar at percent and the path under way; from 100 on the end pane shows instead.
    void changeProgressValue(int percent, const QString& path);
    // The freed size on the end pane, as a size text.
    void changeLabel(const QString& sizeText);
    // "%d 项未能删除" on the end pane; nothing when every item went.
    void changeFailureCount(int failures);
    void okButtonAction();

    // The parts, for tests.
    QLabel* titleLabel() const { return titleLabel_; }
    EUProgressView* progressView() const { return aProgressView; }
    QLabel* pathLabel() const { return pathLabel_; }
    QLabel* messageLabel() const { return messageLabel_; }
    QLabel* failureLabel() const { return failureLabel_; }
    QWidget* runningView() const { return progressView_; }
    QWidget* endView() const { return endView_; }
    TextImageButton* okButton() const { return okButton_; }

private:
    void windowDidLoad();
    void makeRunningPane(QWidget* content);
    void makeEndPane(QWidget* content);

    UninstallProgressDelegate* delegate_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QWidget* progressView_ = nullptr;
    EUProgressView* aProgressView = nullptr;
    QLabel* pathLabel_ = nullptr;
    QWidget* endView_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    QLabel* failureLabel_ = nullptr;
    TextImageButton* okButton_ = nullptr;
};

}  // namespace ui
