#include "ui/uninstall/AMRelatedFilesWindowController.h"

#include "core/kit/CommUti.h"
#include "core/uninstall/AsMDeleteExecutor.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/CustemOutlineView.h"
#include "ui/kit/tables/FlatItemDelegate.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/uninstall/RelatedFilesCleanDelegate.h"
#include "ui/uninstall/RelatedFilesModel.h"
#include "ui/uninstall/UninstallCell.h"
#include "ui/uninstall/UninstallProgressWindowController.h"

#include <QHeaderView>
#include <QLabel>
#include <QTimer>

namespace ui {

using core::uninstall::AMAppItemPtr;
using core::uninstall::AsMDeleteExecutor;

namespace {

constexpr QSize kContentSize(600, 440);
constexpr QSize kButtonSize(100, 32);
constexpr int kMargin = 24;

}  // namespace

AMRelatedFilesWindowController::AMRelatedFilesWindowController(core::Executors executors)
    : DialogWindowController(kContentSize), executors_(std::move(executors)) {
    QWidget* content = aWindow->contentView();
    titleLabel_ = makeTitleField(content, QRect(kMargin, 16, 552, 22), QStringLiteral("以下文件将被彻底删除"));
    makeOutline(content);
    const int buttonTop = kContentSize.height() - 20 - kButtonSize.height();
    const int uninstallLeft = kContentSize.width() - kMargin - kButtonSize.width();
    cancelButton_ = new TextImageButton(content);
    cancelButton_->setGeometry(QRect(QPoint(uninstallLeft - 12 - kButtonSize.width(), buttonTop), kButtonSize));
    uninstallButton_ = new TextImageButton(content);
    uninstallButton_->setGeometry(QRect(QPoint(uninstallLeft, buttonTop), kButtonSize));
    windowDidLoad();
}

AMRelatedFilesWindowController::~AMRelatedFilesWindowController() {
    if (deleteExecutor) deleteExecutor->setDelegate(nullptr);
}

void AMRelatedFilesWindowController::makeOutline(QWidget* content) {
    outlineView_ = new CustemOutlineView(content);
    outlineView_->setGeometry(kMargin, 50, kContentSize.width() - 2 * kMargin, 318);
    model_ = new RelatedFilesModel(selection_, this);
    outlineView_->setModel(model_);
    auto* check = new CheckButtonCell(outlineView_);
    check->setDelegate(this);
    outlineView_->setItemDelegateForColumn(RelatedFilesModel::CheckBox, check);
    outlineView_->setItemDelegateForColumn(RelatedFilesModel::Name, new UninstallCell(outlineView_));
    outlineView_->setItemDelegateForColumn(RelatedFilesModel::Size, new FlatItemDelegate(outlineView_));
    outlineView_->setTreePosition(RelatedFilesModel::Name);
    outlineView_->setUniformRowHeights(true);
    outlineView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    outlineView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    outlineView_->setSelectionMode(QAbstractItemView::SingleSelection);
    outlineView_->setExpandsOnDoubleClick(false);
    outlineView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outlineView_->header()->setSectionsClickable(false);
    outlineView_->header()->setStretchLastSection(true);
    outlineView_->setColumnWidth(RelatedFilesModel::CheckBox, 44);
    outlineView_->setColumnWidth(RelatedFilesModel::Name, 400);
    connect(outlineView_, &QAbstractItemView::doubleClicked, this, &AMRelatedFilesWindowController::openOrClose);
}

void AMRelatedFilesWindowController::windowDidLoad() {
    cancelButton_->setButtonEnabled(true);
    cancelButton_->setImageFromFileNormalName("btn_sec", "btn_sec_press", "btn_sec_press", "btn_sec_disable");
    cancelButton_->setTextWithName(QStringLiteral("取消"));
    connect(cancelButton_, &QAbstractButton::clicked, this, &AMRelatedFilesWindowController::clickedCancelBtn);

    uninstallButton_->setButtonEnabled(true);
    uninstallButton_->setImageFromFileNormalName("btn_pri", "btn_pri_press", "btn_pri_press", "btn_pri_disable");
    uninstallButton_->setTextWithName(QStringLiteral("卸载"));
    connect(uninstallButton_, &QAbstractButton::clicked, this, &AMRelatedFilesWindowController::clickedDeleteBtn);
    setKeyEquivalents({uninstallButton_}, {cancelButton_});
}

void AMRelatedFilesWindowController::setAllRelaltedFiles(Groups groups) {
    selection_.setGroups(std::move(groups));
    model_->reload();
    uninstallButton_->setButtonEnabled(selection_.hasTicked());
    if (model_->rowCount() > 0) outlineView_->expandRecursively(model_->index(0, 0));
}

void AMRelatedFilesWindowController::clickedDeleteBtn() {
    if (!aWindow->isVisible()) return;
    closeWindow();
    QTimer::singleShot(kRemoveDelayMilliseconds, this, &AMRelatedFilesWindowController::doRemove);
}

void AMRelatedFilesWindowController::clickedCancelBtn() { closeWindow(); }

void AMRelatedFilesWindowController::openOrClose(const QModelIndex& row) {
    const QModelIndex group = row.siblingAtColumn(0);
    if (RelatedFilesModel::groupOf(group) < 0) return;
    outlineView_->setExpanded(group, !outlineView_->isExpanded(group));
}

void AMRelatedFilesWindowController::clickButtonAction(CheckButtonCell*, const QModelIndex& row) {
    selectRemoveLanguage(row);
}

void AMRelatedFilesWindowController::selectRemoveLanguage(const QModelIndex& row) {
    const int group = RelatedFilesModel::groupOf(row);
    if (group >= 0)
        selection_.toggleGroup(static_cast<size_t>(group));
    else if (AMAppItemPtr item = model_->recordOf(row))
        selection_.toggleItem(item);
    uninstallButton_->setButtonEnabled(selection_.hasTicked());
    model_->refreshStates();
}

void AMRelatedFilesWindowController::doRemove() {
    if (!selection_.hasTicked()) return;
    if (!deleteExecutor) {
        deleteExecutor = AsMDeleteExecutor::make(executors_);
        deleteExecutor->setDelegate(this);
    }
    const std::vector<AMAppItemPtr> selectedRelatedFiles = selection_.ticked();
    tally_.begin(selectedRelatedFiles.size());
    running_ = true;
    deleteExecutor->executeDelete(selectedRelatedFiles);
    showProgress();
}

void AMRelatedFilesWindowController::showProgress() {
    uninstallPWC_ = std::make_unique<UninstallProgressWindowController>();
    uninstallPWC_->setDelegate(this);
    showTally();
    uninstallPWC_->window()->center();
    runModal(uninstallPWC_->window());
}

void AMRelatedFilesWindowController::deleteRelatedFile(const AMAppItemPtr& item, const std::string& path) {
    tally_.deleteRelatedFile(*item, path);
    reportDone();
}

void AMRelatedFilesWindowController::deleteRelatedFileFail(const AMAppItemPtr&, const std::string& path) {
    tally_.deleteRelatedFileFail(path);
    reportDone();
}

void AMRelatedFilesWindowController::reportDone() {
    if (uninstallPWC_) showTally();
    if (!running_ || !tally_.isFinished()) return;
    running_ = false;
    if (delegate_) delegate_->completeCleanRelatedFiles();
    if (releaseAfterRun_) deleteLater();
}

void AMRelatedFilesWindowController::showTally() {
    const int percent = tally_.percent();
    if (percent >= 100) {
        uninstallPWC_->changeLabel(QString::fromStdString(core::CommUti::convertVolSpace(tally_.totalSize())));
        uninstallPWC_->changeFailureCount(static_cast<int>(tally_.failures()));
    }
    uninstallPWC_->changeProgressValue(percent, QString::fromStdString(tally_.progress().currentPath()));
}

void AMRelatedFilesWindowController::uninstallEnd() {
    selection_.clear();
    model_->reload();
    closeWindow();
}

void AMRelatedFilesWindowController::releaseWhenIdle() {
    if (running_)
        releaseAfterRun_ = true;
    else
        deleteLater();
}

}  // namespace ui
