#include "ui/switches/HightActionViewController.h"

#include "platform/bus/BluetoothAdapter.h"
#include "platform/system/Log.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/switches/SwitchButton.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>

#include <chrono>

namespace ui {
namespace {

using core::switches::QuickSwitches;
using SwitchId = HightActionViewController::SwitchId;

constexpr auto kAppSetHold = std::chrono::milliseconds(2000);
constexpr auto kOutsideChangeDelay = std::chrono::milliseconds(1000);

const QString kOnImage = QStringLiteral("Active");
const QString kOffImage = QStringLiteral("Disabled");

struct SwitchLook {
    const char* title;
    const char* detail;
    const char* iconOn;
    const char* iconOff;
};

// By switch number; the screen saver, stay-awake and Bluetooth icons do not change.
const SwitchLook kLooks[HightActionViewController::kSwitchCount] = {
    {"隐藏桌面图标", "桌面上不再显示文件图标", "ic_desk_off", "ic_desktop"},
    {"深色模式", "整个桌面使用深色外观", "ic_dark", "ic_light"},
    {"显示隐藏文件", "文件管理器显示隐藏的文件", "ic_unhide", "ic_hide"},
    {"屏幕保护程序", "立即启动屏幕保护程序", "ic_screensaver", "ic_screensaver"},
    {"阻止休眠", "保持显示器常亮，不进入睡眠", "ic_awake", "ic_awake"},
    {"勿扰模式", "暂停显示通知横幅", "ic_notice_close", "ic_notice"},
    {"夜览", "显示器使用偏暖的色调", "ic_Nighton", "ic_Night"},
    {"自动隐藏程序坞", "程序坞不用时自动隐藏", "ic_dock_off", "ic_dock"},
    {"蓝牙", "打开或关闭蓝牙", "ic_bluetooth", "ic_bluetooth"},
};

// The order in which the states are shown at load.
constexpr SwitchId kSetUpOrder[] = {
    SwitchId::NightShift,   SwitchId::ScreenSaver, SwitchId::StayAwake,    SwitchId::DesktopIcons, SwitchId::DockHiding,
    SwitchId::Bluetooth,    SwitchId::HiddenFiles, SwitchId::DoNotDisturb, SwitchId::DarkAppearance,
};

// The page's layout: a heading over three rows of three cards.
constexpr int kMargin = 40;
constexpr int kCardsTop = 112;
constexpr int kCardWidth = 208;
constexpr int kCardHeight = 144;
constexpr int kCardGap = 18;
constexpr int kCardPadding = 20;
constexpr int kCardsPerRow = 3;
constexpr qreal kCardRadius = 10;
const QSize kIconSize(40, 40);
const QSize kButtonSize(40, 22);

int indexOf(SwitchId id) { return static_cast<int>(id) - 1; }

QColor titleColor() { return getColor(45, 45, 45, 1); }
QColor detailColor() { return getColor(136, 136, 136, 1); }

}  // namespace

HightActionViewController::HightActionViewController(core::Executors executors, QWidget* parent)
    : QWidget(parent), executors_(std::move(executors)) {
    fillBackground(this, getColor(255, 255, 255, 1));
    viewDidLoad();
    awakeFromNib();
}

HightActionViewController::~HightActionViewController() = default;

// Bluetooth's power changes, wherever they come from, and the end of the application, which
// gives stay-awake's inhibitor back. Subscribing opens the system bus, which may not answer: it
// is done on a worker, and the subscription handed to the page.
void HightActionViewController::viewDidLoad() {
    QPointer<HightActionViewController> page(this);
    core::Executors executors = executors_;
    executors_.global([page, executors] {
        std::shared_ptr<platform::BusSubscription> observation = platform::BluetoothAdapter::observePower([page, executors] {
            executors.main([page] {
                if (page) page->getBuleIsOpen();
            });
        });
        executors.main([page, observation] {
            if (page) page->bluetoothPowerObservation_ = observation;
        });
    });
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [] { core::switches::ReleasePreventObj(); });
}

