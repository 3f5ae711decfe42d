#include "ui/disks/DiskViewController.h"

#include "platform/desktop/Workspace.h"
#include "ui/disks/DCustomTableView.h"
#include "ui/disks/DiskVolumeModel.h"
#include "ui/disks/FormatEndViewController.h"
#include "ui/disks/FristAidViewController.h"
#include "ui/disks/MakeSureFormatViewController.h"
#include "ui/disks/RenameViewController.h"
#include "ui/disks/RepairDiskTableCellView.h"
#include "ui/disks/ShowAidViewControllrt.h"
#include "ui/kit/controls/DTextImageButton.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shell/ToolColumn.h"

#include <QScrollBar>
#include <QTimer>

namespace ui {

using core::disks::VolumeRules;

namespace {

// The buttons lie in the lower half of the selected row.
constexpr int kButtonBarLeft = 60;
constexpr int kButtonBarTop = 50;
constexpr QSize kRowButtonSize(92, 28);
constexpr int kRowButtonSpacing = 10;
constexpr int kFormatEndDelayMilliseconds = 1000;
constexpr int kFirstAidDelayMilliseconds = 1000;

QString titleOf(const QString& identifier) {
    static const QMap<QString, QString> titles = {
        {"rename", "重命名"}, {"format", "格式化"}, {"eject", "安全弹出"},
        {"open", "打开"},     {"mount", "卸载"},    {"firstaid", "急救"},
    };
    return titles.value(identifier);
}

QString text(const std::string& value) { return QString::fromStdString(value); }

}  // namespace

const QStringList& DiskViewController::buttonIdentifiers() {
    static const QStringList identifiers = {"rename", "format", "eject", "open", "mount", "firstaid"};
    return identifiers;
}

DiskViewController::DiskViewController(core::Executors executors, QWidget* parent)
    : QWidget(parent), volumes(core::disks::DiskVolumeList::create(executors)) {
    resize(kPageWidth, kPageHeight);
    fillBackground(this, getColor(254, 253, 255, 1));
    actions = std::make_unique<core::disks::DiskVolumeActions>(std::move(executors), volumes);
    makeTable();
    makeRowButtons();
    volumes->setReloadHandler([this] { reloadTable(); });
    volumes->observeMountChanges();
}

DiskViewController::~DiskViewController() { volumes->setReloadHandler(nullptr); }

void DiskViewController::makeTable() {
    parTableView_ = new DCustomTableView(this);
    parTableView_->setGeometry(0, 0, kPageWidth, kPageHeight);
    model_ = new DiskVolumeModel(volumes, this);
    parTableView_->setModel(model_);
    parTableView_->setItemDelegate(new RepairDiskTableCellView(model_, parTableView_));
    parTableView_->setColumnWidth(DiskVolumeModel::Icon, 60);
    parTableView_->setColumnWidth(DiskVolumeModel::Name, 260);
    parTableView_->setColumnWidth(DiskVolumeModel::Type, 170);
    parTableView_->setColumnWidth(DiskVolumeModel::Size, 250);
    connect(parTableView_, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) { selectRow(index.row()); });
    connect(parTableView_->verticalScrollBar(), &QScrollBar::valueChanged, this, &DiskViewController::placeRowButtons);
}

// One bar of real buttons, laid over whichever row is selected.
void DiskViewController::makeRowButtons() {
    rowButtonBar_ = new QWidget(parTableView_->viewport());
    const int count = static_cast<int>(buttonIdentifiers().size());
    rowButtonBar_->resize(count * kRowButtonSize.width() + (count - 1) * kRowButtonSpacing, kRowButtonSize.height());
    using Action = void (DiskViewController::*)();
    const QMap<QString, Action> targets = {
        {"rename", &DiskViewController::showRenameWindow},   {"format", &DiskViewController::formatButtonAction},
        {"eject", &DiskViewController::ejectButtonAction},   {"open", &DiskViewController::OpenButtonAction},
        {"mount", &DiskViewController::mountButtonAction},   {"firstaid", &DiskViewController::aidtButAction},
    };
    int left = 0;
    for (const QString& identifier : buttonIdentifiers()) {
        auto* button = new DTextImageButton(rowButtonBar_);
        button->setObjectName(identifier);
        button->setGeometry(QRect(QPoint(left, 0), kRowButtonSize));
        button->setImageFromFileNormalName(QStringLiteral("btn_format"), QStringLiteral("btn_format_press"),
                                           QStringLiteral("btn_format_hover"), QStringLiteral("btn_format_disable"));
        button->setTextWithName(titleOf(identifier), 12);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QAbstractButton::clicked, this, targets.value(identifier));
        rowButtons.insert(identifier, button);
        left += kRowButtonSize.width() + kRowButtonSpacing;
    }
    rowButtonBar_->hide();
}

