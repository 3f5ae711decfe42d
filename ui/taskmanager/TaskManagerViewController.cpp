#include "ui/taskmanager/TaskManagerViewController.h"

#include "core/readings/LoadFigures.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/kit/tables/BgTableView.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/shell/ToolColumn.h"
#include "ui/taskmanager/QuitAppTextFieldCell.h"
#include "ui/taskmanager/TaskManagerModel.h"

#include <QHeaderView>
#include <QLabel>

namespace ui {

using core::taskmanager::TaskManagerEngine;
using core::taskmanager::TaskManagerRows;

namespace {

constexpr int kFigureWidth = 200;
constexpr int kFigureTop = 24;
const QRect kListFrame(20, 104, 700, 410);

QColor captionColor() { return getColor(136, 136, 136, 1); }

}  // namespace

TaskManagerViewController::TaskManagerViewController(core::Executors executors, QWidget* parent) : QWidget(parent) {
    resize(kPageWidth, kPageHeight);
    fillBackground(this, getColor(255, 255, 255, 1));
    awakeFromNib(std::move(executors));
}

// The model reads the engine's rows, and the table asks it for them while it is torn down with
// the page's children: the model goes first, while the engine is still there.
TaskManagerViewController::~TaskManagerViewController() { delete model; }

// The set-up order: the table and its select-all box, the monitors, the buttons, the first
// list build and load reading, then the timers (the first temperature shows after 60 s).
void TaskManagerViewController::awakeFromNib(core::Executors executors) {
    makeFigures();
    makeTable();
    tableHeaderSelectAllButton();

    TaskManagerEngine::Reports reports;
    reports.rowsChanged = [this] { rowsChanged(); };
    reports.sizesChanged = [this] { model->reloadSizes(); };
    reports.cpuChanged = [this](float percentage) { showLoad(cpuLabel_, percentage); };
    reports.memoryChanged = [this](float percentage) { showLoad(memoryLabel_, percentage); };
    reports.temperatureChanged = [this](int degrees) { TemperatureLabel_->setText(QStringLiteral("%1°").arg(degrees)); };
    engine_ = TaskManagerEngine::make(std::move(executors), std::move(reports));
    model = new TaskManagerModel(engine_->rows(), this);
    listTableView_->setModel(model);
    listTableView_->setColumnWidth(TaskManagerModel::ChcekBox, 52);
    listTableView_->setColumnWidth(TaskManagerModel::Name, 518);
    listTableView_->setColumnWidth(TaskManagerModel::Size, 130);
    listTableView_->marksCurrentRow();

    makeButtons();

    engine_->getAllProcess();
    engine_->updateSysStat();

    timer_.setInterval(kRefreshMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &TaskManagerViewController::changeCpuAndMemory);
    timer_.start();
    temTimer_.setInterval(kTemperatureMilliseconds);
    connect(&temTimer_, &QTimer::timeout, this, &TaskManagerViewController::setiTemperature);
    temTimer_.start();
}

// Three figures side by side above the list, each over its caption.
void TaskManagerViewController::makeFigures() {
    const QString captions[] = {QStringLiteral("CPU"), QStringLiteral("内存"), QStringLiteral("磁盘温度")};
    QLabel** values[] = {&cpuLabel_, &memoryLabel_, &TemperatureLabel_};
    for (int index = 0; index < 3; ++index) {
        const int x = 50 + index * (kFigureWidth + 20);
        *values[index] = makeTextField(this, QRect(x, kFigureTop, kFigureWidth, 36), QString(),
                                       systemFontOfSize(28), getColor(45, 45, 45, 1), Qt::AlignCenter);
        makeTextField(this, QRect(x, kFigureTop + 40, kFigureWidth, 20), captions[index], systemFontOfSize(13),
                      captionColor(), Qt::AlignCenter);
    }
    TemperatureLabel_->setText(QStringLiteral("0°"));
}

void TaskManagerViewController::makeTable() {
    listTableView_ = new BgTableView(this);
    listTableView_->setGeometry(kListFrame);
    auto* check = new CheckButtonCell(listTableView_);
    check->setDelegate(this);
    listTableView_->setItemDelegateForColumn(TaskManagerModel::ChcekBox, check);
    listTableView_->setItemDelegateForColumn(TaskManagerModel::Name, new QuitAppTextFieldCell(listTableView_));
    listTableView_->setItemDelegateForColumn(TaskManagerModel::Size, new FlatItemDelegate(listTableView_));
    listTableView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listTableView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listTableView_->setSelectionMode(QAbstractItemView::SingleSelection);
    listTableView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listTableView_->verticalHeader()->setDefaultSectionSize(TaskManagerModel::kRowHeight);
}

void TaskManagerViewController::tableHeaderSelectAllButton() {
    selectAllButton_ = new HeaderCheckBox(listTableView_->headerView());
    connect(selectAllButton_, &QAbstractButton::clicked, this, &TaskManagerViewController::setAllSelectOrNoSelect);
}

void TaskManagerViewController::makeButtons() {
    closeBut_ = new TextImageButton(this);
    closeBut_->setGeometry(cocoaRect(kPageHeight, 310, 38, 120, 32).toRect());
    closeBut_->setImageFromFileNormalName(QStringLiteral("new_btn_scan"), QStringLiteral("new_btn_scan_press"),
                                          QStringLiteral("new_btn_scan_press"), QStringLiteral("new_btn_scan_disable"));
    closeBut_->setTextWithName(QStringLiteral("加速"));
    closeBut_->setButtonEnabled(false);
    closeBut_->setCursor(Qt::PointingHandCursor);
    connect(closeBut_, &QAbstractButton::clicked, this, &TaskManagerViewController::closeButtonAction);

    refButton_ = new TCImageButton(this);
    refButton_->setImageFromFileNormalName(QStringLiteral("btn_refresh"), QStringLiteral("btn_refresh_press"),
                                           QStringLiteral("btn_refresh_hover"), QStringLiteral("btn_refresh_disable"));
    refButton_->move(kListFrame.right() + 1 - 24, kListFrame.top() - 30);
    refButton_->setToolTip(QStringLiteral("刷新"));
    refButton_->setCursor(Qt::PointingHandCursor);
    connect(refButton_, &QAbstractButton::clicked, this, &TaskManagerViewController::refButtonAction);
}

void TaskManagerViewController::showLoad(QLabel* label, float percentage) {
    label->setText(QString::fromStdString(core::percentText(percentage)));
    setTextColor(label, core::isHighLoad(percentage) ? getColor(208, 2, 27, 1) : getColor(78, 187, 71, 1));
}

void TaskManagerViewController::changeCpuAndMemory() { engine_->changeCpuAndMemory(); }

void TaskManagerViewController::setiTemperature() { engine_->setiTemperature(); }

void TaskManagerViewController::refButtonAction() { engine_->refButtonAction(); }

void TaskManagerViewController::rowsChanged() {
    listTableView_->setRowNum(-1);
    model->reloadData();
    changeSelectAllButton();
}

void TaskManagerViewController::changeSelectAllButton() {
    const int state = engine_->rows().selectAllButSt();
    selectAllButton_->showState(state == TaskManagerRows::All    ? HeaderCheckBox::State::All
                                : state == TaskManagerRows::Some ? HeaderCheckBox::State::Some
                                                                 : HeaderCheckBox::State::None);
    closeBut_->setButtonEnabled(engine_->rows().isCloseButtonEnabled());
}

void TaskManagerViewController::clickButtonAction(CheckButtonCell*, const QModelIndex& row) {
    engine_->rows().changeCloseButtonState(row.row());
    model->reloadChecks();
    changeSelectAllButton();
}

void TaskManagerViewController::setAllSelectOrNoSelect() {
    engine_->rows().setAllSelectOrNoSelect();
    model->reloadChecks();
    changeSelectAllButton();
}

void TaskManagerViewController::closeButtonAction() {
    closeBut_->setButtonEnabled(false);
    engine_->closeButtonAction();
}

}  // namespace ui
