#include "ui/duplicates/SameFileDeleteViewController.h"

#include "platform/desktop/Workspace.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "ui/duplicates/Animation.h"
#include "ui/duplicates/DuplicateOutlineModel.h"
#include "ui/duplicates/SameFileDeleteViewControllerDelegate.h"
#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/controls/SegmentedControl.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/desktop/WorkspaceIcon.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/InterfaceFonts.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/FlatItemDelegate.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/kit/tables/ImageAndTextCell.h"
#include "ui/kit/tables/NewOutlineView.h"
#include "ui/kit/windows/AlertSheet.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/Sheets.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/MarkSureDeleteWC.h"
#include "ui/shell/ToolColumn.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>

#include <algorithm>

namespace ui {

using core::DuplicateDeletion;
using core::DuplicateSelection;
using core::SimpleNodeData;
using core::TreeNode;

// One search: its engine, kept alive by whoever still uses it (the worker, a delayed step), and
// whether the user stopped it.
struct SameFileDeleteViewController::Search {
    std::shared_ptr<core::DuplicateFilesOpt> duplicateOpt;
    bool isStopScan = false;
};

namespace {

constexpr int kListTop = 54;
constexpr int kBarTop = 536;
constexpr int kHeaderCheckX = 23;
constexpr int kLoadingFrames = 12;
constexpr std::chrono::milliseconds kPollInterval(100);
constexpr std::chrono::milliseconds kBackAfterStop(1500);
constexpr std::chrono::milliseconds kResultAfterEnd(1000);
constexpr std::chrono::milliseconds kDeleteAfterConfirm(500);
constexpr std::uint64_t kFirstShownProgress = 6;

// The search options the page passes: hidden items and the system folders at "/" left out.
constexpr core::_SEARCH_OPTION kSearchOption{false, false};

// The segments' labels, and the names the counts line gives the categories.
const QStringList kSegmentTitles{QStringLiteral("全部"), QStringLiteral("文档"),   QStringLiteral("视频"),
                                 QStringLiteral("音乐"), QStringLiteral("压缩包"), QStringLiteral("图片"),
                                 QStringLiteral("其他")};
const QStringList kCategoryLabels{QString(),
                                  QStringLiteral("Documents"),
                                  QStringLiteral("Videos"),
                                  QStringLiteral("Music"),
                                  QStringLiteral("Archives"),
                                  QStringLiteral("Pictures"),
                                  QStringLiteral("Others")};

QColor textColor() { return getColor(68, 68, 68, 1); }

// Why copies stayed on disk: their removal was refused (rights, as a rule), or they (or the copy
// meant to stay) changed since the search, so the user knows to search again.
QString whyCopiesStayed(const std::vector<DuplicateDeletion::Result>& results) {
    auto any = [&](DuplicateDeletion::Result result) {
        return std::find(results.begin(), results.end(), result) != results.end();
    };
    QStringList reasons;
    if (any(DuplicateDeletion::Result::Failed)) reasons << QStringLiteral("某些需要管理员权限的文件无法删除！");
    if (any(DuplicateDeletion::Result::Changed)) reasons << QStringLiteral("某些文件在搜索后已更改，未删除，请重新搜索！");
    return reasons.join('\n');
}

void setPicture(TCImageButton* button, const QString& image) {
    button->setImageFromFileNormalName(image, image, image, image);
}

HeaderCheckBox::State headerState(DuplicateSelection::HeaderBox box) {
    switch (box) {
        case DuplicateSelection::HeaderBox::Ticked:
            return HeaderCheckBox::State::All;
        case DuplicateSelection::HeaderBox::HalfTicked:
            return HeaderCheckBox::State::Some;
        case DuplicateSelection::HeaderBox::Unticked:
            break;
    }
    return HeaderCheckBox::State::None;
}

QString homeFolder() {
    const auto& environment = *platform::Environment::current();
    return QString::fromStdString(environment.resolve(environment.homeFolder()));
}

}  // namespace

SameFileDeleteViewController::SameFileDeleteViewController(core::Executors executors, QWidget* hostView)
    : executors(std::move(executors)), host(hostView), searchPath_(homeFolder()) {
    makeFirstView();
    makeProgressView();
    makeDetailView();
    newTimer.setInterval(kPollInterval);
    connect(&newTimer, &QTimer::timeout, this, &SameFileDeleteViewController::getPathForSreachDuplicate);
    titleLabel_->setText(searchPath_);
}

SameFileDeleteViewController::~SameFileDeleteViewController() {
    // A search or deletion still running ends on its own; its results find no page.
    if (search_) search_->duplicateOpt->stopSearch();
    if (deletion_) deletion_->stop();
    model_->setRootNode(nullptr);
}

QFileDialog* SameFileDeleteViewController::folderPanel() const { return folderPanel_; }

QMessageBox* SameFileDeleteViewController::alert() const { return alert_; }

QMenu* SameFileDeleteViewController::contextMenu() const { return contextMenu_; }

QString SameFileDeleteViewController::shortenedPath(const QString& path) {
    return path.size() > kPathTextLength ? path.left(kPathTextLength) + QStringLiteral("...") : path;
}

// --- Views.

void SameFileDeleteViewController::makeFirstView() {
    fristView_ = new QWidget(host);
    fristView_->resize(kPageWidth, kPageHeight);
    fristView_->hide();
    auto* picture = new QLabel(fristView_);
    picture->setPixmap(imageNamed(QStringLiteral("duplicates_home")));
    picture->setGeometry(270, 112, 200, 168);
    makeTextField(fristView_, QRect(0, 296, kPageWidth, 34), QStringLiteral("查找重复文件"), boldSystemFontOfSize(22),
                  getColor(45, 45, 45, 1), Qt::AlignCenter);
    makeTextField(fristView_, QRect(0, 336, kPageWidth, 22),
                  QStringLiteral("将文件夹拖到这里，或点击“添加”选择要查找的文件夹"), systemFontOfSize(13),
                  getColor(136, 136, 136, 1), Qt::AlignCenter);
    dragView_ = new DragOneFileView(fristView_);
    dragView_->setGeometry(0, 90, kPageWidth, 280);
    dragView_->setDelegate(this);
    addFileBut_ = TextImageButton::actionButton(fristView_, QRect(310, 404, 120, 32), QStringLiteral("添加"),
                                                QStringLiteral("new_btn_scan"));
    addFileBut_->setButtonEnabled(true);
    connect(addFileBut_, &QAbstractButton::clicked, this, &SameFileDeleteViewController::clickScanBtn);
}

void SameFileDeleteViewController::makeProgressView() {
    progressageView_ = new QWidget(host);
    progressageView_->resize(kPageWidth, kPageHeight);
    progressageView_->hide();
    imageView_ = new QLabel(progressageView_);
    imageView_->setGeometry(310, 130, 120, 120);
    imageView_->setAlignment(Qt::AlignCenter);
    makeTextField(progressageView_, QRect(0, 270, kPageWidth, 30), QStringLiteral("正在查找重复文件..."),
                  systemFontOfSize(18), getColor(45, 45, 45, 1), Qt::AlignCenter);
    nameTextStr_ = makeTextField(progressageView_, QRect(120, 306, 500, 20), QString(), systemFontOfSize(12),
                                 getColor(136, 136, 136, 1), Qt::AlignCenter);
    nameTextStr_->setWordWrap(false);
    // A text field lets the mouse through; the path's tool tip needs it.
    nameTextStr_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    progressView_ = new EUProgressView(QRect(170, 342, 400, 4), progressageView_);
    progressView_->changeProgressValue(0);
    stopScanBtn_ = TextImageButton::actionButton(progressageView_, QRect(320, 380, 100, 32), QStringLiteral("停止"),
                                                 QStringLiteral("btn_sec"));
    connect(stopScanBtn_, &QAbstractButton::clicked, this, &SameFileDeleteViewController::stopScanBtnClicked);
}

void SameFileDeleteViewController::makeDetailView() {
    detailView_ = new QWidget(host);
    detailView_->resize(kPageWidth, kPageHeight);
    detailView_->hide();
    backToHome_ = TCImageButton::backButton(detailView_, QPoint(12, 14));
    backToHome_->setToolTip(QStringLiteral("返回"));
    connect(backToHome_, &QAbstractButton::clicked, this, &SameFileDeleteViewController::backButtonAction);
    segmentControl_ = new SegmentedControl(kSegmentTitles, detailView_);
    segmentControl_->setGeometry(52, 15, 434, 26);
    connect(segmentControl_, &SegmentedControl::segmentSelected, this, &SameFileDeleteViewController::segmentSelect);
    makeOutline();
    tableViewTitleCheckBox();
    makeBottomBar();
}

void SameFileDeleteViewController::makeOutline() {
    outline_ = new NewOutlineView(detailView_);
    outline_->setGeometry(20, kListTop, 700, kBarTop - kListTop);
    model_ = new DuplicateOutlineModel(this);
    outline_->setModel(model_);
    auto* check = new CheckButtonCell(outline_);
    check->setDelegate(this);
    outline_->setItemDelegateForColumn(DuplicateOutlineModel::Checkbox, check);
    outline_->setItemDelegateForColumn(DuplicateOutlineModel::NameColumn, new ImageAndTextCell(outline_));
    for (int column :
         {DuplicateOutlineModel::allSelectNum, DuplicateOutlineModel::FileSize, DuplicateOutlineModel::ModifyDate})
        outline_->setItemDelegateForColumn(column, new FlatItemDelegate(outline_));
    outline_->setTreePosition(DuplicateOutlineModel::NameColumn);
    outline_->setUniformRowHeights(true);
    outline_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    outline_->setSelectionBehavior(QAbstractItemView::SelectRows);
    outline_->setSelectionMode(QAbstractItemView::SingleSelection);
    outline_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A copy's path keeps its end in sight: that is where copies differ.
    outline_->setTextElideMode(Qt::ElideMiddle);
    outline_->setColumnWidth(DuplicateOutlineModel::Checkbox, 52);
    outline_->setColumnWidth(DuplicateOutlineModel::NameColumn, 330);
    outline_->setColumnWidth(DuplicateOutlineModel::allSelectNum, 56);
    outline_->setColumnWidth(DuplicateOutlineModel::FileSize, 96);
    outline_->setADelegate(this);
    outline_->headerView()->setStretchLastSection(true);
    outline_->headerView()->setSortIndicatorShown(false);
    outline_->headerView()->setSectionsClickable(true);
    connect(outline_->headerView(), &QHeaderView::sectionClicked, this, &SameFileDeleteViewController::sortByColumn);
    connect(outline_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& row) {
        const SimpleNodeData* data = DuplicateOutlineModel::dataAt(row);
        openItemPath = data ? QString::fromStdString(data->name) : QString();
        outline_->setRowNum(outline_->rowForItem(row));
        outline_->viewport()->update();
    });
}

