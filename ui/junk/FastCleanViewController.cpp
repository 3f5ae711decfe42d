#include "ui/junk/FastCleanViewController.h"

#include "core/junk/FastCleanScanFile.h"
#include "core/junk/JunkRemoval.h"
#include "core/junk/JunkSelection.h"
#include "core/kit/CommUti.h"
#include "platform/files/FolderLister.h"
#include "platform/system/Log.h"
#include "platform/desktop/Workspace.h"
#include "ui/junk/FastTypeView.h"
#include "ui/junk/JunkNodeModel.h"
#include "ui/kit/tables/OpenButtonCell.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/tables/CustomTableView.h"
#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/kit/tables/ImageAndTextCell.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/tables/LagImageATextCell.h"
#include "ui/kit/tables/SocialOutlineView.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/desktop/WorkspaceIcon.h"
#include "ui/kit/controls/TwoColorText.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/kit/controls/junkView.h"
#include "ui/shell/FullDiskAccessViewController.h"
#include "ui/shell/ToolColumn.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPointer>

#include <algorithm>

namespace ui {

using core::junk::FastCleanScanFile;
using core::junk::JunkRemoval;
using core::junk::JunkSelection;
using core::junk::TCTreeNode;

namespace {

constexpr int kChatCategory = 5;
constexpr float kProgressPerCategory = 16.7f;
constexpr std::chrono::milliseconds kPathInterval(100);
constexpr int kListTop = 54;
constexpr int kTableCheckX = 23;
constexpr int kOutlineCheckX = 19;

QRect pageFrame(qreal x, qreal y, qreal width, qreal height) {
    return cocoaRect(kPageHeight, x, y, width, height).toRect();
}

QColor textColor() { return getColor(68, 68, 68, 1); }

QString checkImage(JunkSelection::Check check) {
    switch (check) {
        case JunkSelection::Check::Selected: return QStringLiteral("checkbox-checked");
        case JunkSelection::Check::Partial: return QStringLiteral("checkbox-halfchecked");
        case JunkSelection::Check::Disabled: return QStringLiteral("checkbox-unsel-disable");
        case JunkSelection::Check::Unselected: break;
    }
    return QStringLiteral("checkbox-unsel");
}

QString sizeText(int64_t bytes) { return QString::fromStdString(core::CommUti::convertVolSpace(std::max<int64_t>(bytes, 0))); }

}  // namespace

FastCleanViewController::FastCleanViewController(core::Executors executors, QWidget* parent)
    : QWidget(parent), executors(std::move(executors)) {
    resize(kPageWidth, kPageHeight);
    fillBackground(this, getColor(255, 255, 255, 1));
    awakeFromNib();
}

FastCleanViewController::~FastCleanViewController() {
    // The models point into the trees; let them go first.
    if (!scanView_) return;
    tableModel->setRootNode(nullptr);
    outlineModel->setRootNode(nullptr);
}

void FastCleanViewController::awakeFromNib() {
    isCanClick_ = true;
    makeStartScreen();
    pathTimer.setInterval(kPathInterval);
    connect(&pathTimer, &QTimer::timeout, this,
            [this] { getPath(QString::fromStdString(FastCleanScanFile::shareInstall().currentPath())); });
    showScreen(mainView_);
}

void FastCleanViewController::makeHiddenScreens() {
    if (scanView_) return;
    makeScanScreen();
    makeTileScreen();
    makeDetailScreen();
    showScreen(mainView_);
}

void FastCleanViewController::makeStartScreen() {
    mainView_ = new QWidget(this);
    mainView_->setGeometry(rect());
    auto* picture = new QLabel(mainView_);
    picture->setPixmap(imageNamed(QStringLiteral("junk_home")));
    picture->setGeometry(270, 112, 200, 168);
    makeTextField(mainView_, QRect(0, 296, kPageWidth, 34), QStringLiteral("清理您的Mac"), boldSystemFontOfSize(22),
                  getColor(45, 45, 45, 1), Qt::AlignCenter);
    makeTextField(mainView_, QRect(0, 336, kPageWidth, 22),
                  QStringLiteral("快速找出系统、应用程序、邮件附件、废纸篓、Xcode 和社交工具留下的垃圾文件"),
                  systemFontOfSize(13), getColor(136, 136, 136, 1), Qt::AlignCenter);
    scanBut_ = TextImageButton::actionButton(this, pageFrame(310, 164, 120, 32), QStringLiteral("扫描"),
                                             QStringLiteral("new_btn_scan"));
    connect(scanBut_, &QAbstractButton::clicked, this, &FastCleanViewController::beginScanFile);
}

// The scan screen is centred on the page with the progress bar at its own frame.
void FastCleanViewController::makeScanScreen() {
    scanView_ = new junkView(this);
    scanView_->setGeometry(pageFrame(17, 0, 706, kPageHeight));
    const int height = scanView_->height();
    auto* picture = new QLabel(scanView_);
    picture->setPixmap(imageNamed(QStringLiteral("junk_home")));
    picture->setGeometry(253, 132, 200, 168);
    makeTextField(scanView_, QRect(0, 330, 706, 30), QStringLiteral("正在扫描垃圾文件..."), systemFontOfSize(18),
                  getColor(45, 45, 45, 1), Qt::AlignCenter);
    progressView_ = new EUProgressView(cocoaRect(height, 153, 177, 400, 4).toRect(), scanView_);
    progressView_->changeProgressValue(0);
    pathLabel_ = makeTextField(scanView_, cocoaRect(height, 103, 145, 500, 20).toRect(), QString(),
                               systemFontOfSize(12), getColor(136, 136, 136, 1), Qt::AlignCenter);
    pathLabel_->setWordWrap(false);
    stopBut_ = TextImageButton::actionButton(scanView_, cocoaRect(height, 303, 88, 100, 32).toRect(),
                                             QStringLiteral("停止"), QStringLiteral("btn_sec"));
    connect(stopBut_, &QAbstractButton::clicked, this, &FastCleanViewController::stopButtonAction);
}

void FastCleanViewController::makeTileScreen() {
    detailView_ = new QWidget(this);
    detailView_->setGeometry(rect());
    backHomeButton_ = TCImageButton::backButton(detailView_, QPoint(12, 17));
    backHomeButton_->setToolTip(QStringLiteral("返回首页"));
    connect(backHomeButton_, &QAbstractButton::clicked, this, &FastCleanViewController::backHomeButtonAction);
    completedLabel_ = makeTextField(detailView_, QRect(48, 466, 644, 22), QStringLiteral("清理完成"),
                                    boldSystemFontOfSize(16), getColor(74, 186, 71, 1), Qt::AlignCenter);
    totalSizeLabel_ = makeTextField(detailView_, QRect(48, 489, 644, 32), QString(), systemFontOfSize(14), textColor(),
                                    Qt::AlignCenter);
    totalSizeLabel_->setTextFormat(Qt::RichText);
    cleanBut_ = TextImageButton::actionButton(detailView_, pageFrame(310, 40, 120, 32), QStringLiteral("清理"),
                                              QStringLiteral("new_btn_scan"));
    connect(cleanBut_, &QAbstractButton::clicked, this, &FastCleanViewController::beginCleanFile);
    normalLable = new QLabel(detailView_);
    QFont highlighted = systemFontOfSize(14);
    highlighted.setWeight(QFont::DemiBold);
    normalLable->setFont(highlighted);
    normalLable->hide();
}

void FastCleanViewController::makeDetailScreen() {
    subDetailView_ = new QWidget(this);
    subDetailView_->setGeometry(rect());
    backToDetailButton_ = TCImageButton::backButton(subDetailView_, QPoint(12, 14));
    connect(backToDetailButton_, &QAbstractButton::clicked, this, &FastCleanViewController::backToDetailButtonAction);
    subDetailTitleLabel_ = makeTextField(subDetailView_, QRect(44, 14, 330, 28), QString(), systemFontOfSize(18),
                                         getColor(45, 45, 45, 1), Qt::AlignLeft | Qt::AlignVCenter);
    selectFileLabel_ = makeTextField(subDetailView_, QRect(380, 14, 340, 28), QString(), systemFontOfSize(14),
                                     textColor(), Qt::AlignRight | Qt::AlignVCenter);

    const QRect listFrame(20, kListTop, 700, kPageHeight - kListTop - 20);
    subDetailTableView_ = new CustomTableView(subDetailView_);
    subDetailTableView_->setGeometry(listFrame);
    tableModel = new JunkNodeModel(false, this);
    setUpList(subDetailTableView_, tableModel, new CheckButtonCell(subDetailTableView_),
              new ImageAndTextCell(subDetailTableView_));
    subDetailTableView_->verticalHeader()->setDefaultSectionSize(JunkNodeModel::kRowHeight);
    subDetailTableView_->setColumnHidden(JunkNodeModel::Open, true);
    subDetailTableView_->setColumnWidth(JunkNodeModel::Name, 518);
    subDetailTableView_->marksCurrentRow();

    socialOutlineView_ = new SocialOutlineView(subDetailView_);
    socialOutlineView_->setGeometry(listFrame);
    outlineModel = new JunkNodeModel(true, this);
    auto* outlineCheck = new CheckButtonCell(socialOutlineView_);
    outlineCheck->setIsQQ(true);
    setUpList(socialOutlineView_, outlineModel, outlineCheck, new LagImageATextCell(socialOutlineView_));
    socialOutlineView_->setItemDelegateForColumn(JunkNodeModel::Open, new OpenButtonCell(socialOutlineView_));
    socialOutlineView_->setTreePosition(JunkNodeModel::Name);
    socialOutlineView_->setUniformRowHeights(true);
    socialOutlineView_->setColumnWidth(JunkNodeModel::Name, 448);
    socialOutlineView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(socialOutlineView_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                socialOutlineView_->setRowNum(socialOutlineView_->rowForItem(current));
            });
    connect(socialOutlineView_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == JunkNodeModel::Open) openFinderButtonClicked(index);
    });
    socialOutlineView_->hide();
    tableViewTitleCheckBox();
}

