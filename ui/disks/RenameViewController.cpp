#include "ui/disks/RenameViewController.h"

#include "ui/disks/DiskDialogButton.h"
#include "ui/disks/RenameVCDelegate.h"
#include "ui/disks/TextFiledBgView.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QLineEdit>

namespace ui {
namespace {

constexpr QSize kContentSize(400, 160);
constexpr int kMargin = 24;

}  // namespace

RenameViewController::RenameViewController(const QString& name) : DialogWindowController(kContentSize) {
    QWidget* content = aWindow->contentView();
    makeTitleField(content, QRect(kMargin, 18, 352, 22), QStringLiteral("重命名"));
    auto* field = new TextFiledBgView(content);
    field->setGeometry(kMargin, 54, 352, 30);
    inputName_ = new QLineEdit(field);
    inputName_->setGeometry(8, 3, 336, 24);
    inputName_->setFrame(false);
    inputName_->setFont(systemFontOfSize(13));
    inputName_->setStyleSheet(QStringLiteral("background: transparent; color: #2D2D2D;"));
    inputName_->setText(name);
    inputName_->selectAll();

    noButton_ = makeDiskDialogButton(content, kContentSize, 1, DiskDialogButtonLook::Secondary, QStringLiteral("取消"));
    connect(noButton_, &QAbstractButton::clicked, this, &RenameViewController::noButtonAction);
    okButton_ = makeDiskDialogButton(content, kContentSize, 0, DiskDialogButtonLook::Primary, QStringLiteral("继续"));
    connect(okButton_, &QAbstractButton::clicked, this, &RenameViewController::okButtonAction);
    setKeyEquivalents({okButton_}, {noButton_});
}

void RenameViewController::okButtonAction() {
    if (!aWindow->isVisible()) return;
    const QString name = inputName_->text();
    closeWindow();
    if (delegate_) delegate_->makeSureToChangeName(name);
}

void RenameViewController::noButtonAction() { closeWindow(); }

}  // namespace ui
