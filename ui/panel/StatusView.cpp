#include "ui/panel/StatusView.h"

#include "core/kit/CommUti.h"
#include "core/readings/GetSystemInfo.h"
#include "platform/desktop/SettingsProgram.h"
#include "platform/desktop/Workspace.h"
#include "platform/hardware/Backlight.h"
#include "platform/system/Bundle.h"
#include "platform/system/Environment.h"
#include "ui/kit/controls/DTextImageButton.h"
#include "ui/kit/controls/ImageButton.h"
#include "ui/kit/controls/TabBarWButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/panel/OutputVolumeControl.h"
#include "ui/panel/RoundedBlockView.h"
#include "ui/panel/StatusBarViewDelegate.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>

namespace ui {
namespace {

constexpr int kRefreshMilliseconds = 2000;
// The pop-ups open over their buttons, in Cocoa frames of the panel.
const QRectF kVolumePopUpFrame(73, 4, 32, 130);
const QRectF kBrightnessPopUpFrame(36, 4, 32, 130);

QColor valueColour() { return getColor(45, 45, 45, 1); }
QColor titleColour() { return getColor(128, 132, 140, 1); }

}  // namespace

StatusView::StatusView(StatusViewDelegate* viewDelegate) : delegate(viewDelegate) {
    loadInterface();
    awakeFromNib();
}

StatusView::~StatusView() = default;

// The panel as its interface file lays it out, in Cocoa frames: four reading blocks, two
// buttons to the tools, and the bottom bar with the settings, brightness and volume buttons on
// the left and the main window and quit on the right.
void StatusView::loadInterface() {
    setFixedSize(kWidth, kHeight);
    const auto place = [this](QWidget* widget, qreal x, qreal y, qreal width, qreal height) {
        widget->setGeometry(cocoaRect(kHeight, x, y, width, height).toRect());
        return widget;
    };
    const auto label = [&](const QString& text, qreal x, qreal y, qreal width, qreal height, double size,
                           const QColor& colour, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
        auto* made = new QLabel(text, this);
        place(made, x, y, width, height);
        made->setFont(systemFontOfSize(size));
        made->setAlignment(alignment);
        setTextColor(made, colour);
        return made;
    };
    for (QRectF block : {QRectF(10, 158, 135, 62), QRectF(155, 158, 135, 62), QRectF(10, 88, 135, 62),
                         QRectF(155, 88, 135, 62)})
        place(new SubbgView(this), block.x(), block.y(), block.width(), block.height());
    place(new SubBlowbgView(this), 0, 0, kWidth, 38);

    label(QStringLiteral("CPU"), 22, 196, 111, 16, 12, titleColour());
    CPUVLabel = label(QStringLiteral("负载: --"), 22, 168, 111, 22, 15, valueColour());
    label(QStringLiteral("内存"), 167, 196, 111, 16, 12, titleColour());
    memoryVLabel = label(QStringLiteral("压力: --"), 167, 168, 111, 22, 15, valueColour());
    label(QStringLiteral("电池"), 22, 126, 60, 16, 12, titleColour());
    batteryBLabel = label(QStringLiteral("--"), 82, 126, 51, 16, 12, titleColour(), Qt::AlignRight | Qt::AlignVCenter);
    batttyVLabel = label(QStringLiteral("--"), 22, 98, 111, 22, 13, valueColour());
    SystemNameLabel = label(QStringLiteral("启动磁盘"), 167, 126, 111, 16, 12, titleColour());
    tempVLabel = label(QStringLiteral("可用：--"), 167, 98, 111, 22, 13, valueColour());

    freeUpButton = new TextImageButton(this);
    optimizeButton = new TextImageButton(this);
    // Each at its picture's size, in the middle of its column.
    for (auto [button, x, text] : {std::tuple{freeUpButton, 27, QStringLiteral("释放内存")},
                                   std::tuple{optimizeButton, 172, QStringLiteral("一键优化")}}) {
        place(button, x, 46, 100, 32);
        button->setImageFromFileNormalName("btn_sec", "btn_sec_press", "btn_sec_press", "btn_sec_disable");
        button->setTextWithName(text);
    }

    settingBut = new ImageButton(this);
    lightBut = new ImageButton(this);
    sonderBut = new ImageButton(this);
    place(settingBut, 8, 10, 20, 20);
    place(lightBut, 42, 10, 20, 20);
    place(sonderBut, 79, 10, 20, 20);
    settingBut->setImageNamed(QStringLiteral("ic_setting"));
    lightBut->setImageNamed(QStringLiteral("ic_brightness"));

    openMainButton = new DTextImageButton(this);
    place(openMainButton, 150, 6, 80, 26);
    openMainButton->setImageFromFileNormalName("btn_main", "btn_main", "btn_main", "btn_main");
    openMainButton->setTextWithName(QStringLiteral("主界面"), 13);
    qiutBut = new TabBarWButton(this);
    place(qiutBut, 236, 7, 56, 24);
    qiutBut->setTextWithName(QStringLiteral("退出"));
    qiutBut->label()->setAlignment(Qt::AlignCenter);
    qiutBut->setButtonEnabled(true);

    connect(openMainButton, &QAbstractButton::clicked, this, &StatusView::openMainWindowAction);
    connect(qiutBut, &QAbstractButton::clicked, this, &StatusView::closePop);
    connect(settingBut, &QAbstractButton::clicked, this, &StatusView::openSetButtonAction);
    connect(sonderBut, &QAbstractButton::clicked, this, &StatusView::sonderButtonAction);
    connect(lightBut, &QAbstractButton::clicked, this, &StatusView::lightButtonAction);
    connect(freeUpButton, &QAbstractButton::clicked, this, &StatusView::senderfreeUpButtonAction);
    connect(optimizeButton, &QAbstractButton::clicked, this, &StatusView::optimizeButtonAction);
}

// A control whose backing this machine lacks (no sound server, no backlight, no settings
// program) stays visible but unusable. The speaker shows the last volume the application read
// at once and follows each reading that comes; the sound server is never waited for here.
void StatusView::awakeFromNib() {
    if (core::CommUti::getSystemVersion() > 1299) settingBut->setToolTip(QStringLiteral("系统设置"));
    settingsProgram = platform::settingsProgram();
    settingBut->setEnabled(!settingsProgram.empty());
    lightBut->setEnabled(!platform::Bundle::helperPath("brightness").empty() &&
                         platform::Backlight::find(platform::Environment::current()->sysRoot()).has_value());
    OutputVolumeControl& volume = OutputVolumeControl::shared();
    connect(&volume, &OutputVolumeControl::readingArrived, this, &StatusView::showVolume);
    if (volume.lastReading()) showVolume(*volume.lastReading());
    getSysInfo();
    GoTimer();
    setNormalValue();
}

void StatusView::setSystemName(const QString& name) {
    if (!name.isEmpty()) SystemNameLabel->setText(name);
}

void StatusView::setSystemFreeSize(const QString& freeSize) {
    if (!freeSize.isEmpty()) tempVLabel->setText(QStringLiteral("可用：") + freeSize);
}

// The readings service is shared and lives on the main thread; only its battery tool runs on a
// worker, and a tick that comes while one refresh is still reading is skipped.
void StatusView::getSysInfo() {
    if (!unLock) return;
    unLock = false;
    QPointer<StatusView> self(this);
    core::GetSystemInfo::shareInstall().getInfo([self] {
        if (!self) return;
        self->unLock = true;
        self->showReadings();
    });
}

void StatusView::showReadings() {
    const core::GetSystemInfo& info = core::GetSystemInfo::shareInstall();
    const auto text = [](const std::optional<std::string>& value) { return QString::fromStdString(*value); };
    if (info.cpuB()) CPUVLabel->setText(QStringLiteral("负载: ") + text(info.cpuB()));
    if (info.memoryB()) memoryVLabel->setText(QStringLiteral("压力: ") + text(info.memoryB()));
    if (info.batteryB()) batteryBLabel->setText(text(info.batteryB()) + QStringLiteral("%"));
    if (info.batteryT()) batttyVLabel->setText(text(info.batteryT()));
}

void StatusView::GoTimer() {
    if (timer) return;
    timer = new QTimer(this);
    timer->setInterval(kRefreshMilliseconds);
    connect(timer, &QTimer::timeout, this, &StatusView::getSysInfo);
    timer->start();
}

void StatusView::EndTimer() {
    delete timer;
    timer = nullptr;
}

void StatusView::setNormalValue() { OutputVolumeControl::shared().read(); }

void StatusView::showVolume(const OutputVolumeReading& reading) {
    sonderBut->setEnabled(reading.hasDevice);
    sonderBut->setImageNamed(SonderViewController::speakerImageName(reading.volume));
}

void StatusView::openMainWindowAction() { delegate->showMainWindow(); }

void StatusView::closePop() { QCoreApplication::quit(); }

void StatusView::openSetButtonAction() {
    if (!settingsProgram.empty()) platform::Workspace::shared()->launchApplication(settingsProgram);
    delegate->cleanWindow();
}

void StatusView::closeWin() {
    EndTimer();
    delegate->cleanWindow();
}

void StatusView::senderfreeUpButtonAction() {
    closeWin();
    delegate->freeUpButtonAction();
}

void StatusView::optimizeButtonAction() {
    closeWin();
    delegate->optimizeButtonAction();
}

template <class Controller>
StatusPopBgView* StatusView::openPopUp(QPointer<StatusPopBgView>& frame, const QRectF& cocoaFrame,
                                       Controller*& controller) {
    delete frame;
    frame = new StatusPopBgView(this);
    frame->setGeometry(cocoaRect(kHeight, cocoaFrame).toRect());
    controller = new Controller(this);
    controller->view()->setParent(frame);
    controller->view()->setGeometry(frame->rect());
    frame->show();
    frame->raise();
    return frame;
}

void StatusView::sonderButtonAction() {
    openPopUp(volumBgView, kVolumePopUpFrame, sonderVC);
    sonderVC->changeSondValue();
}

void StatusView::lightButtonAction() {
    openPopUp(lightBgView, kBrightnessPopUpFrame, lightVC);
    lightVC->changeLightValue();
}

// Called from the pop-up's own pointer handling, so the frames go once it has returned.
void StatusView::mouseExitForPopVC() {
    for (StatusPopBgView* frame : {lightBgView.data(), volumBgView.data()})
        if (frame) {
            frame->hide();
            frame->deleteLater();
        }
    lightBgView = nullptr;
    volumBgView = nullptr;
    sonderVC = nullptr;
    lightVC = nullptr;
    setNormalValue();
}

}  // namespace ui