void FastCleanViewController::setUpList(QAbstractItemView* list, JunkNodeModel* model, CheckButtonCell* check,
                                        QAbstractItemDelegate* name) {
    list->setModel(model);
    check->setDelegate(this);
    list->setItemDelegateForColumn(JunkNodeModel::CheckBox, check);
    list->setItemDelegateForColumn(JunkNodeModel::Name, name);
    list->setItemDelegateForColumn(JunkNodeModel::Size, new FlatItemDelegate(list));
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (auto* tableView = qobject_cast<QTableView*>(list)) {
        tableView->setColumnWidth(JunkNodeModel::CheckBox, 52);
        tableView->setColumnWidth(JunkNodeModel::Size, 120);
    } else if (auto* treeView = qobject_cast<QTreeView*>(list)) {
        treeView->setColumnWidth(JunkNodeModel::CheckBox, 52);
        treeView->setColumnWidth(JunkNodeModel::Size, 130);
        treeView->setColumnWidth(JunkNodeModel::Open, 60);
    }
}

// The select-all box lies in the header of the list in use, where the rows' boxes line up.
void FastCleanViewController::tableViewTitleCheckBox() {
    selectAllButton_ = new HeaderCheckBox(subDetailTableView_->headerView(), HeaderCheckBox::State::All);
    connect(selectAllButton_, &QAbstractButton::clicked, this, &FastCleanViewController::setAllSelectOrNoSelect);
}