// The header box lies in the outline's header, over the rows' boxes.
void SameFileDeleteViewController::tableViewTitleCheckBox() {
    button_ = new HeaderCheckBox(outline_->headerView());
    button_->move(kHeaderCheckX, (FlatHeaderView::kHeight - 16) / 2);
    connect(button_, &QAbstractButton::clicked, this, &SameFileDeleteViewController::setAllSelectOrNoSelect);
}

void SameFileDeleteViewController::makeBottomBar() {
    bottomBgView_ = new QWidget(detailView_);
    bottomBgView_->setGeometry(0, kBarTop, kPageWidth, kPageHeight - kBarTop);
    pathChoseBtn_ = TextImageButton::actionButton(bottomBgView_, QRect(20, 16, 100, 32), QStringLiteral("选择文件夹"),
                                                  QStringLiteral("btn_sec"));
    connect(pathChoseBtn_, &QAbstractButton::clicked, this, &SameFileDeleteViewController::clickScanBtn);
    openFinderBtn_ = TextImageButton::actionButton(bottomBgView_, QRect(128, 16, 100, 32), QStringLiteral("显示"),
                                                   QStringLiteral("btn_sec"));
    openFinderBtn_->setToolTip(QStringLiteral("在文件夹中显示选中的文件"));
    connect(openFinderBtn_, &QAbstractButton::clicked, this, &SameFileDeleteViewController::openFinderBtnClicked);
    titleLabel_ = makeTextField(bottomBgView_, QRect(236, 16, 352, 32), QString(), systemFontOfSize(14), textColor(),
                                Qt::AlignRight | Qt::AlignVCenter);
    titleLabel_->setWordWrap(false);
    titleLabel_->setTextFormat(Qt::RichText);
    titleLabel_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    removeButton_ = TextImageButton::actionButton(bottomBgView_, QRect(600, 16, 120, 32), QStringLiteral("删除"),
                                                  QStringLiteral("new_btn_scan"));
    removeButton_->setButtonEnabled(false);
    connect(removeButton_, &QAbstractButton::clicked, this, &SameFileDeleteViewController::removeBtnClicked);
    stopRemoveBtn_ = new TCImageButton(bottomBgView_);
    setPicture(stopRemoveBtn_, QStringLiteral("close"));
    stopRemoveBtn_->move(646, 18);
    stopRemoveBtn_->setCursor(Qt::PointingHandCursor);
    stopRemoveBtn_->setToolTip(QStringLiteral("停止删除"));
    stopRemoveBtn_->hide();
    connect(stopRemoveBtn_, &QAbstractButton::clicked, this, &SameFileDeleteViewController::stopRemoveBtnClicked);

    loadPathView_ = new QWidget(bottomBgView_);
    loadPathView_->setGeometry(20, 10, 310, 22);
    rightImageView_ = new QLabel(loadPathView_);
    rightImageView_->setGeometry(0, 1, 20, 20);
    loadPathText_ = makeTextField(loadPathView_, QRect(26, 0, 284, 22), QString(), systemFontOfSize(12),
                                  getColor(136, 136, 136, 1), Qt::AlignLeft | Qt::AlignVCenter);
    loadPathText_->setWordWrap(false);
    loadPathView_->hide();
    animation_ = new Animation(bottomBgView_);
    animation_->move(20, 40);
    animation_->hide();
}

