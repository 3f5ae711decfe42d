#include "ui/uninstall/UninstallViewController.h"

#include "core/uninstall/RelatedAppFilesScanner.h"
#include "ui/kit/controls/SegmentedControl.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/CustomTableView.h"
#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/kit/tables/OpenButtonCell.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/ToolColumn.h"
#include "ui/uninstall/AMRelatedFilesWindowController.h"
#include "ui/uninstall/ImageTextCell.h"
#include "ui/uninstall/UninstallTableModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace ui {

using core::uninstall::AMAppItemPtr;
using core::uninstall::AppCatalogScanner;
using core::uninstall::AppKind;
using core::uninstall::UninstallLists;

namespace {

const QRect kListFrame(20, 64, 700, 448);

// The three forms of the name column's title; %1 is the count.
const char* const kScannedTitle = "   应用程序（总数：%1项）";
const char* const kApplicationsTitle = "   应用程序（总数：%1 项）";
const char* const kKindSwitchItemsTitle = "   项目（总计：%1 项目）";
const char* const kSearchItemsTitle = "   项目（总计：%1 项）";

}  // namespace

UninstallViewController::UninstallViewController(core::Executors executors, QWidget* parent)
    : QWidget(parent), executors_(std::move(executors)) {
    resize(kPageWidth, kPageHeight);
    fillBackground(this, getColor(254, 253, 255, 1));
    awakeFromNib();
}

UninstallViewController::~UninstallViewController() {
    if (!relatedFilesWinController_) return;
    relatedFilesWinController_->setDelegate(nullptr);
    relatedFilesWinController_->releaseWhenIdle();
}

AMRelatedFilesWindowController* UninstallViewController::relatedFilesWinController() const {
    return relatedFilesWinController_;
}

void UninstallViewController::awakeFromNib() {
    makeTopBar();
    makeTable();
    getLanguagsTableHeaderView();
    makeBottomBar();
    changeSelectAllButtonState();
    begimScanFile();
}

void UninstallViewController::makeTopBar() {
    typeSegment_ = new SegmentedControl({QStringLiteral("应用程序"), QStringLiteral("小部件"), QStringLiteral("插件")}, this);
    typeSegment_->setGeometry(kListFrame.left(), 22, 240, 28);
    connect(typeSegment_, &SegmentedControl::segmentSelected, this, &UninstallViewController::segmentClickAction);

    searchBar_ = new QLineEdit(this);
    searchBar_->setGeometry(kListFrame.right() + 1 - 36 - 220, 22, 220, 28);
    searchBar_->setPlaceholderText(QStringLiteral("搜索"));
    searchBar_->setClearButtonEnabled(true);
    connect(searchBar_, &QLineEdit::textChanged, this, &UninstallViewController::controlTextDidChange);

    refButton_ = new TCImageButton(this);
    refButton_->setImageFromFileNormalName(QStringLiteral("btn_refresh"), QStringLiteral("btn_refresh_press"),
                                           QStringLiteral("btn_refresh_hover"), QStringLiteral("btn_refresh_disable"));
    refButton_->move(kListFrame.right() + 1 - 24, 24);
    refButton_->setToolTip(QStringLiteral("刷新"));
    refButton_->setCursor(Qt::PointingHandCursor);
    connect(refButton_, &QAbstractButton::clicked, this, &UninstallViewController::refButtonAction);
}