void FastCleanViewController::showScreen(QWidget* screen) {
    for (QWidget* each : std::initializer_list<QWidget*>{mainView_, scanView_, detailView_, subDetailView_})
        if (each) each->setVisible(each == screen);
    scanBut_->setVisible(screen == mainView_);
    scanBut_->raise();
}

// --- Scan.

void FastCleanViewController::beginScanFile() {
    if (isScanning_) return;
    makeHiddenScreens();
    FullDiskAccessViewController::runPromptIfAccessRefused();
    showScreen(scanView_);
    removeTiles();
    progressView_->changeProgressValue(0);
    pathLabel_->clear();
    isScanning_ = true;
    pathTimer.start();

    FastCleanScanFile& scanner = FastCleanScanFile::shareInstall();
    scanner.beStop.reset();
    scanner.resetProgress();
    scanner.setExecutors(executors);
    QPointer<FastCleanViewController> page(this);
    core::Executor main = executors.main;
    scanner.progressSEL = [main, page](int index) {
        main([page, index] {
            if (page) page->getProgress(index);
        });
    };
    // The path label reads the scanner's current path on its own timer.
    scanner.pathSEL = nullptr;
    executors.global([main, page] {
        Categories trees = FastCleanScanFile::shareInstall().beginScan();
        main([page, trees = std::move(trees)] {
            if (page) page->addDetailView(trees);
        });
    });
}

void FastCleanViewController::stopButtonAction() { FastCleanScanFile::shareInstall().beStop.requestStop(); }

void FastCleanViewController::getProgress(int index) {
    progressView_->changeProgressValue(std::min(100.0f, static_cast<float>(index + 1) * kProgressPerCategory));
}

void FastCleanViewController::getPath(const QString& text) {
    pathLabel_->setText(pathLabel_->fontMetrics().elidedText(text, Qt::ElideMiddle, pathLabel_->width()));
}

// --- Tiles.

void FastCleanViewController::removeTiles() {
    selectTreeNode_ = nullptr;
    tableModel->setRootNode(nullptr);
    outlineModel->setRootNode(nullptr);
    for (FastTypeView* tile : allListViewArr_) delete tile;
    allListViewArr_.clear();
    allTypeArr_.clear();
}

