#include "ui/browser/InternetViewController.h"

#include "core/browser/BrowserCleanJob.h"
#include "core/browser/BrowserDiscovery.h"
#include "core/browser/BrowserItemCleaner.h"
#include "core/browser/BrowserSelection.h"
#include "ui/browser/BroTableView.h"
#include "ui/browser/BrowerImageAndTextCell.h"
#include "ui/browser/BrowserItemModel.h"
#include "ui/browser/BrowserNodeModel.h"
#include "ui/browser/CloseBrowerWindowController.h"
#include "ui/kit/controls/RFOverlayScrollView.h"
#include "ui/kit/controls/SpinningImageView.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/FullDiskAccessViewController.h"
#include "ui/shell/ToolColumn.h"

#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QStringList>

namespace ui {

using core::browser::BrowerObj;
using core::browser::BrowserCleanJob;
using core::browser::BrowserDiscovery;
using core::browser::BrowserItemCleaner;
using core::browser::BrowserList;
using core::browser::BrowserSelection;
using core::browser::PassedOverNode;
using core::browser::RunningBrowser;
using core::browser::RunningBrowsers;

namespace {

constexpr int kProgressInterval = 100;
const QRect kLeftFrame(20, 56, 250, 446);
const QRect kRightFrame(280, 56, 440, 446);

QRect pageFrame(qreal x, qreal y, qreal width, qreal height) {
    return cocoaRect(kPageHeight, x, y, width, height).toRect();
}

TextImageButton* actionButton(QWidget* parent, const QRect& frame, const QString& text) {
    auto* button = new TextImageButton(parent);
    button->setGeometry(frame);
    button->setImageFromFileNormalName(QStringLiteral("new_btn_scan"), QStringLiteral("new_btn_scan_press"),
                                       QStringLiteral("new_btn_scan_press"), QStringLiteral("new_btn_scan_disable"));
    button->setTextWithName(text);
    button->setButtonEnabled(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

}  // namespace

InternetViewController::InternetViewController(core::Executors executors, QWidget* parent)
    : QWidget(parent), executors(std::move(executors)) {
    resize(kPageWidth, kPageHeight);
    fillBackground(this, getColor(255, 255, 255, 1));
    awakeFromNib();
}

InternetViewController::~InternetViewController() {
    if (stop) stop->requestStop();
}

void InternetViewController::awakeFromNib() {
    isCanClick_ = true;
    makeStartView();
    makeLoadingView();
    makeResultView();
    progressTimer.setInterval(kProgressInterval);
    connect(&progressTimer, &QTimer::timeout, this, &InternetViewController::showProgress);
    showView(loadBgView_);
}

void InternetViewController::makeStartView() {
    loadBgView_ = new QWidget(this);
    loadBgView_->setGeometry(rect());
    auto* picture = new QLabel(loadBgView_);
    picture->setPixmap(imageNamed(QStringLiteral("browser_home")));
    picture->setGeometry(270, 112, 200, 168);
    makeTextField(loadBgView_, QRect(0, 296, kPageWidth, 34), QStringLiteral("清理浏览器隐私"),
                  boldSystemFontOfSize(22), getColor(45, 45, 45, 1), Qt::AlignCenter);
    makeTextField(loadBgView_, QRect(0, 336, kPageWidth, 22),
                  QStringLiteral("清除浏览历史、下载记录、已储存的密码、Cookies 和缓存，保护您的隐私"),
                  systemFontOfSize(13), getColor(136, 136, 136, 1), Qt::AlignCenter);
    auto* scanNodeView = new QWidget(loadBgView_);
    scanNodeView->setGeometry(rect());
    scanButton_ = actionButton(scanNodeView, pageFrame(310, 164, 120, 32), QStringLiteral("扫描"));
    connect(scanButton_, &QAbstractButton::clicked, this, &InternetViewController::checkOpenBrower);
}

void InternetViewController::makeLoadingView() {
    loadAnView_ = new QWidget(this);
    loadAnView_->setGeometry(rect());
    loadingView_ = new SpinningImageView(QStringLiteral("ic_loading"), loadAnView_);
    loadingView_->setGeometry(kPageWidth / 2 - 24, 220, 48, 48);
    loadingLabel_ = makeTextField(loadAnView_, QRect(0, 290, kPageWidth, 28), QString(), systemFontOfSize(18),
                                  getColor(45, 45, 45, 1), Qt::AlignCenter);
    progressLabel_ = makeTextField(loadAnView_, QRect(120, 326, 500, 20), QString(), systemFontOfSize(12),
                                   getColor(136, 136, 136, 1), Qt::AlignCenter);
}

void InternetViewController::makeResultView() {
    detailBGView_ = new QWidget(this);
    detailBGView_->setGeometry(rect());
    backHomeButton_ = TCImageButton::backButton(detailBGView_, QPoint(12, 17));
    backHomeButton_->setToolTip(QStringLiteral("返回首页"));
    connect(backHomeButton_, &QAbstractButton::clicked, this, &InternetViewController::backHomeButtonAction);
    nameLabel_ = makeTextField(detailBGView_, QRect(48, 16, 420, 24), QString(), boldSystemFontOfSize(16),
                               getColor(45, 45, 45, 1));
    nodeLabel_ = makeTextField(detailBGView_, QRect(kRightFrame.x(), 20, kRightFrame.width(), 20),
                               QStringLiteral("勾选要清理的项目"), systemFontOfSize(12), getColor(136, 136, 136, 1),
                               Qt::AlignRight | Qt::AlignVCenter);

    subBroScrollView_ = new RFOverlayScrollView(detailBGView_);
    subBroScrollView_->setGeometry(kLeftFrame);
    leftTableView_ = makeTable(nullptr);
    nodeModel = new BrowserNodeModel(browserArr, this);
    leftTableView_->setModel(nodeModel);
    leftTableView_->setItemDelegateForColumn(BrowserNodeModel::FName,
                                             new BrowerImageAndTextCell(32, 160, false, leftTableView_));
    leftTableView_->setColumnWidth(BrowserNodeModel::FSelect, 52);
    leftTableView_->horizontalHeader()->setStretchLastSection(true);
    subBroScrollView_->setDocumentView(leftTableView_);

    rightTableView_ = makeTable(detailBGView_);
    rightTableView_->setGeometry(kRightFrame);
    itemModel = new BrowserItemModel(browserArr, this);
    rightTableView_->setModel(itemModel);
    rightTableView_->setItemDelegateForColumn(BrowserItemModel::SName,
                                              new BrowerImageAndTextCell(16, 240, false, rightTableView_));
    rightTableView_->setItemDelegateForColumn(BrowserItemModel::SSize,
                                              new BrowerImageAndTextCell(0, 100, true, rightTableView_));
    rightTableView_->setColumnWidth(BrowserItemModel::SSelect, 52);
    rightTableView_->setColumnWidth(BrowserItemModel::SName, 278);
    rightTableView_->horizontalHeader()->setStretchLastSection(true);

    connect(leftTableView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid()) return;
                leftTableView_->setRowNum(current.row());
                broSelectIndex_ = current.row();
                rightTableView_->setRowNum(-1);
                itemModel->showNode(broSelectIndex_);
                leftTableView_->viewport()->update();
                changeDetail();
            });
    rightTableView_->marksCurrentRow();

