#include "ui/shredder/NTFSWindowController.h"

#include "core/kit/EULinkUrl.h"
#include "ui/kit/controls/EUHandButton.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QLabel>

namespace ui {
namespace {

constexpr QSize kContentSize(400, 190);
constexpr QSize kButtonSize(100, 32);
constexpr int kMargin = 24;

}  // namespace

NTFSWindowController::NTFSWindowController(Notice notice, const QString& message) : DialogWindowController(kContentSize) {
    QWidget* content = aWindow->contentView();
    const int width = kContentSize.width() - 2 * kMargin;
    titleLabel_ = makeTitleField(content, QRect(kMargin, 16, width, 22), QStringLiteral("提示"));
    messageLabel_ = makeTextField(content, QRect(kMargin, 46, width, 84), message, systemFontOfSize(13),
                                  getColor(107, 107, 107, 1));
    const int buttonTop = kContentSize.height() - 20 - kButtonSize.height();
    yesButton_ = new TextImageButton(content);
    yesButton_->setGeometry(QRect(QPoint(kContentSize.width() - kMargin - kButtonSize.width(), buttonTop), kButtonSize));
    yesButton_->setImageFromFileNormalName("btn_sec", "btn_sec_press", "btn_sec_press", "btn_sec_disable");
    yesButton_->setTextWithName(QStringLiteral("好的"));
    yesButton_->setButtonEnabled(true);
    connect(yesButton_, &QAbstractButton::clicked, this, &DialogWindowController::closeWindow);
    setKeyEquivalents({yesButton_}, {});

    linkButton_ = new EUHandButton(content);
    linkButton_->setGeometry(QRect(QPoint(kMargin, buttonTop), kButtonSize));
    linkButton_->setText(QStringLiteral("联系我们"));
    linkButton_->setFlat(true);
    linkButton_->setFont(systemFontOfSize(13));
    linkButton_->setStyleSheet(QStringLiteral("QPushButton { border: none; color: rgb(10, 132, 255); text-align: left; }"));
    linkButton_->setVisible(notice == Notice::NTFSVolume);
    connect(linkButton_, &QAbstractButton::clicked, this, &NTFSWindowController::linkButtonAction);
}

QString NTFSWindowController::ntfsMessage() {
    return QStringLiteral("暂不支持擦除 NTFS 格式或只读磁盘上的文件，本次添加的文件均未加入列表。");
}

void NTFSWindowController::linkButtonAction() { core::EULinkUrl::openLink("SupportTeam"); }

}  // namespace ui
