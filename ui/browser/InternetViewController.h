#pragma once

#include "core/browser/BrowerObj.h"
#include "core/browser/PassedOverNode.h"
#include "core/browser/RunningBrowsers.h"
#include "core/kit/Executors.h"
#include "core/kit/ProgressState.h"
#include "core/kit/StopToken.h"
#include "ui/browser/CloseBrowerWindowControllerDelegate.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/tables/CheckButtonCellDelegate.h"
#include "ui/shell/ViewDelegate.h"

#include <QTimer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QLabel;

namespace core::browser {
class BrowserCleanJob;
}

namespace ui {

class BroTableView;
class BrowserItemModel;
class BrowserNodeModel;
class CloseBrowerWindowController;
class RFOverlayScrollView;
class SpinningImageView;
class TCImageButton;
class TextImageButton;

// Tool page 3, the browser and privacy cleaner. "扫描" (after asking to close the running
// browsers) finds the browsers and their profiles with the items of each measured, on a worker;
// the left table lists them, the right one the chosen one's items with their sizes. "清理"
// asks to close the running browsers among the ticked ones, then cleans the ticked items on a
// worker, shows what is left and says which browsers it passed over and why. The running
// browsers are listed on a worker too, the loading view shown meanwhile. Busy (no tool switch)
// for the whole clean, its questions included.
class InternetViewController : public QWidget,
                               public ViewDelegate,
                               public CheckButtonCellDelegate,
                               public CloseBrowerWindowControllerDelegate {
    Q_OBJECT
public:
    // How long a clean waits for the browsers it asked to quit.
    static constexpr std::chrono::milliseconds kBrowserQuitTimeout{10000};
    // How long a scan waits after asking the browsers to quit.
    static constexpr std::chrono::milliseconds kScanDelayAfterClosing{1000};

    explicit InternetViewController(core::Executors executors = Dispatch::executors(), QWidget* parent = nullptr);
    ~InternetViewController() override;

    QWidget* getView() override { return this; }
    int getViewID() override { return 3; }
    bool isCanClick() override { return isCanClick_; }

    // The buttons' actions.
    void checkOpenBrower();
    void getBrowserArr();
    void cleanButtonAction();
    void backHomeButtonAction();
    // A check box of either table, for the row that was clicked.
    void clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) override;
    void selectBrower(BroTableView* table, int row);
    // From the close question.
    void closeBrowerButtonAction() override;
    // Signals the browsers of allOpenId to quit.
    void doAction();
    void changeCleanButtonState();
    void changeDetail();

    // For tests: a shorter wait for browsers that were asked to quit.
    void setBrowserQuitTimeout(std::chrono::milliseconds timeout) { browserQuitTimeout = timeout; }

    // The list and the controls, for tests.
    const core::browser::BrowserList& browsers() const { return browserArr; }
    int broSelectIndex() const { return broSelectIndex_; }
    BroTableView* leftTableView() const { return leftTableView_; }
    BroTableView* rightTableView() const { return rightTableView_; }
    RFOverlayScrollView* subBroScrollView() const { return subBroScrollView_; }
    TextImageButton* scanButton() const { return scanButton_; }
    TextImageButton* cleanButton() const { return cleanButton_; }
    TCImageButton* backHomeButton() const { return backHomeButton_; }
    QLabel* nameLabel() const { return nameLabel_; }
    QWidget* loadBgView() const { return loadBgView_; }
    QWidget* loadAnView() const { return loadAnView_; }
    QWidget* detailBGView() const { return detailBGView_; }
    CloseBrowerWindowController* closeBroWC() const { return closeBroWC_.get(); }
    // The last notice of browsers a clean passed over, if one was shown.
    CloseBrowerWindowController* passedOverWC() const { return passedOverWC_.get(); }
    // The notice's text: each node passed over with its reason, in the list's order.
    static QString passedOverText(const std::vector<core::browser::PassedOverNode>& nodes);

private:
    void awakeFromNib();
    void makeStartView();
    void makeLoadingView();
    void makeResultView();
    BroTableView* makeTable(QWidget* parent);
    void showView(QWidget* view);
    void showLoading(const QString& text);
    void scanFinished(core::browser::BrowserList list);
    // Lists the running browsers on a worker, then goes on with them on the main thread.
    void withRunningBrowsers(std::function<void(std::vector<core::browser::RunningBrowser>)> then);
    void closeBrowsersAndScan(std::vector<core::browser::RunningBrowser> running);
    void closeBrowsersAndClean(std::vector<core::browser::RunningBrowser> running);
    // Asks the user to close the listed browsers; true when they chose "关闭".
    bool askToClose(const std::vector<core::browser::RunningBrowser>& browsers);
    void cleanBrowerFiles(std::vector<core::browser::RunningBrowser> askedToQuit);
    void cleanFinished(const core::browser::BrowserCleanJob& job);
    void showPassedOver(const std::vector<core::browser::PassedOverNode>& nodes);
    void reloadTables();
    void showProgress();

    core::Executors executors;
    core::browser::BrowserList browserArr;
    int broSelectIndex_ = 0;
    std::vector<core::browser::RunningBrowser> allOpenId;
    bool isClose = false;
    bool isCanClick_ = true;
    std::chrono::milliseconds browserQuitTimeout = kBrowserQuitTimeout;
    // The run in hand (a scan or a clean): stopped when the page goes, read by the timer.
    std::shared_ptr<core::StopToken> stop;
    std::shared_ptr<const core::ProgressState> progress;
    QTimer progressTimer;

    TextImageButton* scanButton_ = nullptr;
    TextImageButton* cleanButton_ = nullptr;
    TCImageButton* backHomeButton_ = nullptr;
    QWidget* loadBgView_ = nullptr;
    QWidget* loadAnView_ = nullptr;
    QWidget* detailBGView_ = nullptr;
    SpinningImageView* loadingView_ = nullptr;
    QLabel* loadingLabel_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* nodeLabel_ = nullptr;
    RFOverlayScrollView* subBroScrollView_ = nullptr;
    BroTableView* leftTableView_ = nullptr;
    BroTableView* rightTableView_ = nullptr;
    BrowserNodeModel* nodeModel = nullptr;
    BrowserItemModel* itemModel = nullptr;
    std::unique_ptr<CloseBrowerWindowController> closeBroWC_;
    std::unique_ptr<CloseBrowerWindowController> passedOverWC_;
};

}  // namespace ui