// --- Choosing the folder.

void SameFileDeleteViewController::clickScanBtn() {
    if (folderPanel_ || deletion_) return;
    folderPanel_ = new QFileDialog(host, QStringLiteral("选择搜索路径"), searchPath_);
    folderPanel_->setOption(QFileDialog::DontUseNativeDialog);
    folderPanel_->setOption(QFileDialog::ShowDirsOnly);
    folderPanel_->setFileMode(QFileDialog::Directory);
    folderPanel_->setLabelText(QFileDialog::Accept, QStringLiteral("选择"));
    folderPanel_->resize(640, 420);
    QPointer<QFileDialog> panel = folderPanel_;
    auto done = [this, panel](int result) {
        if (!panel) return;
        const QStringList chosen = panel->selectedFiles();
        panel->hide();
        panel->deleteLater();
        if (result == QDialog::Accepted && !chosen.isEmpty()) showFolderChosen(chosen.front());
    };
    if (auto* window = qobject_cast<TCImageWindow*>(host->window())) {
        beginSheet(folderPanel_, window, done);
    } else {
        connect(folderPanel_, &QDialog::finished, this, done);
        folderPanel_->open();
    }
}

void SameFileDeleteViewController::viewDragAction(const QString& folderPath) {
    if (QFileInfo(folderPath).isDir()) showFolderChosen(folderPath);
}

