#pragma once

#include "core/duplicates/DuplicateDeletion.h"
#include "core/duplicates/DuplicateFilesOpt.h"
#include "core/duplicates/DuplicateResultTrees.h"
#include "core/duplicates/DuplicateSelection.h"
#include "core/kit/Executors.h"
#include "ui/kit/controls/DragOneFileView.h"
#include "ui/kit/tables/CheckButtonCellDelegate.h"
#include "ui/kit/tables/NewOutlineViewDelegate.h"
#include "ui/shell/MarkSureDeleteWCDelegate.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <vector>

class QFileDialog;
class QLabel;
class QMenu;
class QMessageBox;
class QWidget;

namespace ui {

class Animation;
class DuplicateOutlineModel;
class EUProgressView;
class NewOutlineView;
class SameFileDeleteViewControllerDelegate;
class SegmentedControl;
class HeaderCheckBox;
class TCImageButton;
class TextImageButton;

// The duplicate finder's page logic and its three views: the first view (the drop target and
// "添加", which open or take the folder to search, the home folder until another is chosen), the
// progress view (the path in hand with its icon, the progress bar and stop) and the result view
// (the categories, the outline of groups and copies with their tick boxes, the counts line, and
// deletion). The search and the deletion run on threads of their own; their results come back
// to the main thread, where the trees and ticks live. A stopped search's late results and
// delayed steps are dropped once another search has started.
class SameFileDeleteViewController : public QObject,
                                     public DragOneFileViewDelegate,
                                     public CheckButtonCellDelegate,
                                     public NewOutlineViewDelegate,
                                     public MarkSureDeleteWCDelegate {
    Q_OBJECT
public:
    static constexpr int kPathTextLength = 25;

    // The views are made as hidden children of host, which shows one at a time.
    SameFileDeleteViewController(core::Executors executors, QWidget* host);
    ~SameFileDeleteViewController() override;

    void setDelegate(SameFileDeleteViewControllerDelegate* delegate) { delegate_ = delegate; }
    bool isCanClick() const { return isCanClick_; }

    // Choosing the folder.
    void clickScanBtn();
    void viewDragAction(const QString& folderPath) override;
    void selectFileButtonAction(QObject* sender) override;
    void updatePathString(const QString& path);
    // The search.
    void searchBtnClicked();
    void stopScanBtnClicked();
    // The result view.
    void segmentSelect(int segment);
    void clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) override;
    void setAllSelectOrNoSelect();
    void sortByColumn(int column);
    void listRightMouseDown(QMouseEvent* event) override;
    void openFinderBtnClicked();
    void backButtonAction();
    // Deleting.
    void removeBtnClicked();
    void deleteFileButtonAction() override;
    void doRemoveDuplicateAction();
    void stopRemoveBtnClicked();

    // A path as a line shows it: its first 25 characters and "...", when longer.
    static QString shortenedPath(const QString& path);

    // The views and controls, for the host and for tests.
    QWidget* fristView() const { return fristView_; }
    QWidget* progressageView() const { return progressageView_; }
    QWidget* detailView() const { return detailView_; }
    DragOneFileView* dragView() const { return dragView_; }
    TextImageButton* addFileBut() const { return addFileBut_; }
    QLabel* nameTextStr() const { return nameTextStr_; }
    QLabel* imageView() const { return imageView_; }
    EUProgressView* progressView() const { return progressView_; }
    TextImageButton* stopScanBtn() const { return stopScanBtn_; }
    SegmentedControl* segmentControl() const { return segmentControl_; }
    NewOutlineView* outline() const { return outline_; }
    DuplicateOutlineModel* outlineModel() const { return model_; }
    HeaderCheckBox* headerCheckBox() const { return button_; }
    QLabel* titleLabel() const { return titleLabel_; }
    TextImageButton* removeButton() const { return removeButton_; }
    TCImageButton* stopRemoveBtn() const { return stopRemoveBtn_; }
    TCImageButton* backToHome() const { return backToHome_; }
    TextImageButton* pathChoseBtn() const { return pathChoseBtn_; }
    TextImageButton* openFinderBtn() const { return openFinderBtn_; }
    QWidget* loadPathView() const { return loadPathView_; }
    QLabel* rightImageView() const { return rightImageView_; }
    QLabel* loadPathText() const { return loadPathText_; }
    Animation* animation() const { return animation_; }
    QFileDialog* folderPanel() const;
    QMessageBox* alert() const;
    QMenu* contextMenu() const;
    const QString& searchPath() const { return searchPath_; }
    const core::DuplicateResultTrees& trees() const { return trees_; }
    const core::DuplicateSelection& selection() const { return selection_; }
    std::uint64_t shownProgress() const { return lastProgress_; }

private:
    struct Search;

