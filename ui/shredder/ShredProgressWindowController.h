#pragma once

#include "core/kit/Executors.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/windows/DialogWindowController.h"
#include "ui/kit/windows/MAAttachedWindow.h"
#include "ui/shredder/FormatLTypeViewController.h"
#include "ui/shredder/FormatLTypeViewDelegate.h"

#include <QPointer>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace ui {

class EUProgressView;
class ShredProgressWindowDelegate;
class TextImageButton;

// The shred window. It opens on the confirmation ("取消" closes it, "继续" starts the erasing),
// which shows how many files will be erased and the stored erase method, chosen in a pop-up;
// then the progress (the bar, the path being erased, "停止"), and last success or failure,
// which "好的" closes. Only one of the four views shows at a time. While the erasing runs the
// window cannot be closed.
class ShredProgressWindowController : public DialogWindowController, public FormatLTypeViewDelegate {
    Q_OBJECT
public:
    explicit ShredProgressWindowController(core::Executors executors = Dispatch::executors());
    ~ShredProgressWindowController() override;

    void setDelegate(ShredProgressWindowDelegate* delegate) { delegate_ = delegate; }

    // The confirmation's count of files the run will erase.
    void setFileCount(size_t count);
    // The bar (a percentage) and the path being erased.
    void changeProgressValue(int percent, const QString& path);
    void showProgressView();
    void showSeccView();
    // failText says why: the user stopped, or how many items were not erased; the list below it
    // names the items that are still there (hidden when there are none).
    void showFailView(const QString& failText, const QStringList& failedPaths);
    // Shows a method's passes and name.
    void selectFormatbyType(int tag);

    // The buttons' actions.
    void openMenuAction();
    void okButtonAction();
    void cancelButtonAction();
    void stopButtonAction();

    // The method pop-up.
    void delegateMouseEntered(int tag) override;
    void mouseEixtView(bool exited) override;

    // The parts, for tests.
    QLabel* titleLabel() const { return titleLabel_; }
    QWidget* makeSureView() const { return makeSureView_; }
    QWidget* progressBlowView() const { return progressBlowView_; }
    QWidget* successBlowView() const { return successBlowView_; }
    QWidget* failBlowView() const { return failBlowView_; }
    TextImageButton* cancelButton() const { return cancelButton_; }
    TextImageButton* yesButton() const { return yesButton_; }
    TextImageButton* stopButton() const { return stopButton_; }
    TextImageButton* successOkButton() const { return successOkButton_; }
    TextImageButton* failOkButton() const { return FailOkButton_; }
    QLabel* pathLabel() const { return pathLabel_; }
    QLabel* shredNodeLabel() const { return shredNodeLabel_; }
    QLabel* cancelNodeLabel() const { return cancelNodeLabel_; }
    QLabel* failedNodeLable() const { return failedNodeLable_; }
    QListWidget* failedItemsList() const { return failedItemsList_; }
    QLabel* fileCountLabel() const { return fileCountLabel_; }
    QLabel* wipeType() const { return wipeType_; }
    QLabel* formatTypeText() const { return formatTypeText_; }
    QPushButton* formatButton() const { return formatButton_; }
    EUProgressView* progressView() const { return progressView_; }
    bool isPopSortWin() const { return isPopSortWin_; }
    FormatLTypeViewController* formatTypeVC() const { return formatTypeVC_; }
    MAAttachedWindow* sortAttachedWindow() const { return sortAttachedWindow_; }

private:
    void makeConfirmationView(QWidget* content);
    void makeProgressView(QWidget* content);
    void makeEndViews(QWidget* content);
    void showOnly(QWidget* view);
    void closeFormatMenu();

    core::Executors executors_;
    ShredProgressWindowDelegate* delegate_ = nullptr;  // not owned
    QLabel* titleLabel_ = nullptr;
    QWidget* makeSureView_ = nullptr;
    QWidget* progressBlowView_ = nullptr;
    QWidget* successBlowView_ = nullptr;
    QWidget* failBlowView_ = nullptr;
    TextImageButton* cancelButton_ = nullptr;
    TextImageButton* yesButton_ = nullptr;
    TextImageButton* stopButton_ = nullptr;
    TextImageButton* successOkButton_ = nullptr;
    TextImageButton* FailOkButton_ = nullptr;
    QLabel* pathLabel_ = nullptr;
    QLabel* shredNodeLabel_ = nullptr;
    QLabel* cancelNodeLabel_ = nullptr;
    QLabel* failedNodeLable_ = nullptr;
    QListWidget* failedItemsList_ = nullptr;
    QLabel* fileCountLabel_ = nullptr;
    QLabel* wipeType_ = nullptr;
    QLabel* formatTypeText_ = nullptr;
    QPushButton* formatButton_ = nullptr;
    EUProgressView* progressView_ = nullptr;
    bool isPopSortWin_ = false;
    bool pointerEnteredPopUp_ = false;
    QPointer<FormatLTypeViewController> formatTypeVC_;
    QPointer<MAAttachedWindow> sortAttachedWindow_;
};

}  // namespace ui