std::shared_ptr<core::disks::VolumeObj> DiskViewController::selectedVolume() const {
    const int row = volumes->selectIndex();
    return model_->isSelectedRow(row) ? model_->volumeAt(row) : nullptr;
}

void DiskViewController::reloadTable() {
    model_->reloadData();
    parTableView_->clearSpans();
    for (int row = 0; row < model_->rowCount(); ++row) {
        parTableView_->setSpan(row, 0, 1, DiskVolumeModel::ColumnCount);
        parTableView_->setRowHeight(row, model_->isSelectedRow(row) ? RepairDiskTableCellView::kSelectedRowHeight
                                                                    : RepairDiskTableCellView::kRowHeight);
    }
    parTableView_->setSelectNum(selectedVolume() ? volumes->selectIndex() : -1);
    placeRowButtons();
}

void DiskViewController::placeRowButtons() {
    auto volume = selectedVolume();
    if (!volume) {
        rowButtonBar_->hide();
        return;
    }
    const core::disks::RowButtons usable = VolumeRules::buttonsFor(*volume);
    isMount_ = usable.isMount;
    rowButtons["rename"]->setButtonEnabled(usable.rename);
    rowButtons["format"]->setButtonEnabled(usable.format);
    rowButtons["eject"]->setButtonEnabled(usable.eject);
    rowButtons["open"]->setButtonEnabled(usable.open);
    rowButtons["mount"]->setButtonEnabled(usable.mount);
    rowButtons["mount"]->setTextWithName(text(usable.mountTitle), 12);
    rowButtons["firstaid"]->setButtonEnabled(usable.firstaid);
    rowButtonBar_->move(kButtonBarLeft, parTableView_->rowViewportPosition(volumes->selectIndex()) + kButtonBarTop);
    rowButtonBar_->show();
    rowButtonBar_->raise();
}

void DiskViewController::selectRow(int row) { volumes->selectRow(row); }

core::disks::DiskVolumeActions::Done DiskViewController::reportFailures() {
    QPointer<DiskViewController> self(this);
    return [self](const core::disks::DiskVolumeActions::Result& result) {
        if (self && !result.succeeded()) self->showFailure(text(result.message));
    };
}

void DiskViewController::OpenButtonAction() {
    auto volume = selectedVolume();
    if (!volume || volume->volumeMountPoint.empty()) return;
    if (!platform::Workspace::shared()->openFile(volume->volumeMountPoint))
        showFailure(QStringLiteral("无法打开“%1”。").arg(text(volume->volumeMountPoint)));
}

void DiskViewController::mountButtonAction() {
    if (auto volume = selectedVolume()) actions->mountButtonAction(*volume, isMount_, reportFailures());
}

void DiskViewController::ejectButtonAction() {
    if (auto volume = selectedVolume()) actions->ejectButtonAction(*volume, reportFailures());
}

void DiskViewController::showRenameWindow() {
    auto volume = selectedVolume();
    if (!volume) return;
    renameVC_ = std::make_unique<RenameViewController>(text(volume->volumeName));
    renameVC_->setDelegate(this);
    renameVC_->window()->center();
    runModal(renameVC_->window());
}

void DiskViewController::makeSureToChangeName(const QString& name) {
    if (auto volume = selectedVolume()) actions->makeSureToChangeName(*volume, name.toStdString(), reportFailures());
    reloadTable();
}

void DiskViewController::formatButtonAction() {
    auto volume = selectedVolume();
    if (!volume) return;
    makeSureFormatVC_ = std::make_unique<MakeSureFormatViewController>();
    makeSureFormatVC_->setDelegate(this);
    const std::string device = volume->volRootDir.empty() ? "/dev/" + volume->volumePath : volume->volRootDir;
    makeSureFormatVC_->setName(text(volume->volumeName), text(VolumeRules::offeredTypeText(volume->diskType)), text(device),
                               DiskVolumeModel::sizeText(*volume).section(QStringLiteral(" / "), -1));
    makeSureFormatVC_->window()->center();
    runModal(makeSureFormatVC_->window());
}

