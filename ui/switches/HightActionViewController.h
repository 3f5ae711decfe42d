#pragma once

#include "core/kit/Executors.h"
#include "core/switches/QuickSwitches.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/shell/ViewDelegate.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QLabel;

namespace platform {
class BusSubscription;
}

namespace ui {

class SwitchButton;

// Tool page 9, the quick switches: nine switches for system settings, each a card with an
// icon that shows the state, a title and a switch button. The states are read off the main
// thread at load and after every change, and the pictures follow what was read back; a switch
// without a backing on this system stays unusable.
class HightActionViewController : public QWidget, public ViewDelegate {
    Q_OBJECT
public:
    using SwitchId = core::switches::SwitchId;
    using SwitchState = core::switches::SwitchState;
    using SwitchStates = std::vector<std::pair<SwitchId, SwitchState>>;

    static constexpr int kSwitchCount = 9;

    explicit HightActionViewController(core::Executors executors = Dispatch::executors(), QWidget* parent = nullptr);
    ~HightActionViewController() override;

    QWidget* getView() override { return this; }
    int getViewID() override { return 9; }
    bool isCanClick() override { return isCanClick_; }

    // The switches' actions: the pictures flip by the button's current picture at once, then
    // the change is made.
    void but_1Actton();
    void but_2Actton();
    void but_3Actton();
    void but_6Actton();
    void but_7Action();
    void but_8Action();
    void but_9Action();
    // The screen saver starts; its pictures do not change.
    void but_4Actton();
    // Stay-awake: the idle inhibitor is held while it is on and given back when it is switched
    // off or the application quits.
    void but_5Actton();

    // Bluetooth's state read again off the main thread, as after a change of its power.
    void getBuleIsOpen();

    // The appearance, read and changed off the main thread. The page's own change holds the dark
    // switch for 2.0 s (isAppSet) and the change signals it causes are ignored; a change made
    // elsewhere shows after 1.0 s.
    void updateDarkMode();
    void changeDarkModeBut();
    void chengDarkMode();
    void reSetIsAppSet();
    bool isAppSet() const { return isAppSet_; }
    // Reads the desktop's settings, which may not answer: never on the main thread.
    static bool isDarkModeEnabled();

    // The switch with the number shown on the page (1 to 9), for the shell and for tests.
    SwitchButton* button(int number) const { return buttons_.at(number - 1); }
    QString iconName(int number) const { return iconNames_.at(number - 1); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void awakeFromNib();
    void makeSwitch(SwitchId id);
    QRect cardFrame(SwitchId id) const;
    void readStates();
    void applyStates(const SwitchStates& states);
    void applyState(SwitchId id, SwitchState state);
    void showSwitch(SwitchId id, bool on);
    void refreshUsable(SwitchId id);
    void toggle(SwitchId id, std::function<void(bool on)> change);
    void changeAndReadBack(SwitchId id, std::function<void()> change);
    void readStateBack(SwitchId id);
    void viewDidLoad();

    core::Executors executors_;
    std::array<SwitchButton*, kSwitchCount> buttons_{};
    std::array<QLabel*, kSwitchCount> icons_{};
    std::array<QString, kSwitchCount> iconNames_;
    std::array<bool, kSwitchCount> usable_{};
    // A change of the switch is being made and read back; clicks wait for it.
    std::array<bool, kSwitchCount> busy_{};
    bool isCanClick_ = false;
    bool isAppSet_ = false;
    bool darkChangePending_ = false;
    std::shared_ptr<platform::BusSubscription> bluetoothPowerObservation_;
};

}  // namespace ui
