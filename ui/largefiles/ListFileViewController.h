#pragma once

#include "core/largefiles/ControllerDelegate.h"
#include "core/largefiles/FileNodeTree.h"
#include "ui/kit/controls/DragOneFileView.h"
#include "ui/kit/tables/CheckButtonCellDelegate.h"
#include "ui/largefiles/ProgressWindowControllerDelegate.h"
#include "ui/shell/MarkSureDeleteWCDelegate.h"

#include <QFileDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>

class QLabel;

namespace core::largefiles {
class Controller;
}

namespace ui {

class EUProgressView;
class LagFileOutlineView;
class ListFileViewControllerDelagate;
class MarkSureDeleteWC;
class ProgressWindowController;
class TCImageButton;
class TextImageButton;

// The large-file finder's two faces, which the hosting page swaps. The start view (aLoadView)
// takes a folder from "添加", a click on its drop area or a drop; the list view (listView) shows the folder's size tree while
// the scan runs (progress, pause and stop at the top right), refreshed every 2 s, and afterwards
// the selection strip (count, "删除"). The deletion runs
// with a modal progress window; while it runs (shown or not) no new scan starts and back is
// refused. Scanning and deleting go through the shared Controller.
class ListFileViewController : public QWidget,
                               public DragOneFileViewDelegate,
                               public core::largefiles::ControllerDelegate,
                               public ProgressWindowControllerDelegate,
                               public MarkSureDeleteWCDelegate,
                               public CheckButtonCellDelegate {
    Q_OBJECT
public:
    static constexpr int kRefreshMilliseconds = 2000;
    static constexpr int kRemoveDelayMilliseconds = 500;

    explicit ListFileViewController(QWidget* parent = nullptr);
    ~ListFileViewController() override;

    ListFileViewControllerDelagate* detagate = nullptr;  // the hosting page; not owned

    QWidget* aLoadView() const { return aLoadView_; }
    QWidget* listView() const { return listView_; }

    // --- Choosing a folder
    void selectFileButtonAction(QObject* sender) override;
    void viewDragAction(const QString& folderPath) override;
    // Scans a folder that lists at least one entry; anything else leaves the start view.
    void startWithFolder(const QString& path);
    void getRootNodeListWithPath(const QString& path);

    // --- The engine's reports
    void reloadTreeList() override;
    void changeProgressWithPoint(int point, const std::string& path) override;
    void changeSelectAllButtonState(int state, int selectCount) override;

    // --- The buttons
    void pauseButtonAction();
    void stopScanButtonAction();
    void backButtonAction();
    void setAllSelectOrNoSelect();
    void deleteFiles();
    void clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) override;

    // --- Deleting
    void deleteFileButtonAction() override;
    void doRemoveAction();
    void stopRemove() override;
    void removeEnd() override;

    // The state and the controls, for tests.
    bool isScan() const { return isScan_; }
    LagFileOutlineView* outlineView() const { return outlineView_; }
    const std::shared_ptr<core::largefiles::FileNodeTree>& rootNodeArr() const { return rootNodeArr_; }
    QLabel* progressLabel() const { return progressLabel_; }
    QLabel* selectCountLabel() const { return selectCountLabel_; }
    QWidget* progressBgView() const { return progressBgView_; }
    QWidget* selectLabelView() const { return selectLabelView_; }
    TCImageButton* pauseButton() const { return pauseButton_; }
    TCImageButton* stopScanButton() const { return stopScanButton_; }
    TCImageButton* selectAllButton() const { return selectAllButton_; }
    TextImageButton* deleteButton() const { return deleteButton_; }
    TextImageButton* addFileBut() const { return addFileBut_; }
    TCImageButton* backButton() const { return backButton_; }
    QFileDialog* folderPanel() const { return panel_; }
    MarkSureDeleteWC* confirmation() const { return confirmation_; }
    ProgressWindowController* progressWindow() const { return progress_.get(); }

private:
    void loadView();
    void makeStartView();
    void makeListView();
    void makeOutline();
    void tableHeaderSelectAllButton();
    void showDetailPage();
    // The scan has ended by itself.
    void endScan();
    void setPauseImage(bool paused);
    void showPauseState(bool paused);
    void showSelectionStrip(bool shown);
    // Lets the tree go and has the host show the start view.
    void showStartView();
    void chosenFolder(int result);

    void itemExpanded(const QModelIndex& index);
    void itemCollapsed(const QModelIndex& index);
    void itemClicked(const QModelIndex& index);

    core::largefiles::Controller& controller_;
    std::shared_ptr<core::largefiles::FileNodeTree> rootNodeArr_;
    QTimer sortTimer_;
    bool isScan_ = false;        // a scan is running and not paused
    bool scanShown_ = false;     // a scan was started and has not ended or been stopped
    int selectAllButSt_ = 0;

    QWidget* aLoadView_ = nullptr;
    QWidget* listView_ = nullptr;
    DragOneFileView* dragView_ = nullptr;
    TextImageButton* addFileBut_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    LagFileOutlineView* outlineView_ = nullptr;
    QWidget* progressBgView_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    EUProgressView* aProgressView_ = nullptr;
    TCImageButton* pauseButton_ = nullptr;
    TCImageButton* stopScanButton_ = nullptr;
    QWidget* selectLabelView_ = nullptr;
    QLabel* selectCountLabel_ = nullptr;
    TCImageButton* selectAllButton_ = nullptr;
    TextImageButton* deleteButton_ = nullptr;
    TCImageButton* backButton_ = nullptr;
    QPointer<QFileDialog> panel_;
    MarkSureDeleteWC* confirmation_ = nullptr;
    std::unique_ptr<ProgressWindowController> progress_;
};

}  // namespace ui