void FastCleanViewController::addDetailView(const Categories& trees) {
    isScanning_ = false;
    pathTimer.stop();
    getPath(QString());
    removeTiles();
    allTypeArr_ = trees;
    showScreen(detailView_);
    completedLabel_->hide();
    backHomeButton_->setEnabled(true);
    const int height = detailView_->height();
    for (size_t index = 0; index < allTypeArr_.size(); ++index) {
        const TCTreeNode& category = *allTypeArr_[index];
        auto* tile = new FastTypeView(detailView_);
        tile->delegate = this;
        tile->tag = static_cast<int>(index);
        tile->setGeometry(cocoaRect(height, 48, 510 - 73.0 * index, FastTypeView::kWidth, FastTypeView::kHeight).toRect());
        tile->setCategory(iconFor(category.image).pixmap(56, 56), QString::fromStdString(category.title),
                          QString::fromStdString(category.subTitle), QString::fromStdString(category.size));
        if (JunkSelection::isEmptyCategory(category))
            tile->setDetailButtonHidden(true);
        else
            tile->setDetailButtonFrame();
        tile->show();
        allListViewArr_.push_back(tile);
    }
    refreshTiles();
}

// Every tile's check picture by its category's states, then the total and the clean button.
void FastCleanViewController::refreshTiles() {
    JunkSelection selection(allTypeArr_);
    for (FastTypeView* tile : allListViewArr_) {
        const JunkSelection::Check check = selection.tileCheck(tile->tag);
        tile->setCheck(checkImage(check), check != JunkSelection::Check::Disabled);
    }
    totalSize_ = static_cast<int64_t>(selection.totalSize());
    setTotalSizeLabel();
    changeCleanButtonEnabled();
}

void FastCleanViewController::setTotalSizeLabel() {
    if (totalSize_ < 0) totalSize_ = 0;
    const QString size = sizeText(totalSize_);
    totalSizeLabel_->setText(setStringFontWithMainStr(QStringLiteral("%1垃圾将被清理").arg(size), textColor(), size,
                                                      getColor(78, 187, 71, 1), normalLable->font(),
                                                      selectFileLabel_->font(), 20));
}

void FastCleanViewController::changeCleanButtonEnabled() {
    cleanBut_->setButtonEnabled(JunkSelection(allTypeArr_).hasSelection());
}

void FastCleanViewController::checkBoxButtonAction(int tag) {
    if (tag < 0 || tag >= static_cast<int>(allTypeArr_.size())) return;
    completedLabel_->hide();
    JunkSelection(allTypeArr_).checkBoxButtonAction(tag);
    refreshTiles();
}

// --- Detail screen.

void FastCleanViewController::detailButtonAction(int tag) {
    if (tag < 0 || tag >= static_cast<int>(allTypeArr_.size())) return;
    selectTreeNode_ = allTypeArr_[tag].get();
    const bool chats = tag == kChatCategory;
    subDetailTableView_->setVisible(!chats);
    socialOutlineView_->setVisible(chats);
    if (chats) {
        outlineModel->setRootNode(selectTreeNode_);
        socialOutlineView_->setRowNum(-1);
        socialOutlineView_->expandToDepth(0);
        selectAllButton_->setParent(socialOutlineView_->headerView());
        // The outline's boxes sit 4 points further left than the table's.
        selectAllButton_->move(kOutlineCheckX, (FlatHeaderView::kHeight - 16) / 2);
    } else {
        tableModel->setRootNode(selectTreeNode_);
        subDetailTableView_->setRowNum(-1);
        selectAllButton_->setParent(subDetailTableView_->headerView());
        selectAllButton_->move(kTableCheckX, (FlatHeaderView::kHeight - 16) / 2);
    }
    selectAllButton_->show();
    subDetailTitleLabel_->setText(QString::fromStdString(selectTreeNode_->title));
    showScreen(subDetailView_);
    updateSelectLabel();
    updateSelectAllButton();
}

void FastCleanViewController::clickButtonAction(CheckButtonCell*, const QModelIndex& row) {
    if (allTypeArr_.size() > kChatCategory && selectTreeNode_ == allTypeArr_[kChatCategory].get()) {
        outlineCheckboxClicked(row);
        return;
    }
    TCTreeNode* node = JunkNodeModel::nodeAt(row);
    if (!node) return;
    JunkSelection::clickNode(*node);
    selectionChanged();
}

void FastCleanViewController::outlineCheckboxClicked(const QModelIndex& row) {
    TCTreeNode* node = JunkNodeModel::nodeAt(row);
    if (!node) return;
    JunkSelection::clickNode(*node);
    selectionChanged();
}