void SameFileDeleteViewController::selectFileButtonAction(QObject*) { clickScanBtn(); }

void SameFileDeleteViewController::showFolderChosen(const QString& path) {
    updatePathString(path);
    searchBtnClicked();
    if (delegate_) delegate_->changeToProgressView();
}

void SameFileDeleteViewController::updatePathString(const QString& path) {
    progressView_->changeProgressValue(0);
    titleLabel_->setText(shortenedPath(path).toHtmlEscaped());
    titleLabel_->setToolTip(path);
    searchPath_ = path;
}

// --- The search.

void SameFileDeleteViewController::searchBtnClicked() {
    if (deletion_) return;
    if (search_) search_->duplicateOpt->stopSearch();
    pathChoseBtn_->setButtonEnabled(false);
    removeButton_->setButtonEnabled(false);
    stopScanBtn_->setButtonEnabled(true);
    button_->showState(HeaderCheckBox::State::None);
    model_->setRootNode(nullptr);
    trees_.destroyAllSubTrees();
    selection_.untickAll(nullptr);
    progressView_->changeProgressValue(0);
    lastProgress_ = 0;
    nameTextStr_->clear();
    imageView_->clear();

    auto search = std::make_shared<Search>();
    search->duplicateOpt = std::make_shared<core::DuplicateFilesOpt>(executors);
    search->duplicateOpt->setSearchOption(&kSearchOption);
    search_ = search;
    const std::string folder = searchPath_.toStdString();
    QPointer<SameFileDeleteViewController> page(this);
    core::Executor main = executors.main;
    // On the shared pool, not a thread of its own: however many searches the page runs, their
    // threads (and the memory the allocator keeps for each thread) come from a bounded set.
    executors.global([search, folder, main, page] {
        search->duplicateOpt->beginSearchAtPath(folder, 0);
        main([search, page] {
            if (page) page->searchFinished(search);
        });
    });
    newTimer.start();
}

