#pragma once

#include <QMenu>

#include <functional>

class QAbstractButton;

namespace ui {

// What the main menu's items do.
struct MainMenuActions {
    std::function<void()> aboutAction;
    std::function<void()> checkUpdateAction;
    std::function<void()> supportCenterAction;
    std::function<void()> onlineHelp;
    std::function<void()> quit;
};

// The application's main menu: About, the update check, the support centre, online help and
// quit. Linux gives the window no global menu bar, so the menu opens from a button at the right
// end of the main window's title bar and is the status item's context menu. Each action runs
// once the menu has closed, so a modal window it opens does not nest inside the menu.
class MainMenu : public QMenu {
    Q_OBJECT
public:
    explicit MainMenu(const MainMenuActions& actions, QWidget* parent = nullptr);

    // A picture button at the right end of a title bar that opens this menu below itself.
    QAbstractButton* addButtonTo(QWidget* titleBar);
    QAbstractButton* menuButton() const { return menuButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeButton();

    QAbstractButton* menuButton_ = nullptr;  // in the title bar, which owns it
};

}  // namespace ui