    void makeFirstView();
    void makeProgressView();
    void makeDetailView();
    void makeOutline();
    void tableViewTitleCheckBox();
    void makeBottomBar();

    void getPathForSreachDuplicate();
    void getPrograss();
    void searchFinished(const std::shared_ptr<Search>& search);
    void delayBtnChangeStateTime(const std::shared_ptr<Search>& search);
    void showFolderChosen(const QString& path);

    void tickCopy(const core::TreeNode::Ptr& copy);
    void setSelectState(const core::TreeNode::Ptr& copy);
    void selectionChanged();
    void refreshHeaderBox();
    void showCountsLine();
    QString segmentLabel() const;

    void refreshOutlineView(const std::shared_ptr<core::DuplicateDeletion>& deletion, std::size_t index);
    void deleteFinished(const std::shared_ptr<core::DuplicateDeletion>& deletion);
    void setDeleting(bool deleting);

    core::Executors executors;
    SameFileDeleteViewControllerDelegate* delegate_ = nullptr;
    QWidget* host;

    QWidget* fristView_ = nullptr;
    DragOneFileView* dragView_ = nullptr;
    TextImageButton* addFileBut_ = nullptr;
    QPointer<QFileDialog> folderPanel_;

    QWidget* progressageView_ = nullptr;
    QLabel* imageView_ = nullptr;
    QLabel* nameTextStr_ = nullptr;
    EUProgressView* progressView_ = nullptr;
    TextImageButton* stopScanBtn_ = nullptr;
    QTimer newTimer;

    QWidget* detailView_ = nullptr;
    TCImageButton* backToHome_ = nullptr;
    SegmentedControl* segmentControl_ = nullptr;
    NewOutlineView* outline_ = nullptr;
    DuplicateOutlineModel* model_ = nullptr;
    HeaderCheckBox* button_ = nullptr;
    QWidget* bottomBgView_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    TextImageButton* removeButton_ = nullptr;
    TCImageButton* stopRemoveBtn_ = nullptr;
    TextImageButton* pathChoseBtn_ = nullptr;
    TextImageButton* openFinderBtn_ = nullptr;
    QWidget* loadPathView_ = nullptr;
    QLabel* rightImageView_ = nullptr;
    QLabel* loadPathText_ = nullptr;
    Animation* animation_ = nullptr;
    QPointer<QMessageBox> alert_;
    QPointer<QMenu> contextMenu_;

    QString searchPath_;
    std::shared_ptr<Search> search_;  // the last search started
    core::DuplicateResultTrees trees_;
    core::DuplicateSelection selection_;
    std::shared_ptr<core::DuplicateDeletion> deletion_;  // the deletion running
    std::vector<core::TreeNode::Ptr> deletingCopies_;    // its copies' nodes, in its order
    std::uint64_t lastProgress_ = 0;
    int progressNum = 1;
    int lastColumn = -1;
    bool sortDescending = false;
    QString openItemPath;
    bool isCanClick_ = true;
    bool isClickStopRemove = false;
};

}  // namespace ui