void SameFileDeleteViewController::stopScanBtnClicked() {
    if (!search_ || search_->isStopScan) return;
    search_->isStopScan = true;
    stopScanBtn_->setButtonEnabled(false);
    newTimer.stop();
    search_->duplicateOpt->stopSearch();
    QPointer<SameFileDeleteViewController> page(this);
    executors.mainAfter(kBackAfterStop, [page, search = search_] {
        if (!page || search != page->search_) return;
        if (page->delegate_) page->delegate_->backButtonAction();
    });
}

void SameFileDeleteViewController::getPathForSreachDuplicate() {
    if (!search_) return;
    getPrograss();
    const QString path = QString::fromStdString(search_->duplicateOpt->getCurrentSearchFile());
    nameTextStr_->setText(shortenedPath(path));
    nameTextStr_->setToolTip(path);
    imageView_->setPixmap(path.isEmpty() ? QPixmap() : iconForFile(path).pixmap(120, 120));
}

// Values below 6 and values below the last one shown leave the bar where it is.
void SameFileDeleteViewController::getPrograss() {
    const std::uint64_t progress = search_->duplicateOpt->getProgress();
    if (progress < kFirstShownProgress || progress < lastProgress_) return;
    lastProgress_ = progress;
    progressView_->changeProgressValue(static_cast<float>(progress));
}

void SameFileDeleteViewController::searchFinished(const std::shared_ptr<Search>& search) {
    if (search != search_) {
        platform::logInfo("a stopped search ended after another began; its result is dropped");
        return;
    }
    stopScanBtn_->setButtonEnabled(false);
    std::shared_ptr<core::SimpleTreeNode> root;
    if (!search->isStopScan && search->duplicateOpt->getDuplicateFiles(root)) trees_.setAllTreeNode(root);
    selection_.untickAll(trees_.allTreeNode());
    model_->setRootNode(trees_.treeData());
    if (model_->rowCount() > 0) outline_->expand(model_->index(0, 0));
    refreshHeaderBox();
    showCountsLine();
    QPointer<SameFileDeleteViewController> page(this);
    executors.mainAfter(kResultAfterEnd, [page, search] {
        if (page && search == page->search_) page->delayBtnChangeStateTime(search);
    });
}

void SameFileDeleteViewController::delayBtnChangeStateTime(const std::shared_ptr<Search>& search) {
    pathChoseBtn_->setButtonEnabled(true);
    newTimer.stop();
    nameTextStr_->clear();
    nameTextStr_->setToolTip(QString());
    imageView_->clear();
    if (!search->isStopScan && delegate_) delegate_->changeToDetailView();
}

void SameFileDeleteViewController::backButtonAction() {
    if (deletion_) return;
    if (delegate_) delegate_->backButtonAction();
}

// --- The result view.

void SameFileDeleteViewController::segmentSelect(int segment) {
    trees_.segmentSelect(segment);
    segmentControl_->setSelectedSegment(trees_.remberWitchSelect());
    model_->setRootNode(trees_.treeData());
    if (model_->rowCount() > 0) outline_->expand(model_->index(0, 0));
    refreshHeaderBox();
    showCountsLine();
}

QString SameFileDeleteViewController::segmentLabel() const {
    const int segment = trees_.remberWitchSelect();
    if (segment > 0 && segment < kCategoryLabels.size()) return kCategoryLabels[segment];
    return QFileInfo(searchPath_).fileName().isEmpty() ? searchPath_ : QFileInfo(searchPath_).fileName();
}

// "“label”中有N个文件, 在全部中选择了M个文件." with M in the bold interface font, aligned right;
// the first part is the tool tip.
void SameFileDeleteViewController::showCountsLine() {
    const QString first =
        QStringLiteral("“%1”中有%2个文件").arg(segmentLabel()).arg(DuplicateSelection::copyCount(trees_.treeData()));
    const QString ticked = QString::number(selection_.allSelectNumArr().size());
    QFont bold = fontWithName(boldFontName(), 14);
    if (boldFontName().isEmpty()) bold = boldSystemFontOfSize(14);
    const QString number = QStringLiteral("<span style=\"font-family:'%1'; font-weight:%2; font-size:14px\">%3</span>")
                               .arg(bold.family().toHtmlEscaped())
                               .arg(bold.weight())
                               .arg(ticked);
    titleLabel_->setText(
        QStringLiteral("%1, %2.").arg(first.toHtmlEscaped(), QStringLiteral("在全部中选择了%1个文件").arg(number)));
    titleLabel_->setToolTip(first);
}

