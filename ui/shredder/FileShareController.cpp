#include "ui/shredder/FileShareController.h"

#include "core/shredder/ShredWorkList.h"
#include "platform/system/Environment.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/CustomTableView.h"
#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/FlatItemDelegate.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/kit/tables/ImageAndTextCell.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/ToolColumn.h"
#include "ui/shredder/ShredListModel.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>

namespace ui {
namespace {

const QRect kListFrame(20, 56, 700, 458);
const QSize kPanelSize(640, 420);

QRect pageFrame(qreal x, qreal y, qreal width, qreal height) {
    return cocoaRect(kPageHeight, x, y, width, height).toRect();
}

void setPictures(ImageStateButton* button, const QString& name) {
    button->setImageFromFileNormalName(name, name + "_press", name + "_hover", name + "_disable");
    button->setCursor(Qt::PointingHandCursor);
}

TextImageButton* scanStyleButton(QWidget* parent, const QRect& frame, const QString& text) {
    auto* button = new TextImageButton(parent);
    button->setGeometry(frame);
    button->setImageFromFileNormalName(QStringLiteral("new_btn_scan"), QStringLiteral("new_btn_scan_press"),
                                       QStringLiteral("new_btn_scan_press"), QStringLiteral("new_btn_scan_disable"));
    button->setTextWithName(text);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

HeaderCheckBox::State headerState(int state) {
    switch (state) {
    case core::ShredList::kAllSelected: return HeaderCheckBox::State::All;
    case core::ShredList::kSomeSelected: return HeaderCheckBox::State::Some;
    default: return HeaderCheckBox::State::None;
    }
}

}  // namespace

FileShareController::FileShareController(core::Executors executors, std::shared_ptr<core::SecureEraser> eraser,
                                         core::ShredList list, QWidget* parent)
    : QWidget(parent), executors_(std::move(executors)), eraser_(std::move(eraser)), list_(std::move(list)) {
    resize(kPageWidth, kPageHeight);
    fillBackground(this, getColor(255, 255, 255, 1));
    awakeFromNib();
}

// A run still going reports to nobody once the page is gone.
FileShareController::~FileShareController() {
    if (removeFileAndFolder_) {
        removeFileAndFolder_->setDelegate(nullptr);
        removeFileAndFolder_->isCancel();
    }
    if (workListStop_) workListStop_->requestStop();
}

void FileShareController::awakeFromNib() {
    isCanClick_ = true;
    makeDropArea();
    makeListArea();
    tableViewTitleCheckBox();
    showList(false);
}

void FileShareController::makeDropArea() {
    dragView_ = new QWidget(this);
    dragView_->setGeometry(rect());
    dragFileView_ = new DragView(dragView_);
    dragFileView_->setGeometry(dragView_->rect());
    dragFileView_->setDelegate(this);

    auto* frame = new QFrame(dragView_);
    frame->setGeometry(120, 80, 500, 290);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->setStyleSheet(QStringLiteral("QFrame { border: 2px dashed rgb(208, 212, 220); border-radius: 14px; }"));
    auto* picture = new QLabel(dragView_);
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    picture->setPixmap(imageNamed(QStringLiteral("ic_shredder"), QSize(88, 88)));
    picture->setGeometry(326, 126, 88, 88);
    makeTextField(dragView_, QRect(120, 242, 500, 30), QStringLiteral("拖拽文件或文件夹到这里"), systemFontOfSize(20),
                  getColor(45, 45, 45, 1), Qt::AlignCenter);
    makeTextField(dragView_, QRect(120, 278, 500, 22), QStringLiteral("擦除后的文件将被彻底销毁，无法恢复"),
                  systemFontOfSize(13), getColor(136, 136, 136, 1), Qt::AlignCenter);

    addFileBut_ = scanStyleButton(dragView_, pageFrame(310, 164, 120, 32), QStringLiteral("添加"));
    addFileBut_->setButtonEnabled(true);
    connect(addFileBut_, &QAbstractButton::clicked, this, [this] { selectFileButtonAction(addFileBut_); });
}

void FileShareController::makeListArea() {
    listView_ = new QWidget(this);
    listView_->setGeometry(rect());
    backHome_ = TCImageButton::backButton(listView_, QPoint(12, 17));
    backHome_->setToolTip(QStringLiteral("返回"));
    connect(backHome_, &QAbstractButton::clicked, this, &FileShareController::backHomeButtonAction);
    makeTextField(listView_, QRect(48, 14, 300, 34), QStringLiteral("文件擦除"), systemFontOfSize(18),
                  getColor(45, 45, 45, 1), Qt::AlignLeft | Qt::AlignVCenter);

    addFileButton_ = new TCImageButton(listView_);
    setPictures(addFileButton_, QStringLiteral("btn_add"));
    addFileButton_->move(kListFrame.right() + 1 - 28, 17);
    addFileButton_->setToolTip(QStringLiteral("添加"));
    connect(addFileButton_, &QAbstractButton::clicked, this, [this] { selectFileButtonAction(addFileButton_); });
    emptylistButton_ = new TCImageButton(listView_);
    setPictures(emptylistButton_, QStringLiteral("btn_empty"));
    emptylistButton_->move(kListFrame.right() + 1 - 28 - 40, 17);
    emptylistButton_->setToolTip(QStringLiteral("清空列表"));
    connect(emptylistButton_, &QAbstractButton::clicked, this, &FileShareController::emptyListButtonAction);

    // Files dropped on the list join it; the table inside takes the clicks.
    listDragView_ = new DragView(listView_);
    listDragView_->setGeometry(kListFrame);
    listDragView_->setDelegate(this);
    makeTable(listDragView_);

    wipeFileButton_ = scanStyleButton(listView_, pageFrame(310, 38, 120, 32), QStringLiteral("擦除"));
    wipeFileButton_->setButtonEnabled(false);
    connect(wipeFileButton_, &QAbstractButton::clicked, this, &FileShareController::erasreButtonAction);
}

void FileShareController::makeTable(QWidget* holder) {
    valueTableView_ = new CustomTableView(holder);
    valueTableView_->setGeometry(holder->rect());
    model_ = new ShredListModel(list_, this);
    valueTableView_->setModel(model_);
    auto* check = new CheckButtonCell(valueTableView_);
    check->setDelegate(this);
    valueTableView_->setItemDelegateForColumn(ShredListModel::CheckBox, check);
    valueTableView_->setItemDelegateForColumn(ShredListModel::Name, new ImageAndTextCell(valueTableView_));
    for (int column : {ShredListModel::Path, ShredListModel::Size, ShredListModel::Type})
        valueTableView_->setItemDelegateForColumn(column, new FlatItemDelegate(valueTableView_));
    valueTableView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    valueTableView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    valueTableView_->setSelectionMode(QAbstractItemView::SingleSelection);
    valueTableView_->setAcceptDrops(false);
    valueTableView_->setTextElideMode(Qt::ElideMiddle);
    valueTableView_->setWordWrap(false);
    valueTableView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    valueTableView_->verticalHeader()->setDefaultSectionSize(ShredListModel::kRowHeight);
    valueTableView_->setColumnWidth(ShredListModel::CheckBox, 52);
    valueTableView_->setColumnWidth(ShredListModel::Name, 210);
    valueTableView_->setColumnWidth(ShredListModel::Size, 90);
    valueTableView_->setColumnWidth(ShredListModel::Type, 80);
    valueTableView_->horizontalHeader()->setSectionResizeMode(ShredListModel::Path, QHeaderView::Stretch);
    valueTableView_->marksCurrentRow();
}

void FileShareController::tableViewTitleCheckBox() {
    selectAllButton_ = new HeaderCheckBox(valueTableView_->headerView(), HeaderCheckBox::State::All);
    connect(selectAllButton_, &QAbstractButton::clicked, this, &FileShareController::setAllSelectOrNoSelect);
}

void FileShareController::showList(bool list) {
    listView_->setVisible(list);
    dragView_->setVisible(!list);
}

void FileShareController::listChanged() {
    model_->reloadData();
    valueTableView_->setRowNum(-1);
    valueTableView_->viewport()->update();
    setSelectAllState();
}

void FileShareController::setSelectAllState() {
    selectAllButton_->showState(headerState(list_.aSelectAllState()));
    wipeFileButton_->setButtonEnabled(list_.isWipeEnabled());
    valueTableView_->viewport()->update();
}

void FileShareController::viewDragAction(const QStringList& paths) {
    if (!isCanClick_) return;
    std::vector<std::string> dropped;
    for (const QString& path : paths) dropped.push_back(path.toStdString());
    const core::ShredList::Addition addition = list_.addPaths(dropped);
    if (addition.refusedVolume) return showNotice(NTFSWindowController::Notice::NTFSVolume, NTFSWindowController::ntfsMessage());
    if (!list_.valueArr().empty()) {
        listChanged();
        showList(true);
    }
    if (addition.protectedPaths.empty()) return;
    QStringList skipped;
    for (const std::string& path : addition.protectedPaths) skipped.append(QString::fromStdString(path));
    showNotice(NTFSWindowController::Notice::ProtectedFolders,
               QStringLiteral("不能擦除系统目录或个人目录：%1").arg(skipped.join(QStringLiteral("、"))));
}

void FileShareController::showNotice(NTFSWindowController::Notice notice, const QString& message) {
    NTFSWindowController controller(notice, message);
    controller.window()->center();
    shownNotice_ = &controller;
    runModal(controller.window());
    shownNotice_ = nullptr;
}

// The panel starts at the top of the file system (under a demonstration root, at the root).
void FileShareController::selectFileButtonAction(QObject*) {
    if (panel_ || !isCanClick_) return;
    const QString top = QString::fromStdString(platform::Environment::current()->resolve("/"));
    panel_ = FileAndFolderOpenPanel::beginFor(this, top, kPanelSize,
                                              [this](const QStringList& chosen) { viewDragAction(chosen); });
}

void FileShareController::clickButtonAction(CheckButtonCell*, const QModelIndex& row) { selectListButton(row.row()); }

void FileShareController::selectListButton(int row) {
    if (row < 0) return;
    list_.selectListButton(static_cast<size_t>(row));
    setSelectAllState();
}

void FileShareController::setAllSelectOrNoSelect() {
    list_.setAllSelectOrNoSelect();
    setSelectAllState();
}

void FileShareController::emptyListButtonAction() {
    list_.emptyList();
    listChanged();
    showList(false);
}

void FileShareController::backHomeButtonAction() { emptyListButtonAction(); }

void FileShareController::erasreButtonAction() {
    if (!list_.isWipeEnabled() || !isCanClick_) return;
    isCanClick_ = false;
    deleteErrorArr_.clear();
    isCancel_ = false;
    isFailedWipe_ = false;
    wantsToStart_ = false;
    runEnded_ = false;
    removeFileAndFolder_.reset();
    shredProgessWC_ = std::make_unique<ShredProgressWindowController>(executors_);
    shredProgessWC_->setDelegate(this);
    shredProgessWC_->window()->center();
    prepareWorkList();
    runModal(shredProgessWC_->window());
    // Closed before "继续": the walk is no longer wanted.
    if (!wantsToStart_) workListStop_->requestStop();
    isCanClick_ = true;
}

// The work list is walked on a worker as soon as the window opens, so the confirmation can say
// how many files the run will erase; "继续" starts the engine on that very list.
void FileShareController::prepareWorkList() {
    workList_.clear();
    workListBuilt_ = false;
    auto stop = std::make_shared<core::StopToken>();
    workListStop_ = stop;
    QPointer<FileShareController> self(this);
    executors_.global([self, stop, selected = list_.selectedItems(), main = executors_.main] {
        auto items = core::ShredWorkList::build(selected, stop->flag());
        main([self, stop, items = std::move(items)]() mutable {
            if (self && stop == self->workListStop_) self->workListReady(std::move(items));
        });
    });
}

void FileShareController::workListReady(std::vector<std::shared_ptr<core::FileObj>> items) {
    workList_ = std::move(items);
    workListBuilt_ = true;
    if (shredProgessWC_) shredProgessWC_->setFileCount(core::ShredWorkList::countFiles(workList_));
    if (wantsToStart_) startEngine();
}

void FileShareController::doDeleteButtonClick() {
    isFailedWipe_ = false;
    wantsToStart_ = true;
    if (workListBuilt_) startEngine();
}

void FileShareController::startEngine() {
    if (isCancel_) return runEnded();
    removeFileAndFolder_ = std::make_shared<core::RemoveFileAndFolder>(executors_, eraser_);
    removeFileAndFolder_->setDelegate(this);
    removeFileAndFolder_->benginToTraskWithArr(workList_);
}

void FileShareController::cancelShred() {
    isCancel_ = true;
    workListStop_->requestStop();
    if (removeFileAndFolder_) removeFileAndFolder_->isCancel();
}

void FileShareController::removeProgress(const std::string& path, float percent) {
    if (shredProgessWC_) shredProgessWC_->changeProgressValue(static_cast<int>(percent), QString::fromStdString(path));
}

void FileShareController::removeObjEnd(core::RemoveFileAndFolder* engine) {
    if (engine == removeFileAndFolder_.get()) runEnded();
}

void FileShareController::haveFailWipe() { isFailedWipe_ = true; }

// Every ticked item is judged by whether it is still there, whatever the engine said.
void FileShareController::runEnded() {
    if (runEnded_) return;
    runEnded_ = true;
    deleteErrorArr_ = list_.takeSelectedWithOutcome();
    QStringList failed;
    for (const auto& item : core::ShredList::failedItems(deleteErrorArr_)) failed << QString::fromStdString(item->url);
    if (isCancel_) {
        shredProgessWC_->showFailView(QStringLiteral("用户取消了操作。"), failed);
    } else if (!failed.isEmpty() || isFailedWipe_) {
        shredProgessWC_->showFailView(QStringLiteral("%1 项擦除失败：").arg(failed.size()), failed);
    } else {
        shredProgessWC_->showSeccView();
    }
    listChanged();
    showList(false);
}

}  // namespace ui