void UninstallViewController::makeTable() {
    listViewTabel_ = new CustomTableView(this);
    listViewTabel_->setGeometry(kListFrame);
    model_ = new UninstallTableModel(lists_, executors_, [this](const AMAppItemPtr& item) { sizeMeasured(item); }, this);
    listViewTabel_->setModel(model_);
    auto* check = new CheckButtonCell(listViewTabel_);
    check->setDelegate(this);
    listViewTabel_->setItemDelegateForColumn(UninstallTableModel::CheckBox, check);
    listViewTabel_->setItemDelegateForColumn(UninstallTableModel::AppName, new ImageTextCell(listViewTabel_));
    listViewTabel_->setItemDelegateForColumn(UninstallTableModel::Uninstall, new OpenButtonCell(listViewTabel_));
    for (int column : {UninstallTableModel::Version, UninstallTableModel::Size, UninstallTableModel::System,
                       UninstallTableModel::BundleID})
        listViewTabel_->setItemDelegateForColumn(column, new FlatItemDelegate(listViewTabel_));
    listViewTabel_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listViewTabel_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listViewTabel_->setSelectionMode(QAbstractItemView::SingleSelection);
    listViewTabel_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listViewTabel_->setTextElideMode(Qt::ElideMiddle);
    listViewTabel_->setMouseTracking(true);
    listViewTabel_->viewport()->installEventFilter(this);
    listViewTabel_->verticalHeader()->setDefaultSectionSize(UninstallTableModel::kRowHeight);
    // The uninstall column takes what the others leave, so the columns always fit and a click
    // never scrolls the list sideways.
    listViewTabel_->horizontalHeader()->setMinimumSectionSize(40);
    listViewTabel_->horizontalHeader()->setDefaultSectionSize(60);
    listViewTabel_->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {52, 240, 64, 84, 48, 132};
    for (int column = 0; column < UninstallTableModel::Uninstall; ++column)
        listViewTabel_->setColumnWidth(column, widths[column]);

    QHeaderView* header = listViewTabel_->horizontalHeader();
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &UninstallViewController::didClickTableColumn);
    connect(listViewTabel_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                selectRow = current.isValid() ? current.row() : -1;
                listViewTabel_->setRowNum(selectRow);
                listViewTabel_->viewport()->update();
            });
    connect(listViewTabel_, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == UninstallTableModel::Uninstall) oneAppRemove(index);
    });
    connect(listViewTabel_, &QAbstractItemView::entered, this, [this](const QModelIndex& index) {
        model_->setHoverItem(index.column() == UninstallTableModel::Uninstall ? model_->recordAt(index) : nullptr);
    });
}

// The select-all box in the table's header.
void UninstallViewController::getLanguagsTableHeaderView() {
    selectAllBut_ = new HeaderCheckBox(listViewTabel_->headerView());
    connect(selectAllBut_, &QAbstractButton::clicked, this, &UninstallViewController::selectAllButtonAction);
}

void UninstallViewController::makeBottomBar() {
    uninstallButton_ = new TextImageButton(this);
    uninstallButton_->setGeometry(cocoaRect(kPageHeight, 310, 38, 120, 32).toRect());
    uninstallButton_->setImageFromFileNormalName(QStringLiteral("new_btn_scan"), QStringLiteral("new_btn_scan_press"),
                                                 QStringLiteral("new_btn_scan_press"),
                                                 QStringLiteral("new_btn_scan_disable"));
    uninstallButton_->setTextWithName(QStringLiteral("卸载"));
    uninstallButton_->setButtonEnabled(false);
    uninstallButton_->setCursor(Qt::PointingHandCursor);
    connect(uninstallButton_, &QAbstractButton::clicked, this, &UninstallViewController::uninstallAppButtonAction);

    selectCountLabel_ = makeTextField(this, QRect(kListFrame.right() + 1 - 260, 540, 260, 22), QString(),
                                      systemFontOfSize(13), getColor(107, 107, 107, 1), Qt::AlignRight | Qt::AlignVCenter);
    selectCountLabel_->setTextFormat(Qt::RichText);
}

bool UninstallViewController::eventFilter(QObject* watched, QEvent* event) {
    // The row whose own button started the uninstall keeps its pressed picture meanwhile.
    if (watched == listViewTabel_->viewport() && event->type() == QEvent::Leave) model_->setHoverItem(oneAppItem);
    return QWidget::eventFilter(watched, event);
}

// --- Scanning

void UninstallViewController::begimScanFile() {
    searchPaths = AppCatalogScanner::searchPaths();
    scanKinds({AppKind::Applications, AppKind::Widgets, AppKind::Plugins});
}