    cleanButton_ = actionButton(detailBGView_, pageFrame(310, 40, 120, 32), QStringLiteral("清理"));
    connect(cleanButton_, &QAbstractButton::clicked, this, &InternetViewController::cleanButtonAction);
}

BroTableView* InternetViewController::makeTable(QWidget* parent) {
    auto* table = new BroTableView(parent);
    auto* check = new CheckButtonCell(table);
    check->setDelegate(this);
    table->setItemDelegateForColumn(0, check);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->setDefaultSectionSize(BrowserNodeModel::kRowHeight);
    return table;
}

void InternetViewController::showView(QWidget* view) {
    for (QWidget* each : {loadBgView_, loadAnView_, detailBGView_}) each->setVisible(each == view);
}

void InternetViewController::showLoading(const QString& text) {
    progress.reset();
    loadingLabel_->setText(text);
    progressLabel_->clear();
    showView(loadAnView_);
    progressTimer.start();
}

void InternetViewController::showProgress() {
    if (progress) progressLabel_->setText(QString::fromStdString(progress->currentPath()));
}

// Scan: running browsers first, since their databases are held while they run. They are
// listed off the main thread (a walk over the processes); the page shows the scan meanwhile.
void InternetViewController::checkOpenBrower() {
    isClose = false;
    allOpenId.clear();
    showLoading(QStringLiteral("正在扫描浏览器..."));
    withRunningBrowsers([this](std::vector<RunningBrowser> running) { closeBrowsersAndScan(std::move(running)); });
}

void InternetViewController::withRunningBrowsers(std::function<void(std::vector<RunningBrowser>)> then) {
    QPointer<InternetViewController> page(this);
    core::Executor main = executors.main;
    executors.global([main, page, then = std::move(then)] {
        auto running = std::make_shared<std::vector<RunningBrowser>>(RunningBrowsers::running());
        main([page, running, then] {
            if (page) then(std::move(*running));
        });
    });
}

void InternetViewController::closeBrowsersAndScan(std::vector<RunningBrowser> running) {
    if (running.empty()) {
        getBrowserArr();
        return;
    }
    allOpenId = std::move(running);
    if (!askToClose(allOpenId)) {
        progressTimer.stop();
        showView(loadBgView_);
        return;
    }
    doAction();
    QPointer<InternetViewController> page(this);
    executors.mainAfter(kScanDelayAfterClosing, [page] {
        if (page) page->getBrowserArr();
    });
}

void InternetViewController::getBrowserArr() {
    showLoading(QStringLiteral("正在扫描浏览器..."));
    auto scanStop = std::make_shared<core::StopToken>();
    auto scanProgress = std::make_shared<core::ProgressState>();
    stop = scanStop;
    progress = scanProgress;
    QPointer<InternetViewController> page(this);
    core::Executor main = executors.main;
    executors.global([main, page, scanStop, scanProgress] {
        BrowserDiscovery::Options options;
        options.stop = scanStop.get();
        options.progress = scanProgress.get();
        auto list = std::make_shared<BrowserList>(BrowserDiscovery(options).discover());
        main([page, list] {
            if (page) page->scanFinished(std::move(*list));
        });
    });
}

void InternetViewController::scanFinished(BrowserList list) {
    progressTimer.stop();
    browserArr = std::move(list);
    broSelectIndex_ = 0;
    leftTableView_->setRowNum(0);
    rightTableView_->setRowNum(-1);
    nodeModel->reloadData();
    itemModel->showNode(broSelectIndex_);
    showView(detailBGView_);
    changeDetail();
    changeCleanButtonState();
}

void InternetViewController::backHomeButtonAction() { showView(loadBgView_); }

void InternetViewController::clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) {
    selectBrower(cell->parent() == leftTableView_ ? leftTableView_ : rightTableView_, row.row());
}

