#include "ui/shell/TCPreferenceWindowController.h"

#include "core/kit/EULinkUrl.h"
#include "ui/kit/controls/ButtonTitleColor.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/controls/EUHandButton.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/kit/controls/TextField.h"

#include <QLabel>

namespace ui {
namespace {

constexpr QSize kContentSize(380, 220);
constexpr int kMargin = 30;

}  // namespace

TCPreferenceWindowController::TCPreferenceWindowController() : DialogWindowController(kContentSize) {
    titleBarView_ = aWindow->titleBarView();
    titleLabel_ = makeTextField(titleBarView_, titleBarView_->rect(), QStringLiteral("关于 Duridove"),
                                systemFontOfSize(13), getColor(45, 45, 45, 1), Qt::AlignCenter);

    QWidget* content = aWindow->contentView();
    const int width = kContentSize.width() - 2 * kMargin;
    name_ = makeTextField(content, QRect(kMargin, 20, width, 30), QStringLiteral("Duridove"), boldSystemFontOfSize(22),
                          getColor(45, 45, 45, 1), Qt::AlignCenter);
    verson_ = makeTextField(content, QRect(kMargin, 54, width, 18), QStringLiteral("版本 %1").arg(DURIDOVE_VERSION),
                            systemFontOfSize(12), getColor(107, 107, 107, 1), Qt::AlignCenter);
    Introduction_ = makeTextField(content, QRect(kMargin, 82, width, 44),
                                  QStringLiteral("清理垃圾、查找重复文件与大文件、卸载应用，\n"
                                                 "管理启动项与磁盘的系统维护工具。"),
                                  systemFontOfSize(13), getColor(107, 107, 107, 1), Qt::AlignCenter);

    aboutButton_ = new EUHandButton(content);
    aboutButton_->setGeometry(kMargin, 136, width, 22);
    aboutButton_->setFlat(true);
    aboutButton_->setFont(systemFontOfSize(13));
    aboutButton_->setText(QStringLiteral("访问官方网站"));
    setTitleTextColor(aboutButton_, getColor(74, 186, 71, 1));
    connect(aboutButton_, &QAbstractButton::clicked, this, &TCPreferenceWindowController::aboutButtonAction);

    copyrightLine_ = makeTextField(content, QRect(kMargin, 180, width, 18), QStringLiteral("Copyright © Duridove。保留所有权利。"),
                                   systemFontOfSize(11), getColor(160, 160, 160, 1), Qt::AlignCenter);
    windowDidLoad();
}

void TCPreferenceWindowController::windowDidLoad() { aWindow->center(); }

void TCPreferenceWindowController::aboutButtonAction() { core::EULinkUrl::openLink("AboutURL"); }

}  // namespace ui