void UninstallViewController::refButtonAction() {
    if (isScan_) return;
    lists_.setFullList(lists_.appsType(), {});
    showRows();
    changeSelectAllButtonState();
    scanKinds({lists_.appsType()});
}

void UninstallViewController::scanKinds(std::vector<AppKind> kinds) {
    isScan_ = true;
    typeSegment_->setEnabled(false);
    refButton_->setEnabled(false);
    const bool wholeCatalogue = kinds.size() > 1;
    QPointer<UninstallViewController> self(this);
    AppCatalogScanner::Reports reports;
    reports.kindScanned = [self](AppKind kind, std::vector<AMAppItemPtr> items) {
        if (self) self->kindScanned(kind, std::move(items));
    };
    reports.finished = [self, wholeCatalogue] {
        if (self) self->scanFinished(wholeCatalogue);
    };
    AppCatalogScanner::scanInBackground(executors_, searchPaths, std::move(kinds), std::move(reports));
}

void UninstallViewController::kindScanned(AppKind kind, std::vector<AMAppItemPtr> items) {
    lists_.setFullList(kind, std::move(items));
    if (kind != lists_.appsType()) return;
    showRows();
    changeSelectAllButtonState();
}

void UninstallViewController::scanFinished(bool wholeCatalogue) {
    isScan_ = false;
    changeSelectAllButtonState();
    typeSegment_->setEnabled(!isGathering_);
    refButton_->setEnabled(!isGathering_);
    if (wholeCatalogue && lists_.appsType() == AppKind::Applications)
        setAppNameTitle(QString::fromUtf8(kScannedTitle));
    else
        setAppNameTitle(QString::fromUtf8(lists_.appsType() == AppKind::Applications ? kApplicationsTitle
                                                                                    : kKindSwitchItemsTitle));
}

// --- What is shown

void UninstallViewController::segmentClickAction(int segment) {
    if (!searchBar_->text().isEmpty()) {
        const QSignalBlocker quiet(searchBar_);
        searchBar_->setText(QStringLiteral(" "));
    }
    lists_.switchKind(static_cast<AppKind>(segment));
    typeSegment_->setSelectedSegment(segment);
    setAppNameTitle(QString::fromUtf8(segment == 0 ? kApplicationsTitle : kKindSwitchItemsTitle));
    showRows();
    changeSelectAllButtonState();
}

void UninstallViewController::controlTextDidChange(const QString& text) {
    lists_.search(text.toStdString());
    setAppNameTitle(QString::fromUtf8(lists_.appsType() == AppKind::Applications ? kApplicationsTitle : kSearchItemsTitle));
    showRows();
    changeSelectAllButtonState();
}

void UninstallViewController::setAppNameTitle(const QString& format) {
    model_->setAppNameTitle(format.arg(lists_.shown().size()));
    listViewTabel_->_setupHeaderCell();
}

void UninstallViewController::showRows() {
    selectRow = -1;
    listViewTabel_->setRowNum(-1);
    model_->reloadData();
}

void UninstallViewController::changeSelectAllButtonState() {
    const size_t ticked = lists_.tickedList().size();
    const size_t shown = lists_.shown().size();
    uninstallButton_->setButtonEnabled(ticked > 0 && !isGathering_);
    const UninstallLists::SelectAllState state = lists_.selectAllState();
    selectAllBut_->showState(state == UninstallLists::AllTicked    ? HeaderCheckBox::State::All
                             : state == UninstallLists::SomeTicked ? HeaderCheckBox::State::Some
                                                                   : HeaderCheckBox::State::None);
    if (ticked == 0) {
        selectCountLabel_->setText(QStringLiteral("总共: %1项").arg(shown));
        return;
    }
    const QString count = QStringLiteral("<span style=\"font-size:14px; font-weight:700;\">%1</span>").arg(ticked);
    selectCountLabel_->setText(QStringLiteral("已选择：%1/%2项").arg(count).arg(shown));
}

// --- Ticks and sorting

void UninstallViewController::selectAllButtonAction() {
    lists_.selectAll();
    model_->reloadChecks();
    changeSelectAllButtonState();
}