void SameFileDeleteViewController::refreshHeaderBox() {
    button_->showState(headerState(selection_.headerBox(trees_.treeData())));
}

void SameFileDeleteViewController::selectionChanged() {
    model_->refreshStates(outline_->shownRows());
    removeButton_->setButtonEnabled(!deletion_ && selection_.isDeleteEnabled());
    showCountsLine();
    refreshHeaderBox();
}

void SameFileDeleteViewController::clickButtonAction(CheckButtonCell*, const QModelIndex& row) {
    TreeNode* node = DuplicateOutlineModel::nodeAt(row);
    const SimpleNodeData* data = DuplicateOutlineModel::dataAt(row);
    if (!node || !data || deletion_) return;
    const TreeNode::Ptr shared = node->shared_from_this();
    if (data->isGroup())
        selection_.clickGroup(shared);
    else
        tickCopy(shared);
    selectionChanged();
}

void SameFileDeleteViewController::tickCopy(const TreeNode::Ptr& copy) {
    if (!selection_.clickCopy(copy)) setSelectState(copy);
}

// The last unticked copy of a group is ticked only once the user agrees to lose every copy.
void SameFileDeleteViewController::setSelectState(const TreeNode::Ptr& copy) {
    if (alert_) return;
    std::weak_ptr<TreeNode> asked = copy;
    alert_ = beginAlertSheet(host, QStringLiteral("您确定要删除所有重复文件吗？"),
                             {QStringLiteral("好的"), QStringLiteral("取消")}, [this, asked](int button) {
                                 const TreeNode::Ptr chosen = asked.lock();
                                 if (button != 0 || !chosen || deletion_ || !chosen->nodeParent()) return;
                                 selection_.tickLastCopy(chosen);
                                 selectionChanged();
                             });
}

void SameFileDeleteViewController::setAllSelectOrNoSelect() {
    if (deletion_ || !trees_.treeData()) return;
    selection_.setAllSelectOrNoSelect(trees_.treeData());
    selectionChanged();
}

