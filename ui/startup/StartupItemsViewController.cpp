#include "ui/startup/StartupItemsViewController.h"

#include "platform/files/FolderLister.h"
#include "platform/system/Environment.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/kit/tables/BgTableView.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/FlatItemDelegate.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/kit/windows/FileAndFolderOpenPanel.h"
#include "ui/shell/ToolColumn.h"
#include "ui/startup/RemoveButtonCell.h"
#include "ui/startup/StartItemImageAndTextCell.h"
#include "ui/startup/StartupItemsTableModel.h"

#include <QFileInfo>
#include <QHeaderView>

namespace ui {

using core::startup::StartupItemsModel;

namespace {

const QRect kListFrame(20, 56, 700, 458);
const QSize kPanelSize(640, 420);

HeaderCheckBox::State headerState(StartupItemsModel::HeaderBox box) {
    switch (box) {
    case StartupItemsModel::HeaderBox::Ticked: return HeaderCheckBox::State::All;
    case StartupItemsModel::HeaderBox::HalfTicked: return HeaderCheckBox::State::Some;
    case StartupItemsModel::HeaderBox::Unticked: break;
    }
    return HeaderCheckBox::State::None;
}

// The applications folder the panel opens in, else the home folder.
QString panelFolder() {
    const auto& environment = *platform::Environment::current();
    const std::string applications = environment.resolve("/Applications");
    auto entry = platform::FolderLister::entryAt(applications, false);
    return QString::fromStdString(entry && entry->isFolder() ? applications : environment.resolve("~"));
}

}  // namespace

StartupItemsViewController::StartupItemsViewController(core::Executors executors,
                                                       std::shared_ptr<platform::LoginItemList> loginItems,
                                                       QWidget* parent)
    : QWidget(parent) {
    resize(kPageWidth, kPageHeight);
    fillBackground(this, getColor(255, 255, 255, 1));
    awakeFromNib(std::move(executors), std::move(loginItems));
}

void StartupItemsViewController::awakeFromNib(core::Executors executors,
                                              std::shared_ptr<platform::LoginItemList> loginItems) {
    items_ = StartupItemsModel::make(std::move(executors), std::move(loginItems), [this] { rowsChanged(); });
    makeTable();
    makeButtons();
    tableViewTitleCheckBox();
    items_->getAllItmes();
}

void StartupItemsViewController::makeTable() {
    listTableView_ = new BgTableView(this);
    listTableView_->setGeometry(kListFrame);
    model = new StartupItemsTableModel(*items_, this);
    listTableView_->setModel(model);
    auto* check = new CheckButtonCell(listTableView_);
    check->setDelegate(this);
    listTableView_->setItemDelegateForColumn(StartupItemsTableModel::Hide, check);
    listTableView_->setItemDelegateForColumn(StartupItemsTableModel::Name, new StartItemImageAndTextCell(listTableView_));
    listTableView_->setItemDelegateForColumn(StartupItemsTableModel::Kind, new FlatItemDelegate(listTableView_));
    listTableView_->setItemDelegateForColumn(
        StartupItemsTableModel::Remove,
        new RemoveButtonCell([this](const QModelIndex& row) { removeItemsAction(row); }, listTableView_));
    listTableView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listTableView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listTableView_->setSelectionMode(QAbstractItemView::SingleSelection);
    listTableView_->setDragEnabled(false);
    listTableView_->setAcceptDrops(false);
    listTableView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listTableView_->verticalHeader()->setDefaultSectionSize(StartupItemsTableModel::kRowHeight);
    listTableView_->setColumnWidth(StartupItemsTableModel::Hide, 52);
    listTableView_->setColumnWidth(StartupItemsTableModel::Kind, 120);
    listTableView_->setColumnWidth(StartupItemsTableModel::Remove, 100);
    listTableView_->horizontalHeader()->setSectionResizeMode(StartupItemsTableModel::Name, QHeaderView::Stretch);
    listTableView_->marksCurrentRow();
}

void StartupItemsViewController::tableViewTitleCheckBox() {
    selectAllButton_ = new HeaderCheckBox(listTableView_->headerView());
    connect(selectAllButton_, &QAbstractButton::clicked, this, &StartupItemsViewController::setAllSelectOrNoSelect);
}

void StartupItemsViewController::makeButtons() {
    removeBut_ = new TextImageButton(this);
    removeBut_->setGeometry(cocoaRect(kPageHeight, 310, 38, 120, 32).toRect());
    removeBut_->setImageFromFileNormalName(QStringLiteral("new_btn_scan"), QStringLiteral("new_btn_scan_press"),
                                           QStringLiteral("new_btn_scan_press"), QStringLiteral("new_btn_scan_disable"));
    removeBut_->setTextWithName(QStringLiteral("移除"));
    removeBut_->setButtonEnabled(false);
    removeBut_->setCursor(Qt::PointingHandCursor);
    connect(removeBut_, &QAbstractButton::clicked, this, &StartupItemsViewController::removeButtonActoion);

    addBut_ = new TCImageButton(this);
    addBut_->setImageFromFileNormalName(QStringLiteral("btn_add"), QStringLiteral("btn_add_press"),
                                        QStringLiteral("btn_add_hover"), QStringLiteral("btn_add_disable"));
    addBut_->move(kListFrame.right() + 1 - 28, kListFrame.top() - 34);
    addBut_->setToolTip(QStringLiteral("添加"));
    addBut_->setCursor(Qt::PointingHandCursor);
    connect(addBut_, &QAbstractButton::clicked, this, &StartupItemsViewController::addButtonAction);
}

bool StartupItemsViewController::isCanClick() {
    items_->updateLoginItemsList();
    return true;
}

void StartupItemsViewController::rowsChanged() {
    model->reloadData();
    if (listTableView_->rowNum() >= model->rowCount()) listTableView_->setRowNum(-1);
    listTableView_->viewport()->update();
    changeSelectAllButtonState();
}

void StartupItemsViewController::changeSelectAllButtonState() {
    selectAllButton_->showState(headerState(items_->headerBox()));
    removeBut_->setButtonEnabled(items_->isRemoveButtonEnabled());
}

void StartupItemsViewController::clickButtonAction(CheckButtonCell*, const QModelIndex& row) {
    items_->setHideStar(row.row());
}

void StartupItemsViewController::setAllSelectOrNoSelect() { items_->setAllSelectOrNoSelect(); }

void StartupItemsViewController::removeItemsAction(const QModelIndex& row) { items_->removeItemsAction(row.row()); }

void StartupItemsViewController::removeButtonActoion() { items_->removeButtonActoion(); }

void StartupItemsViewController::addButtonAction() {
    if (panel) return;
    panel = FileAndFolderOpenPanel::beginFor(this, panelFolder(), kPanelSize,
                                             [this](const QStringList& chosen) { addChosenItems(chosen); });
}

// A login item names what it starts: links are resolved.
void StartupItemsViewController::addChosenItems(const QStringList& chosen) {
    std::vector<std::string> paths;
    for (const QString& path : chosen) {
        const QString resolved = QFileInfo(path).canonicalFilePath();
        if (!resolved.isEmpty()) paths.push_back(resolved.toStdString());
    }
    items_->addLoginItems(std::move(paths));
}

}  // namespace ui