void UninstallViewController::clickButtonAction(CheckButtonCell*, const QModelIndex& row) {
    const AMAppItemPtr item = model_->recordAt(row);
    if (isScan_ || !item) return;
    lists_.toggle(item);
    model_->reloadChecks();
    changeSelectAllButtonState();
}

void UninstallViewController::didClickTableColumn(int column) {
    if (isScan_ || (column != UninstallTableModel::Size && column != UninstallTableModel::AppName)) return;
    if (column == UninstallTableModel::Size) {
        const std::vector<AMAppItemPtr> waiting = lists_.unmeasuredShown();
        if (!waiting.empty()) {
            sortPendingColumn = column;
            for (const AMAppItemPtr& item : waiting) model_->measure(item);
            return;
        }
    }
    sortBy(column);
}

void UninstallViewController::sortBy(int column) {
    sortPendingColumn = -1;
    const bool descending = lists_.sort(column == UninstallTableModel::Size ? UninstallLists::SortColumn::Size
                                                                           : UninstallLists::SortColumn::Name);
    QHeaderView* header = listViewTabel_->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    showRows();
}

void UninstallViewController::sizeMeasured(const AMAppItemPtr& item) {
    model_->reloadSize(item);
    if (sortPendingColumn >= 0 && lists_.unmeasuredShown().empty()) sortBy(sortPendingColumn);
}

// --- Uninstalling

void UninstallViewController::uninstallAppButtonAction() {
    if (isScan_ || isGathering_) return;
    startUninstall(lists_.tickedList());
}

void UninstallViewController::oneAppRemove(const QModelIndex& row) {
    const AMAppItemPtr item = model_->recordAt(row);
    if (isScan_ || isGathering_ || !item) return;
    oneAppItem = item;
    model_->setHoverItem(item);
    startUninstall({item});
}

// The related files are gathered on a worker; meanwhile the rows and buttons take no clicks.
void UninstallViewController::startUninstall(std::vector<AMAppItemPtr> records) {
    if (records.empty()) return;
    setRowsUsable(false);
    QPointer<UninstallViewController> self(this);
    executors_.global([self, main = executors_.main, records = std::move(records)] {
        auto groups = std::make_shared<std::vector<std::vector<AMAppItemPtr>>>();
        for (const AMAppItemPtr& record : records)
            groups->push_back(core::uninstall::RelatedAppFilesScanner::relatedFilesToApplicationAtPath(record->path));
        main([self, records, groups] {
            if (self) self->showRelatedFiles(records, std::move(*groups));
        });
    });
}

void UninstallViewController::showRelatedFiles(const std::vector<AMAppItemPtr>& records,
                                               std::vector<std::vector<AMAppItemPtr>> groups) {
    setRowsUsable(true);
    uninstalling_.insert(uninstalling_.end(), records.begin(), records.end());
    if (relatedFilesWinController_) relatedFilesWinController_->releaseWhenIdle();
    relatedFilesWinController_ = new AMRelatedFilesWindowController(executors_);
    relatedFilesWinController_->setDelegate(this);
    relatedFilesWinController_->setAllRelaltedFiles(std::move(groups));
    relatedFilesWinController_->window()->center();
    runModal(relatedFilesWinController_->window());
    oneAppItem = nullptr;
    model_->setHoverItem(nullptr);
}

void UninstallViewController::setRowsUsable(bool usable) {
    isGathering_ = !usable;
    listViewTabel_->setEnabled(usable);
    selectAllBut_->setEnabled(usable);
    searchBar_->setEnabled(usable);
    typeSegment_->setEnabled(usable && !isScan_);
    refButton_->setEnabled(usable && !isScan_);
    changeSelectAllButtonState();
}

void UninstallViewController::completeCleanRelatedFiles() {
    lists_.completeUninstall(uninstalling_);
    uninstalling_.clear();
    setAppNameTitle(QString::fromUtf8(lists_.appsType() == AppKind::Applications ? kApplicationsTitle
                                                                                : kKindSwitchItemsTitle));
    showRows();
    changeSelectAllButtonState();
}

}  // namespace ui