void InternetViewController::selectBrower(BroTableView* table, int row) {
    if (row < 0) return;
    if (table == leftTableView_) BrowserSelection::selectNode(browserArr, static_cast<size_t>(row));
    else BrowserSelection::selectItem(browserArr, static_cast<size_t>(broSelectIndex_), static_cast<size_t>(row));
    reloadTables();
    changeCleanButtonState();
}

void InternetViewController::reloadTables() {
    nodeModel->reloadData();
    itemModel->reloadData();
}

void InternetViewController::changeCleanButtonState() {
    cleanButton_->setButtonEnabled(isCanClick_ && BrowserSelection::canClean(browserArr));
}

void InternetViewController::changeDetail() {
    const bool shown = broSelectIndex_ >= 0 && static_cast<size_t>(broSelectIndex_) < browserArr.size();
    nameLabel_->setText(shown ? QString::fromStdString(browserArr[static_cast<size_t>(broSelectIndex_)]->name)
                              : QString());
}

bool InternetViewController::askToClose(const std::vector<RunningBrowser>& browsers) {
    isClose = false;
    if (!closeBroWC_) {
        closeBroWC_ = std::make_unique<CloseBrowerWindowController>();
        closeBroWC_->setDelegate(this);
    }
    closeBroWC_->changeNodeLabelWithStr(
        QStringLiteral("请关闭%1浏览器，重新开始！").arg(QString::fromStdString(RunningBrowsers::namesText(browsers))));
    closeBroWC_->window()->center();
    runModal(closeBroWC_->window());
    return isClose;
}

