#include "ui/shell/MainMenu.h"

#include "ui/kit/controls/TCImageButton.h"

#include <QEvent>
#include <QTimer>

namespace ui {
namespace {

constexpr int kButtonRightMargin = 10;

}  // namespace

MainMenu::MainMenu(const MainMenuActions& actions, QWidget* parent) : QMenu(parent) {
    const auto addItem = [this](const QString& title, std::function<void()> action) {
        addAction(title, this, [action = std::move(action)] { QTimer::singleShot(0, action); });
    };
    addItem(QStringLiteral("关于 Duridove"), actions.aboutAction);
    addItem(QStringLiteral("检查更新…"), actions.checkUpdateAction);
    addSeparator();
    addItem(QStringLiteral("支持中心"), actions.supportCenterAction);
    addItem(QStringLiteral("在线帮助"), actions.onlineHelp);
    addSeparator();
    addItem(QStringLiteral("退出 Duridove"), actions.quit);
}

QAbstractButton* MainMenu::addButtonTo(QWidget* titleBar) {
    auto* button = new TCImageButton(titleBar);
    button->setImageFromFileNormalName(QStringLiteral("btn_menu"), QStringLiteral("btn_menu_press"),
                                       QStringLiteral("btn_menu_hover"), QStringLiteral("btn_menu_disable"));
    button->setToolTip(QStringLiteral("菜单"));
    button->setCursor(Qt::PointingHandCursor);
    menuButton_ = button;
    titleBar->installEventFilter(this);
    placeButton();
    connect(button, &QAbstractButton::clicked, this,
            [this, button] { popup(button->mapToGlobal(QPoint(button->width() - sizeHint().width(), button->height()))); });
    button->show();
    return button;
}

void MainMenu::placeButton() {
    QWidget* titleBar = menuButton_->parentWidget();
    menuButton_->move(titleBar->width() - kButtonRightMargin - menuButton_->width(),
                      (titleBar->height() - menuButton_->height()) / 2);
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
    if (menuButton_ && watched == menuButton_->parentWidget() && event->type() == QEvent::Resize) placeButton();
    return QMenu::eventFilter(watched, event);
}

}  // namespace ui
