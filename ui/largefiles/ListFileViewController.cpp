#include "ui/largefiles/ListFileViewController.h"

#include "core/largefiles/Controller.h"
#include "core/largefiles/Progress.h"
#include "platform/desktop/Workspace.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/controls/junkView.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/Sheets.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/largefiles/FileNodeModel.h"
#include "ui/largefiles/LagFileOutlineView.h"
#include "ui/largefiles/ListFileViewControllerDelagate.h"
#include "ui/largefiles/ProgressWindowController.h"
#include "ui/shell/MarkSureDeleteWC.h"
#include "ui/shell/ToolColumn.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>

namespace ui {

using core::largefiles::Controller;
using core::largefiles::FileNode;
using core::largefiles::Progress;

namespace {

const QRect kOutlineFrame(20, 56, 700, 470);
constexpr QSize kPanelSize(720, 460);

QColor textColor() { return getColor(68, 68, 68, 1); }

TCImageButton* pictureButton(QWidget* parent, const QRect& frame, const QString& picture) {
    auto* button = new TCImageButton(parent);
    button->setImageFromFileNormalName(picture, picture, picture, picture);
    button->setGeometry(frame);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

}  // namespace

ListFileViewController::ListFileViewController(QWidget* parent)
    : QWidget(parent), controller_(Controller::getController()) {
    resize(kPageWidth, kPageHeight);
    loadView();
}

ListFileViewController::~ListFileViewController() {
    if (controller_.aDelegate == this) controller_.aDelegate = nullptr;
    if (scanShown_) controller_.stopScan();
}

void ListFileViewController::loadView() {
    makeStartView();
    makeListView();
    controller_.aDelegate = this;
    sortTimer_.setInterval(kRefreshMilliseconds);
    connect(&sortTimer_, &QTimer::timeout, this, &ListFileViewController::reloadTreeList);
    listView_->hide();
}

void ListFileViewController::makeStartView() {
    aLoadView_ = new QWidget(this);
    aLoadView_->setGeometry(rect());
    dragView_ = new DragOneFileView(aLoadView_);
    dragView_->setGeometry(120, 80, 500, 300);
    dragView_->setDelegate(this);
    auto* picture = new QLabel(aLoadView_);
    picture->setPixmap(imageNamed(QStringLiteral("largefile_home")));
    picture->setGeometry(270, 112, 200, 168);
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    makeTextField(aLoadView_, QRect(0, 296, kPageWidth, 34), QStringLiteral("查找大文件"), boldSystemFontOfSize(22),
                  getColor(45, 45, 45, 1), Qt::AlignCenter);
    makeTextField(aLoadView_, QRect(0, 336, kPageWidth, 22),
                  QStringLiteral("把文件夹拖到这里，或点击“添加”选择要查找的文件夹，其中的文件和文件夹将按大小排列"),
                  systemFontOfSize(13), getColor(136, 136, 136, 1), Qt::AlignCenter);
    addFileBut_ = TextImageButton::actionButton(aLoadView_, cocoaRect(kPageHeight, 310, 164, 120, 32).toRect(),
                                                QStringLiteral("添加"), QStringLiteral("new_btn_scan"));
    connect(addFileBut_, &QAbstractButton::clicked, this, [this] { selectFileButtonAction(addFileBut_); });
}

void ListFileViewController::makeListView() {
    listView_ = new QWidget(this);
    listView_->setGeometry(rect());
    backButton_ = TCImageButton::backButton(listView_, QPoint(12, 17));
    backButton_->setToolTip(QStringLiteral("返回"));
    connect(backButton_, &QAbstractButton::clicked, this, &ListFileViewController::backButtonAction);
    folderLabel_ = makeTextField(listView_, QRect(48, 14, 380, 28), QString(), systemFontOfSize(15),
                                 getColor(45, 45, 45, 1), Qt::AlignLeft | Qt::AlignVCenter);
    folderLabel_->setWordWrap(false);

    progressBgView_ = new junkView(listView_);
    progressBgView_->setGeometry(440, 10, 280, 40);
    aProgressView_ = new EUProgressView(QRect(10, 18, 150, 4), progressBgView_);
    progressLabel_ = makeTextField(progressBgView_, QRect(166, 8, 54, 24), QStringLiteral("0%"), systemFontOfSize(13),
                                   textColor(), Qt::AlignRight | Qt::AlignVCenter);
    pauseButton_ = pictureButton(progressBgView_, QRect(226, 8, 24, 24), QStringLiteral("pause_normal"));
    pauseButton_->setToolTip(QStringLiteral("暂停"));
    connect(pauseButton_, &QAbstractButton::clicked, this, &ListFileViewController::pauseButtonAction);
    stopScanButton_ = new TCImageButton(progressBgView_);
    stopScanButton_->setImageFromFileNormalName(QStringLiteral("stop_normal"), QStringLiteral("stop_normal"),
                                                QStringLiteral("stop_normal"), QStringLiteral("stop_disable"));
    stopScanButton_->setGeometry(254, 8, 24, 24);
    stopScanButton_->setCursor(Qt::PointingHandCursor);
    stopScanButton_->setToolTip(QStringLiteral("停止"));
    connect(stopScanButton_, &QAbstractButton::clicked, this, &ListFileViewController::stopScanButtonAction);

    makeOutline();

    selectLabelView_ = new junkView(listView_);
    selectLabelView_->setGeometry(0, 532, kPageWidth, 68);
    selectCountLabel_ = makeTextField(selectLabelView_, QRect(20, 18, 300, 32), QString(), systemFontOfSize(14),
                                      textColor(), Qt::AlignLeft | Qt::AlignVCenter);
    deleteButton_ = TextImageButton::actionButton(selectLabelView_, QRect(600, 18, 120, 32), QStringLiteral("删除"),
                                                  QStringLiteral("new_btn_scan"));
    deleteButton_->setButtonEnabled(false);
    connect(deleteButton_, &QAbstractButton::clicked, this, &ListFileViewController::deleteFiles);
    changeSelectAllButtonState(0, 0);
}

void ListFileViewController::makeOutline() {
    outlineView_ = new LagFileOutlineView(this, listView_);
    outlineView_->setGeometry(kOutlineFrame);
    connect(outlineView_, &QTreeView::expanded, this, &ListFileViewController::itemExpanded);
    connect(outlineView_, &QTreeView::collapsed, this, &ListFileViewController::itemCollapsed);
    connect(outlineView_, &QAbstractItemView::clicked, this, &ListFileViewController::itemClicked);
    tableHeaderSelectAllButton();
}

void ListFileViewController::tableHeaderSelectAllButton() {
    selectAllButton_ = pictureButton(outlineView_->headerView(), QRect(23, 5, 16, 16), QStringLiteral("checkbox-unsel"));
    connect(selectAllButton_, &QAbstractButton::clicked, this, &ListFileViewController::setAllSelectOrNoSelect);
}

// ---- Choosing a folder --------------------------------------------------------------------

void ListFileViewController::selectFileButtonAction(QObject*) {
    if (panel_) return;
    const auto environment = platform::Environment::current();
    panel_ = new QFileDialog(this, QStringLiteral("选择搜索路径"),
                             QString::fromStdString(environment->resolve(environment->homeFolder())));
    panel_->setOption(QFileDialog::DontUseNativeDialog);
    panel_->setOption(QFileDialog::ShowDirsOnly);
    panel_->setFileMode(QFileDialog::Directory);
    panel_->setLabelText(QFileDialog::Accept, QStringLiteral("选择"));
    panel_->resize(kPanelSize);
    beginSheetForPage(panel_, this, [this](int result) { chosenFolder(result); });
}

void ListFileViewController::chosenFolder(int result) {
    if (!panel_) return;
    panel_->hide();
    const QStringList chosen = panel_->selectedFiles();
    panel_->deleteLater();
    if (result == QDialog::Accepted && !chosen.isEmpty()) startWithFolder(chosen.first());
}

void ListFileViewController::viewDragAction(const QString& folderPath) { startWithFolder(folderPath); }

void ListFileViewController::startWithFolder(const QString& path) {
    if (!Controller::folderHasEntries(path.toStdString())) {
        platform::logInfo("not scanning " + path.toStdString() + ": it lists nothing");
        return;
    }
    getRootNodeListWithPath(path);
}

// ---- Scanning ---------------------------------------------------------------------------

void ListFileViewController::getRootNodeListWithPath(const QString& path) {
    auto tree = std::make_shared<core::largefiles::FileNodeTree>();
    if (!controller_.eumeAllRootFileNodeWithRootArr(tree, path.toStdString())) {
        platform::logInfo("not scanning " + path.toStdString() + " while files are being deleted");
        return;
    }
    rootNodeArr_ = std::move(tree);
    progressBgView_->show();
    progressLabel_->setText(QStringLiteral("0%"));
    aProgressView_->changeProgressValue(0);
    outlineView_->setTree(rootNodeArr_);
    folderLabel_->setText(QFontMetrics(folderLabel_->font()).elidedText(path, Qt::ElideMiddle, folderLabel_->width()));
    folderLabel_->setToolTip(path);
    changeSelectAllButtonState(0, 0);
    showDetailPage();
}

void ListFileViewController::showDetailPage() {
    scanShown_ = true;
    // The pause switch is shared: a scan started while it is on waits at once.
    showPauseState(Progress::shareInit().getProgress());
    sortTimer_.start();
    if (detagate) detagate->showDetailPage();
}

// While paused the tree may be ticked, deleted from or left; while running it may not.
void ListFileViewController::showPauseState(bool paused) {
    isScan_ = !paused;
    setPauseImage(paused);
    backButton_->setEnabled(paused);
    showSelectionStrip(paused);
    if (paused) controller_.changeSelectAllButtonState();
}

void ListFileViewController::reloadTreeList() {
    outlineView_->refresh();
    if (!scanShown_) return;
    if (controller_.isScanFinished()) {
        endScan();
        return;
    }
    if (!isScan_) return;
    const float progress = controller_.getProgress();
    progressLabel_->setText(QString::asprintf("%.1f%%", progress));
    aProgressView_->changeProgressValue(progress);
}

void ListFileViewController::endScan() {
    isScan_ = false;
    scanShown_ = false;
    sortTimer_.stop();
    setPauseImage(false);
    backButton_->setEnabled(true);
    progressBgView_->hide();
    showSelectionStrip(true);
    controller_.changeSelectAllButtonState();
}

void ListFileViewController::pauseButtonAction() {
    if (!scanShown_) return;
    Progress::shareInit().isContinue();
    showPauseState(Progress::shareInit().getProgress());
}

void ListFileViewController::stopScanButtonAction() {
    sortTimer_.stop();
    if (Progress::shareInit().getProgress()) Progress::shareInit().resume();
    setPauseImage(false);
    controller_.stopScan();
    isScan_ = false;
    scanShown_ = false;
    progressBgView_->hide();
    showSelectionStrip(true);
    backButton_->setEnabled(true);
    reloadTreeList();
    controller_.changeSelectAllButtonState();
}

void ListFileViewController::backButtonAction() {
    if (controller_.isRemoving()) return;
    changeSelectAllButtonState(0, 0);
    if (scanShown_) stopScanButtonAction();
    sortTimer_.stop();
    showStartView();
}

void ListFileViewController::showStartView() {
    rootNodeArr_.reset();
    outlineView_->setTree(nullptr);
    if (detagate) detagate->listFileBackButtonAction();
}

void ListFileViewController::setPauseImage(bool paused) {
    const QString picture = paused ? QStringLiteral("play_normal") : QStringLiteral("pause_normal");
    pauseButton_->setImageFromFileNormalName(picture, picture, picture, picture);
    pauseButton_->setToolTip(paused ? QStringLiteral("继续") : QStringLiteral("暂停"));
}

void ListFileViewController::showSelectionStrip(bool shown) { selectLabelView_->setVisible(shown); }

// ---- Ticks ------------------------------------------------------------------------------

void ListFileViewController::changeSelectAllButtonState(int state, int selectCount) {
    selectAllButSt_ = state;
    const QString picture = FileNodeModel::checkImageName(state);
    selectAllButton_->setImageFromFileNormalName(picture, picture, picture, picture);
    deleteButton_->setButtonEnabled(state != 0);
    selectCountLabel_->setText(QStringLiteral("已选择：%1项").arg(selectCount));
}

void ListFileViewController::setAllSelectOrNoSelect() {
    if (isScan_ || controller_.isRemoving() || !rootNodeArr_) return;
    controller_.setAllSelectOrNoSelect(selectAllButSt_);
}

void ListFileViewController::clickButtonAction(CheckButtonCell*, const QModelIndex& row) {
    FileNode* node = FileNodeModel::nodeAt(row);
    if (isScan_ || controller_.isRemoving() || !node) return;
    controller_.clickNode(node);
}

// ---- The outline ------------------------------------------------------------------------

void ListFileViewController::itemExpanded(const QModelIndex& index) {
    if (outlineView_->isRestoring()) return;
    controller_.expandNode(FileNodeModel::nodeAt(index));
    outlineView_->clearHighlight();
    outlineView_->reexpandBelow(index);
}

void ListFileViewController::itemCollapsed(const QModelIndex& index) {
    if (outlineView_->isRestoring()) return;
    controller_.collapseNode(FileNodeModel::nodeAt(index));
    outlineView_->clearHighlight();
}

void ListFileViewController::itemClicked(const QModelIndex& index) {
    const FileNode* node = FileNodeModel::nodeAt(index);
    if (!node) return;
    const QString path = outlineView_->model()->pathOf(index);
    if (index.column() == FileNodeModel::OpenFinder) {
        platform::Workspace::shared()->revealFile(path.toStdString());
    } else if (index.column() == FileNodeModel::Pareview && !node->isDirectory() && detagate) {
        detagate->pereviewFileWithFileNodePath(path);
    }
}

// ---- Deleting ---------------------------------------------------------------------------

void ListFileViewController::deleteFiles() {
    if (isScan_ || controller_.isRemoving() || !rootNodeArr_ || confirmation_) return;
    MarkSureDeleteWC confirmation;
    confirmation.setDelegate(this);
    confirmation.window()->center();
    confirmation_ = &confirmation;
    runModal(confirmation.window());
    confirmation_ = nullptr;
}

void ListFileViewController::deleteFileButtonAction() {
    QTimer::singleShot(kRemoveDelayMilliseconds, this, &ListFileViewController::doRemoveAction);
}

void ListFileViewController::doRemoveAction() {
    if (!rootNodeArr_ || rootNodeArr_->topLevelCount() == 0 || controller_.isRemoving()) return;
    // A paused scan ends first; the engine starts the deletion once its walkers have stopped.
    if (scanShown_) stopScanButtonAction();
    progress_ = std::make_unique<ProgressWindowController>();
    progress_->delegate = this;
    progress_->window()->center();
    if (!controller_.deleteFilesWithDic(rootNodeArr_)) return;
    if (controller_.isRemoving()) runModal(progress_->window());
}

void ListFileViewController::changeProgressWithPoint(int point, const std::string& path) {
    if (progress_) progress_->changeProgressWithPoint(point, QString::fromStdString(path));
}

void ListFileViewController::stopRemove() { controller_.stopRemove(); }

void ListFileViewController::removeEnd() {
    if (rootNodeArr_ && rootNodeArr_->topLevelCount() == 0) showStartView();
}

}  // namespace ui