// The dialog stays in its working state until the utility has answered; then it closes and
// the notice or the reason follows.
void DiskViewController::makeSureToFormatSelectVolumeWithName(const QString& name, const QString& type) {
    auto volume = selectedVolume();
    if (!volume) return;
    QPointer<DiskViewController> self(this);
    auto done = [self](const core::disks::DiskVolumeActions::Result& result) {
        if (!self) return;
        if (self->makeSureFormatVC_) self->makeSureFormatVC_->closeWindow();
        if (result.succeeded()) {
            QTimer::singleShot(kFormatEndDelayMilliseconds, self, &DiskViewController::showFormatEndWindow);
        } else {
            const QString message = text(result.message);
            QTimer::singleShot(0, self, [self, message] { self->showFailure(message); });
        }
    };
    actions->makeSureToFormat(*volume, name.toStdString(), type.toStdString(), std::move(done));
}

void DiskViewController::showFormatEndWindow() {
    formatEndVC_ = std::make_unique<FormatEndViewController>(QStringLiteral("格式化完成"), QString());
    formatEndVC_->setDelegate(this);
    formatEndVC_->window()->center();
    runModal(formatEndVC_->window());
}

void DiskViewController::showFailure(const QString& message) {
    formatEndVC_ = std::make_unique<FormatEndViewController>(QStringLiteral("操作未能完成"), message);
    formatEndVC_->setDelegate(this);
    formatEndVC_->window()->center();
    runModal(formatEndVC_->window());
}

void DiskViewController::aidtButAction() {
    auto volume = selectedVolume();
    if (!volume) return;
    if (aidRunning) {
        showFailure(QStringLiteral("上一次急救仍在进行，请在它结束后再试。"));
        return;
    }
    fristAidVC_ = std::make_unique<FristAidViewController>();
    fristAidVC_->setDelegate(this);
    fristAidVC_->changeAidDiskName(text(volume->volumeName));
    fristAidVC_->window()->center();
    runModal(fristAidVC_->window());
}

void DiskViewController::checkDiskAction() {
    QTimer::singleShot(0, this, [this] { runFirstAid(false); });
}

void DiskViewController::repairDiskAction() {
    QTimer::singleShot(0, this, [this] { runFirstAid(true); });
}

void DiskViewController::runFirstAid(bool repair) {
    auto volume = selectedVolume();
    if (!volume) return;
    aidChunks = 0;
    showAidVC_ = std::make_unique<ShowAidViewControllrt>(text(volume->volumeName));
    showAidVC_->setDelegate(this);
    showAidVC_->window()->center();
    QTimer::singleShot(kFirstAidDelayMilliseconds, this, [this, volume, repair] { startFirstAid(*volume, repair); });
    runModal(showAidVC_->window());
}

// The utility's output is shown as it comes, one row per piece read.
void DiskViewController::startFirstAid(const core::disks::VolumeObj& volume, bool repair) {
    if (!showAidVC_ || !showAidVC_->window()->isVisible() || aidRunning) return;
    aidRunning = true;
    QPointer<DiskViewController> self(this);
    actions->firstAid(
        volume, repair,
        [self](const std::string& piece) {
            if (self) self->readCompleted(piece);
        },
        [self](const core::disks::DiskVolumeActions::Result& result) {
            if (self) self->EUTerminated(result);
        });
}

void DiskViewController::readCompleted(const std::string& piece) {
    if (piece.empty() || !showAidVC_) return;
    ++aidChunks;
    showAidVC_->changeShowOutPut(QString::fromStdString(piece));
    showAidVC_->setProgressValue(static_cast<float>(aidChunks));
}

// A tool that could not run, or ended without a word, says why.
void DiskViewController::EUTerminated(const core::disks::DiskVolumeActions::Result& result) {
    aidRunning = false;
    if (!showAidVC_) return;
    if (aidChunks == 0 && !result.succeeded()) showAidVC_->changeShowOutPut(text("Error: " + result.message));
    showAidVC_->setProgressValue(VolumeRules::kAidFinished);
}

void DiskViewController::closeShowAidWindow() { getallVolumes(); }

}  // namespace ui