// The switches start unusable and off; their states, read off the main thread, follow.
void HightActionViewController::awakeFromNib() {
    isCanClick_ = true;
    makeTextField(this, QRect(kMargin, 34, 400, 30), QStringLiteral("快捷操作"), boldSystemFontOfSize(20), titleColor());
    makeTextField(this, QRect(kMargin, 68, 600, 20), QStringLiteral("一键打开或关闭常用的系统设置"), systemFontOfSize(13),
                  detailColor());
    for (int number = 1; number <= kSwitchCount; ++number) makeSwitch(static_cast<SwitchId>(number));
    connect(button(1), &QAbstractButton::clicked, this, &HightActionViewController::but_1Actton);
    connect(button(2), &QAbstractButton::clicked, this, &HightActionViewController::but_2Actton);
    connect(button(3), &QAbstractButton::clicked, this, &HightActionViewController::but_3Actton);
    connect(button(4), &QAbstractButton::clicked, this, &HightActionViewController::but_4Actton);
    connect(button(5), &QAbstractButton::clicked, this, &HightActionViewController::but_5Actton);
    connect(button(6), &QAbstractButton::clicked, this, &HightActionViewController::but_6Actton);
    connect(button(7), &QAbstractButton::clicked, this, &HightActionViewController::but_7Action);
    connect(button(8), &QAbstractButton::clicked, this, &HightActionViewController::but_8Action);
    connect(button(9), &QAbstractButton::clicked, this, &HightActionViewController::but_9Action);
    readStates();
}

QRect HightActionViewController::cardFrame(SwitchId id) const {
    const int column = indexOf(id) % kCardsPerRow;
    const int row = indexOf(id) / kCardsPerRow;
    return QRect(kMargin + column * (kCardWidth + kCardGap), kCardsTop + row * (kCardHeight + kCardGap), kCardWidth,
                 kCardHeight);
}

void HightActionViewController::makeSwitch(SwitchId id) {
    const int index = indexOf(id);
    const QRect card = cardFrame(id);
    icons_[index] = new QLabel(this);
    icons_[index]->setGeometry(QRect(card.topLeft() + QPoint(kCardPadding, 22), kIconSize));
    buttons_[index] = new SwitchButton(this);
    buttons_[index]->setGeometry(
        QRect(card.topRight() + QPoint(1 - kCardPadding - kButtonSize.width(), 31), kButtonSize));
    buttons_[index]->setEnabled(false);
    const int textWidth = card.width() - 2 * kCardPadding;
    makeTextField(this, QRect(card.left() + kCardPadding, card.top() + 80, textWidth, 22),
                  QString::fromUtf8(kLooks[index].title), systemFontOfSize(15), titleColor());
    makeTextField(this, QRect(card.left() + kCardPadding, card.top() + 104, textWidth, 20),
                  QString::fromUtf8(kLooks[index].detail), systemFontOfSize(12), detailColor());
    showSwitch(id, false);
}

void HightActionViewController::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(getColor(233, 234, 239, 1), 1));
    painter.setBrush(getColor(250, 250, 252, 1));
    for (int number = 1; number <= kSwitchCount; ++number)
        painter.drawRoundedRect(QRectF(cardFrame(static_cast<SwitchId>(number))).adjusted(0.5, 0.5, -0.5, -0.5), kCardRadius,
                                kCardRadius);
}

void HightActionViewController::readStates() {
    QPointer<HightActionViewController> page(this);
    core::Executors executors = executors_;
    executors_.global([page, executors] {
        SwitchStates states;
        for (SwitchId id : kSetUpOrder) states.emplace_back(id, QuickSwitches::readState(id));
        executors.main([page, states] {
            if (page) page->applyStates(states);
        });
    });
}

void HightActionViewController::applyStates(const SwitchStates& states) {
    for (const auto& [id, state] : states) applyState(id, state);
}

void HightActionViewController::applyState(SwitchId id, SwitchState state) {
    usable_[indexOf(id)] = state.usable;
    refreshUsable(id);
    showSwitch(id, state.on);
}

void HightActionViewController::showSwitch(SwitchId id, bool on) {
    const int index = indexOf(id);
    buttons_[index]->setImage(on ? kOnImage : kOffImage);
    iconNames_[index] = QString::fromUtf8(on ? kLooks[index].iconOn : kLooks[index].iconOff);
    icons_[index]->setPixmap(imageNamed(iconNames_[index]));
}

// The dark switch is also held while the page's own change settles and while a change made
// elsewhere waits to be shown.
void HightActionViewController::refreshUsable(SwitchId id) {
    const bool held = id == SwitchId::DarkAppearance && (isAppSet_ || darkChangePending_);
    buttons_[indexOf(id)]->setEnabled(usable_[indexOf(id)] && !held);
}

void HightActionViewController::toggle(SwitchId id, std::function<void(bool on)> change) {
    if (busy_[indexOf(id)]) return;
    const bool turnOn = button(static_cast<int>(id))->image() != kOnImage;
    showSwitch(id, turnOn);
    changeAndReadBack(id, [change = std::move(change), turnOn] { change(turnOn); });
}