// The same column again flips the direction; another starts ascending.
void SameFileDeleteViewController::sortByColumn(int column) {
    using Sort = void (TreeNode::*)();
    Sort ascending = nullptr;
    Sort descending = nullptr;
    switch (column) {
        case DuplicateOutlineModel::NameColumn:
            ascending = &TreeNode::acendingSortName;
            descending = &TreeNode::decendingSortName;
            break;
        case DuplicateOutlineModel::FileSize:
            ascending = &TreeNode::acendingSortSize;
            descending = &TreeNode::decendingSortSize;
            break;
        case DuplicateOutlineModel::ModifyDate:
            ascending = &TreeNode::acendingSortDate;
            descending = &TreeNode::decendingSortDate;
            break;
        default:
            return;
    }
    sortDescending = column == lastColumn ? !sortDescending : false;
    lastColumn = column;
    const core::TreeNode::Ptr shown = trees_.treeData();
    if (shown) model_->sortRows([&] { ((*shown).*(sortDescending ? descending : ascending))(); });
    outline_->headerView()->setSortIndicatorShown(true);
    outline_->headerView()->setSortIndicator(column, sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void SameFileDeleteViewController::listRightMouseDown(QMouseEvent* event) {
    const QModelIndex row = outline_->indexAt(event->position().toPoint());
    const SimpleNodeData* data = DuplicateOutlineModel::dataAt(row);
    if (!data || data->isGroup() || data->name.empty()) return;
    const std::string path = data->name;
    if (contextMenu_) contextMenu_->deleteLater();
    contextMenu_ = new QMenu(outline_);
    contextMenu_->setAttribute(Qt::WA_DeleteOnClose);
    contextMenu_->addAction(QStringLiteral("打开"), [path] { platform::Workspace::shared()->openFile(path); });
    contextMenu_->addAction(QStringLiteral("在文件夹中显示"),
                            [path] { platform::Workspace::shared()->revealFile(path); });
    contextMenu_->popup(event->globalPosition().toPoint());
}

void SameFileDeleteViewController::openFinderBtnClicked() {
    const QModelIndex row = outline_->currentIndex();
    const SimpleNodeData* data = DuplicateOutlineModel::dataAt(row);
    if (!data || data->isGroup() || openItemPath.isEmpty()) return;
    platform::Workspace::shared()->revealFile(openItemPath.toStdString());
}

// --- Deleting.

void SameFileDeleteViewController::removeBtnClicked() {
    if (deletion_ || !selection_.isDeleteEnabled()) return;
    MarkSureDeleteWC confirmation;
    confirmation.setDelegate(this);
    confirmation.window()->center();
    runModal(confirmation.window());
}

void SameFileDeleteViewController::deleteFileButtonAction() {
    QPointer<SameFileDeleteViewController> page(this);
    executors.mainAfter(kDeleteAfterConfirm, [page] {
        if (page) page->doRemoveDuplicateAction();
    });
}

void SameFileDeleteViewController::doRemoveDuplicateAction() {
    if (deletion_ || !selection_.isDeleteEnabled()) return;
    deletingCopies_ = selection_.allSelectNumArr();
    auto deletion = std::make_shared<DuplicateDeletion>(selection_.deletionSnapshot());
    deletion_ = deletion;
    isClickStopRemove = false;
    setDeleting(true);
    QPointer<SameFileDeleteViewController> page(this);
    core::Executor main = executors.main;
    executors.detached([deletion, main, page] {
        deletion->run([deletion, main, page](std::size_t index) {
            main([deletion, page, index] {
                if (page) page->refreshOutlineView(deletion, index);
            });
        });
        main([deletion, page] {
            if (page) page->deleteFinished(deletion);
        });
    });
}

// While a deletion runs the tool stays busy: no ticks, no delete, no other folder, no way back.
void SameFileDeleteViewController::setDeleting(bool deleting) {
    isCanClick_ = !deleting;
    removeButton_->setButtonEnabled(!deleting && selection_.isDeleteEnabled());
    removeButton_->setVisible(!deleting);
    stopRemoveBtn_->setVisible(deleting);
    button_->setEnabled(!deleting);
    backToHome_->setEnabled(!deleting);
    pathChoseBtn_->setButtonEnabled(!deleting);
    pathChoseBtn_->setVisible(!deleting);
    openFinderBtn_->setVisible(!deleting);
    loadPathView_->setVisible(deleting);
    loadPathText_->clear();
    rightImageView_->clear();
    titleLabel_->show();
    animation_->setVisible(deleting);
    deleting ? animation_->startAnimation() : animation_->stopAnimation();
}

void SameFileDeleteViewController::refreshOutlineView(const std::shared_ptr<DuplicateDeletion>& deletion,
                                                      std::size_t index) {
    if (deletion != deletion_ || index >= deletingCopies_.size()) return;
    const TreeNode::Ptr copy = deletingCopies_[index];
    rightImageView_->setPixmap(imageNamed(QStringLiteral("loading_%1").arg(progressNum)));
    progressNum = progressNum % kLoadingFrames + 1;
    const QString path = QString::fromStdString(deletion->copies()[index].path);
    loadPathText_->setText(loadPathText_->fontMetrics().elidedText(path, Qt::ElideMiddle, loadPathText_->width()));
    const TreeNode::Ptr group = copy->nodeParent();
    bool groupGoes = false;
    model_->removeCopy(copy, [&] { groupGoes = selection_.detachDeletedCopy(copy); });
    if (groupGoes && group) model_->removeGroup(group, [&] { trees_.deleteParentNode(group); });
    model_->refreshStates(outline_->shownRows());
    showCountsLine();
}

void SameFileDeleteViewController::deleteFinished(const std::shared_ptr<DuplicateDeletion>& deletion) {
    if (deletion != deletion_) return;
    deletion_.reset();
    deletingCopies_.clear();
    if (deletion->anyLeft())
        alert_ = beginAlertSheet(host, whyCopiesStayed(deletion->results()), {QStringLiteral("好的")},
                                 [this](int) { showCountsLine(); });
    selection_.untickAll(trees_.allTreeNode());
    setDeleting(false);
    selectionChanged();
}

void SameFileDeleteViewController::stopRemoveBtnClicked() {
    if (!deletion_) return;
    deletion_->stop();
    isClickStopRemove = true;
    titleLabel_->hide();
    pathChoseBtn_->hide();
    animation_->show();
}

}  // namespace ui
