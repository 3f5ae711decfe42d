#include "ui/disks/FristAidViewController.h"

#include "ui/disks/DiskDialogButton.h"
#include "ui/disks/FristAidVCDelegate.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QLabel>

namespace ui {
namespace {

constexpr QSize kContentSize(420, 160);
constexpr int kMargin = 24;

}  // namespace

FristAidViewController::FristAidViewController() : DialogWindowController(kContentSize) {
    QWidget* content = aWindow->contentView();
    topLabel_ = makeTitleField(content, QRect(kMargin, 18, 372, 22), QString());
    makeTextField(content, QRect(kMargin, 48, 372, 40),
                  QStringLiteral("验证只检查卷宗是否有错误；运行急救会在检查后修复发现的错误。检查期间卷宗会被暂时卸载。"),
                  systemFontOfSize(12), getColor(107, 107, 107, 1));
    cancelBut_ = makeDiskDialogButton(content, kContentSize, 2, DiskDialogButtonLook::Secondary, QStringLiteral("取消"));
    connect(cancelBut_, &QAbstractButton::clicked, this, &FristAidViewController::closeWindow);
    checkBut_ = makeDiskDialogButton(content, kContentSize, 1, DiskDialogButtonLook::Secondary, QStringLiteral("验证"));
    connect(checkBut_, &QAbstractButton::clicked, this, &FristAidViewController::checkButAction);
    repairBut_ = makeDiskDialogButton(content, kContentSize, 0, DiskDialogButtonLook::Primary, QStringLiteral("运行"));
    connect(repairBut_, &QAbstractButton::clicked, this, &FristAidViewController::repaireButAction);
    setKeyEquivalents({repairBut_}, {cancelBut_});
}

void FristAidViewController::changeAidDiskName(const QString& name) {
    topLabel_->setText(QStringLiteral("在“%1”上运行急救？").arg(name));
}

void FristAidViewController::checkButAction() {
    if (!aWindow->isVisible()) return;
    closeWindow();
    if (delegate_) delegate_->checkDiskAction();
}

void FristAidViewController::repaireButAction() {
    if (!aWindow->isVisible()) return;
    closeWindow();
    if (delegate_) delegate_->repairDiskAction();
}

}  // namespace ui