// The change and the reading back run off the main thread; the pictures then show what the
// system really holds, so a change that failed shows as not made.
void HightActionViewController::changeAndReadBack(SwitchId id, std::function<void()> change) {
    busy_[indexOf(id)] = true;
    QPointer<HightActionViewController> page(this);
    core::Executors executors = executors_;
    executors_.global([page, executors, id, change = std::move(change)] {
        change();
        const SwitchState state = QuickSwitches::readState(id);
        executors.main([page, id, state] {
            if (!page) return;
            page->busy_[indexOf(id)] = false;
            page->applyState(id, state);
        });
    });
}

// A state read while a change of the same switch runs is dropped: the change reads back itself.
void HightActionViewController::readStateBack(SwitchId id) {
    QPointer<HightActionViewController> page(this);
    core::Executors executors = executors_;
    executors_.global([page, executors, id] {
        const SwitchState state = QuickSwitches::readState(id);
        executors.main([page, id, state] {
            if (page && !page->busy_[indexOf(id)]) page->applyState(id, state);
        });
    });
}

void HightActionViewController::but_1Actton() {
    toggle(SwitchId::DesktopIcons, [](bool) { QuickSwitches::hiddenDesktopIcon(); });
}

void HightActionViewController::but_2Actton() { updateDarkMode(); }

void HightActionViewController::but_3Actton() {
    toggle(SwitchId::HiddenFiles, [](bool) { QuickSwitches::hiddenHiddenFiles(); });
}

void HightActionViewController::but_4Actton() {
    executors_.global([] { QuickSwitches::openScreen(); });
}

void HightActionViewController::but_5Actton() {
    toggle(SwitchId::StayAwake, [](bool on) { QuickSwitches::enablePowerSave(on); });
}

void HightActionViewController::but_6Actton() {
    toggle(SwitchId::DoNotDisturb, [](bool) { QuickSwitches::setDoNotDisturb(); });
}

void HightActionViewController::but_7Action() {
    toggle(SwitchId::NightShift, [](bool) { QuickSwitches::setNightLight(); });
}

void HightActionViewController::but_8Action() {
    toggle(SwitchId::DockHiding, [](bool hide) { QuickSwitches::setDockHide(hide); });
}

void HightActionViewController::but_9Action() {
    toggle(SwitchId::Bluetooth, [](bool on) { QuickSwitches::setBluetoothPower(on); });
}

void HightActionViewController::getBuleIsOpen() { readStateBack(SwitchId::Bluetooth); }

bool HightActionViewController::isDarkModeEnabled() { return QuickSwitches::isDarkModeEnabled(); }

// The pictures flip by the button's picture at once; the appearance is read and changed off the
// main thread.
void HightActionViewController::updateDarkMode() {
    if (busy_[indexOf(SwitchId::DarkAppearance)]) return;
    isAppSet_ = true;
    refreshUsable(SwitchId::DarkAppearance);
    QPointer<HightActionViewController> page(this);
    executors_.mainAfter(kAppSetHold, [page] {
        if (page) page->reSetIsAppSet();
    });
    platform::logInfo("----------------------updateDarkMode");
    showSwitch(SwitchId::DarkAppearance, button(static_cast<int>(SwitchId::DarkAppearance))->image() != kOnImage);
    changeAndReadBack(SwitchId::DarkAppearance, [] { QuickSwitches::setDarkMode(!isDarkModeEnabled()); });
}

void HightActionViewController::reSetIsAppSet() {
    isAppSet_ = false;
    refreshUsable(SwitchId::DarkAppearance);
}

void HightActionViewController::changeDarkModeBut() {
    if (isAppSet_) return;
    darkChangePending_ = true;
    refreshUsable(SwitchId::DarkAppearance);
    QPointer<HightActionViewController> page(this);
    executors_.mainAfter(kOutsideChangeDelay, [page] {
        if (page) page->chengDarkMode();
    });
}

void HightActionViewController::chengDarkMode() {
    darkChangePending_ = false;
    refreshUsable(SwitchId::DarkAppearance);
    QPointer<HightActionViewController> page(this);
    core::Executor main = executors_.main;
    executors_.global([page, main] {
        const bool dark = isDarkModeEnabled();
        main([page, dark] {
            if (page) page->showSwitch(SwitchId::DarkAppearance, dark);
        });
    });
}

}  // namespace ui