void FastCleanViewController::selectionChanged() {
    tableModel->refreshStates();
    outlineModel->refreshStates(socialOutlineView_->shownRows());
    updateSelectLabel();
    updateSelectAllButton();
}

void FastCleanViewController::openFinderButtonClicked(const QModelIndex& row) {
    const TCTreeNode* node = JunkNodeModel::nodeAt(row);
    if (!node || node->path.empty()) return;
    const std::optional<platform::FileEntry> entry = platform::FolderLister::entryAt(node->path);
    if (!entry) {
        platform::logInfo("nothing to show at " + node->path + ": it is gone");
        return;
    }
    if (entry->isFolder())
        platform::Workspace::shared()->openFile(node->path);
    else
        platform::Workspace::shared()->revealFile(node->path);
}

void FastCleanViewController::updateSelectLabel() {
    if (!selectTreeNode_) return;
    const JunkSelection::Leaves leaves = JunkSelection::leavesBelow(*selectTreeNode_);
    platform::logInfo("=== : " + std::to_string(leaves.selectedBytes));
    const std::string size = core::CommUti::longlongConvertVolSpace(static_cast<int64_t>(leaves.selectedBytes));
    selectFileLabel_->setText(QStringLiteral("已选择%1项，大小：%2").arg(leaves.selected).arg(QString::fromStdString(size)));
}

void FastCleanViewController::updateSelectAllButton() {
    if (!selectTreeNode_) return;
    aSelectAllState_ = JunkSelection::selectAllState(*selectTreeNode_);
    selectAllButton_->showState(aSelectAllState_ == 1   ? HeaderCheckBox::State::All
                                : aSelectAllState_ == 2 ? HeaderCheckBox::State::Some
                                                        : HeaderCheckBox::State::None);
}

void FastCleanViewController::setAllSelectOrNoSelect() {
    if (!selectTreeNode_ || !selectTreeNode_->hasChildren()) return;
    JunkSelection::toggleSelectAllOrNone(*selectTreeNode_);
    selectionChanged();
}

void FastCleanViewController::backToDetailButtonAction() {
    showScreen(detailView_);
    selectTreeNode_ = nullptr;
    tableModel->setRootNode(nullptr);
    outlineModel->setRootNode(nullptr);
    refreshTiles();
}

void FastCleanViewController::backHomeButtonAction() {
    completedLabel_->hide();
    showScreen(mainView_);
}

// --- Clean.

void FastCleanViewController::beginCleanFile() {
    if (!isCanClick_ || allTypeArr_.empty()) return;
    isCanClick_ = false;
    cleanTotalSize_ = 0;
    cleanBut_->setButtonEnabled(false);
    backHomeButton_->setEnabled(false);
    totalSizeLabel_->setText(QStringLiteral("清理垃圾文件，请稍候..."));
    for (FastTypeView* tile : allListViewArr_) {
        const TCTreeNode& category = *allTypeArr_[tile->tag];
        tile->setCheck(tile->checkImageName(), false);
        tile->setDetailButtonUsable(false);
        const bool affected = std::any_of(category.detailChildren.begin(), category.detailChildren.end(),
                                          [](const auto& child) { return child->selectState != 0; });
        tile->setLoading(affected);
    }
    auto removal = std::make_shared<JunkRemoval>(allTypeArr_);
    QPointer<FastCleanViewController> page(this);
    core::Executor main = executors.main;
    executors.global([removal, main, page] {
        removal->run();
        main([removal, page] {
            if (!page) return;
            page->backHomeButton_->setEnabled(true);
            page->cleanEnd(removal);
            page->isCanClick_ = true;
        });
    });
}

void FastCleanViewController::cleanEnd(const std::shared_ptr<JunkRemoval>& removal) {
    removal->apply();
    cleanTotalSize_ = removal->cleanTotalSize();
    for (FastTypeView* tile : allListViewArr_) {
        tile->setDetailButtonUsable(false);
        tile->setDetailButtonHidden(true);
        tile->setSizeText(QString::fromStdString(allTypeArr_[tile->tag]->size));
        tile->setCheck(QStringLiteral("checkbox-unsel-disable"), false);
        tile->setLoading(false);
    }
    completedLabel_->show();
    totalSize_ = 0;
    const QString size = sizeText(cleanTotalSize_);
    totalSizeLabel_->setText(setStringFontWithMainStr(
        QStringLiteral("已经从您的Mac中清理%1垃圾文件，再次清理请返回首页重新扫描。").arg(size), textColor(), size,
        getColor(108, 200, 121, 1), normalLable->font(), selectFileLabel_->font(), 16));
}

}  // namespace ui