void InternetViewController::closeBrowerButtonAction() { isClose = true; }

void InternetViewController::doAction() { RunningBrowsers::terminate(allOpenId); }

// Clean: the running browsers among the ticked ones are asked to quit, Safari's permission is
// asked for, then the ticked items are cleaned on a worker. Busy from the click to the end.
void InternetViewController::cleanButtonAction() {
    if (!isCanClick_ || !BrowserSelection::canClean(browserArr)) return;
    isCanClick_ = false;
    cleanButton_->setButtonEnabled(false);
    showLoading(QStringLiteral("正在清理..."));
    withRunningBrowsers([this](std::vector<RunningBrowser> running) { closeBrowsersAndClean(std::move(running)); });
}

void InternetViewController::closeBrowsersAndClean(std::vector<RunningBrowser> running) {
    allOpenId = RunningBrowsers::ofTickedNodes(running, browserArr);
    if (!allOpenId.empty()) {
        if (!askToClose(allOpenId)) {
            progressTimer.stop();
            showView(detailBGView_);
            isCanClick_ = true;
            changeCleanButtonState();
            return;
        }
        doAction();
    }
    for (const auto& node : browserArr)
        if (BrowserItemCleaner::needsFullDiskAccess(*node)) FullDiskAccessViewController::runPrompt();
    cleanBrowerFiles(allOpenId);
}

void InternetViewController::cleanBrowerFiles(std::vector<RunningBrowser> askedToQuit) {
    showLoading(QStringLiteral("正在清理..."));
    auto job = std::make_shared<BrowserCleanJob>(browserArr, std::move(askedToQuit), browserQuitTimeout);
    auto cleanStop = std::make_shared<core::StopToken>();
    stop = cleanStop;
    progress = std::shared_ptr<const core::ProgressState>(job, &job->progress());
    QPointer<InternetViewController> page(this);
    core::Executor main = executors.main;
    executors.global([main, page, job, cleanStop] {
        job->run(cleanStop.get());
        main([page, job] {
            if (page) page->cleanFinished(*job);
        });
    });
}

void InternetViewController::cleanFinished(const BrowserCleanJob& job) {
    progressTimer.stop();
    job.applyTo(browserArr);
    reloadTables();
    showView(detailBGView_);
    isCanClick_ = true;
    changeCleanButtonState();
    if (!job.passedOver().empty()) showPassedOver(job.passedOver());
}

// Grouped by reason, each node on a line of its own as the browser list names it.
QString InternetViewController::passedOverText(const std::vector<PassedOverNode>& nodes) {
    const std::pair<PassedOverNode::Reason, QString> reasons[] = {
        {PassedOverNode::Reason::StillRunning, QStringLiteral("以下浏览器没有退出，未清理：")},
        {PassedOverNode::Reason::ProfileInUse, QStringLiteral("以下浏览器的配置文件正在使用，未清理：")},
    };
    QStringList lines;
    for (const auto& [reason, heading] : reasons) {
        QStringList names;
        for (const PassedOverNode& node : nodes) {
            if (node.reason != reason) continue;
            const auto [title, subtitle] = BrowserNodeModel::titleAndSubtitle(QString::fromStdString(node.name));
            names << QStringLiteral("    ") + (subtitle.isEmpty() ? title : title + QStringLiteral(" - ") + subtitle);
        }
        if (!names.isEmpty()) lines << heading << names;
    }
    lines << QStringLiteral("它们的勾选已保留，请关闭浏览器后再清理。");
    return lines.join(QLatin1Char('\n'));
}

// In the close question's look, once the page is usable again.
void InternetViewController::showPassedOver(const std::vector<PassedOverNode>& nodes) {
    passedOverWC_ = std::make_unique<CloseBrowerWindowController>(QStringLiteral("部分浏览器未清理"), passedOverText(nodes));
    passedOverWC_->window()->center();
    runModal(passedOverWC_->window());
}

}  // namespace ui
