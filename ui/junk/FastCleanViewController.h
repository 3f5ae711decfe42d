#pragma once

#include "core/junk/TCTreeNode.h"
#include "core/kit/Executors.h"
#include "ui/junk/FastTypeViewDelegate.h"
#include "ui/kit/tables/CheckButtonCellDelegate.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/shell/ViewDelegate.h"

#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

class QAbstractItemDelegate;
class QAbstractItemView;
class QLabel;
class QModelIndex;

namespace core::junk {
class JunkRemoval;
}

namespace ui {

class CheckButtonCell;
class CustomTableView;
class EUProgressView;
class FastTypeView;
class JunkNodeModel;
class SocialOutlineView;
class HeaderCheckBox;
class TCImageButton;
class TextImageButton;
class junkView;

// Tool page 0, the junk cleaner: a start screen with the scan button, the scan screen (progress,
// the path being sized, stop), the six category tiles with their check boxes, sizes and the
// total to clean, the detail screen of one category (a table, or the chat applications'
// outline) and the clean with its end screen. Only the start screen is made with the page; the
// others, which it hides, are made by the first scan or ahead of it. The trees the scan hands
// over are read and changed on the main thread only.
class FastCleanViewController : public QWidget,
                                public ViewDelegate,
                                public FastTypeViewDelegate,
                                public CheckButtonCellDelegate {
    Q_OBJECT
public:
    using Categories = std::vector<std::shared_ptr<core::junk::TCTreeNode>>;

    explicit FastCleanViewController(core::Executors executors = Dispatch::executors(), QWidget* parent = nullptr);
    ~FastCleanViewController() override;

    QWidget* getView() override { return this; }
    int getViewID() override { return 0; }
    bool isCanClick() override { return isCanClick_; }

    // The scan, tile and detail screens behind the start screen, which stays shown; once only.
    void makeHiddenScreens();

    // The buttons' actions.
    void beginScanFile();
    void stopButtonAction();
    void backHomeButtonAction();
    void beginCleanFile();
    void backToDetailButtonAction();
    void setAllSelectOrNoSelect();
    void checkBoxButtonAction(int tag) override;
    void detailButtonAction(int tag) override;
    // A row's check box or open button, for the row that was clicked.
    void clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) override;
    void outlineCheckboxClicked(const QModelIndex& row);
    void openFinderButtonClicked(const QModelIndex& row);

    // What the scan reports: a finished category, and the path it is sizing.
    void getProgress(int index);
    void getPath(const QString& path);

    // The screens and controls, for the shell and for tests; those of the hidden screens are
    // nullptr until the screens are made.
    QWidget* mainView() const { return mainView_; }
    junkView* scanView() const { return scanView_; }
    QWidget* detailView() const { return detailView_; }
    QWidget* subDetailView() const { return subDetailView_; }
    TextImageButton* scanBut() const { return scanBut_; }
    TextImageButton* cleanBut() const { return cleanBut_; }
    TextImageButton* stopBut() const { return stopBut_; }
    TCImageButton* backHomeButton() const { return backHomeButton_; }
    TCImageButton* backToDetailButton() const { return backToDetailButton_; }
    HeaderCheckBox* selectAllButton() const { return selectAllButton_; }
    EUProgressView* progressView() const { return progressView_; }
    QLabel* pathLabel() const { return pathLabel_; }
    QLabel* totalSizeLabel() const { return totalSizeLabel_; }
    QLabel* completedLabel() const { return completedLabel_; }
    QLabel* subDetailTitleLabel() const { return subDetailTitleLabel_; }
    QLabel* selectFileLabel() const { return selectFileLabel_; }
    CustomTableView* subDetailTableView() const { return subDetailTableView_; }
    SocialOutlineView* socialOutlineView() const { return socialOutlineView_; }
    const std::vector<FastTypeView*>& allListViewArr() const { return allListViewArr_; }
    const Categories& allTypeArr() const { return allTypeArr_; }
    core::junk::TCTreeNode* selectTreeNode() const { return selectTreeNode_; }
    int64_t totalSize() const { return totalSize_; }
    int64_t cleanTotalSize() const { return cleanTotalSize_; }
    int aSelectAllState() const { return aSelectAllState_; }
    bool isScanning() const { return isScanning_; }

private:
    void awakeFromNib();
    void makeStartScreen();
    void makeScanScreen();
    void makeTileScreen();
    void makeDetailScreen();
    void setUpList(QAbstractItemView* list, JunkNodeModel* model, CheckButtonCell* check, QAbstractItemDelegate* name);
    void tableViewTitleCheckBox();
    void showScreen(QWidget* screen);

    void addDetailView(const Categories& trees);
    void removeTiles();
    void refreshTiles();
    void setTotalSizeLabel();
    void changeCleanButtonEnabled();
    void selectionChanged();
    void updateSelectLabel();
    void updateSelectAllButton();
    void cleanEnd(const std::shared_ptr<core::junk::JunkRemoval>& removal);

    core::Executors executors;
    QTimer pathTimer;

    QWidget* mainView_ = nullptr;
    TextImageButton* scanBut_ = nullptr;
    junkView* scanView_ = nullptr;
    EUProgressView* progressView_ = nullptr;
    QLabel* pathLabel_ = nullptr;
    TextImageButton* stopBut_ = nullptr;
    QWidget* detailView_ = nullptr;
    TCImageButton* backHomeButton_ = nullptr;
    QLabel* completedLabel_ = nullptr;
    QLabel* totalSizeLabel_ = nullptr;
    TextImageButton* cleanBut_ = nullptr;
    QWidget* subDetailView_ = nullptr;
    TCImageButton* backToDetailButton_ = nullptr;
    QLabel* subDetailTitleLabel_ = nullptr;
    QLabel* selectFileLabel_ = nullptr;
    QLabel* normalLable = nullptr;  // its font gives the face of highlighted sizes
    CustomTableView* subDetailTableView_ = nullptr;
    SocialOutlineView* socialOutlineView_ = nullptr;
    JunkNodeModel* tableModel = nullptr;
    JunkNodeModel* outlineModel = nullptr;
    HeaderCheckBox* selectAllButton_ = nullptr;

    Categories allTypeArr_;
    std::vector<FastTypeView*> allListViewArr_;
    core::junk::TCTreeNode* selectTreeNode_ = nullptr;
    int64_t totalSize_ = 0;
    int64_t cleanTotalSize_ = 0;
    bool isCanClick_ = true;
    bool isScanning_ = false;
    int aSelectAllState_ = 0;
};

}  // namespace ui
