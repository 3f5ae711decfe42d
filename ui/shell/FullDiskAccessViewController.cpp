#include "ui/shell/FullDiskAccessViewController.h"

#include "core/kit/CommUti.h"
#include "platform/desktop/AccessState.h"
#include "platform/system/Log.h"
#include "platform/desktop/Workspace.h"
#include "ui/kit/desktop/AppActivation.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"

#include <QLabel>

namespace ui {
namespace {

constexpr QSize kContentSize(460, 210);
constexpr QSize kButtonSize(100, 32);
constexpr int kMargin = 30;
constexpr double kTitleBarHeight = 22.0;
// The first system version with the privacy permission (10.14).
constexpr int kLastVersionWithoutPermission = 1013;

const char* const kExplanation =
    "Duridove 需要读取邮件附件、浏览器记录和其他应用数据中受系统保护的文件，"
    "才能完整地扫描和清理它们。\n\n"
    "请打开“系统偏好设置 › 安全性与隐私 › 隐私 › 完全磁盘访问”，勾选 Duridove，"
    "然后重新开始扫描。";

}  // namespace

FullDiskAccessViewController::FullDiskAccessViewController() : DialogWindowController(kContentSize) {
    QWidget* content = aWindow->contentView();
    const int textWidth = kContentSize.width() - 2 * kMargin;
    titleLabel_ = makeTextField(content, QRect(kMargin, 18, textWidth, 24), QStringLiteral("需要开启“完全磁盘访问”权限"),
                                boldSystemFontOfSize(16), getColor(45, 45, 45, 1));
    makeTextField(content, QRect(kMargin, 52, textWidth, 90), QString::fromUtf8(kExplanation), systemFontOfSize(13),
                  getColor(107, 107, 107, 1));

    settingsButton_ = new TextImageButton(content);
    settingsButton_->setGeometry(QRect(QPoint(kContentSize.width() - kMargin - kButtonSize.width(),
                                              kContentSize.height() - 20 - kButtonSize.height()),
                                       kButtonSize));
    settingsButton_->setImageFromFileNormalName("btn_pri", "btn_pri_press", "btn_pri_press", "btn_pri_disable");
    settingsButton_->setTextWithName(QStringLiteral("前往设置"));
    connect(settingsButton_, &QAbstractButton::clicked, this, &FullDiskAccessViewController::openSetView);
    setKeyEquivalents({settingsButton_}, {});
    awakeFromNib();
}

void FullDiskAccessViewController::awakeFromNib() {
    titleBarView_ = aWindow->titleBarView();
    aWindow->center();
    aWindow->setTitleBarHeight(kTitleBarHeight);
}

void FullDiskAccessViewController::runPrompt() {
    FullDiskAccessViewController controller;
    controller.window()->center();
    runModal(controller.window());
    activateIgnoringOtherApps();
}

bool FullDiskAccessViewController::runPromptIfAccessRefused() {
    const auto status = platform::AccessState::shared()->fullDiskAccessStatus();
    if (status == platform::AccessState::Status::Granted) return false;
    if (core::CommUti::getSystemVersion() <= kLastVersionWithoutPermission) return false;
    runPrompt();
    return true;
}

void FullDiskAccessViewController::openSetView() {
    if (core::CommUti::getSystemVersion() <= kLastVersionWithoutPermission) return;
    if (!platform::AccessState::shared()->hasPrivacySettingsPane()) {
        platform::logInfo("no privacy settings pane on this system: nothing to open for Full Disk Access");
        return;
    }
    platform::Workspace::shared()->openURL(kPrivacySettingsURL);
}

}  // namespace ui
