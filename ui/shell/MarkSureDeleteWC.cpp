#include "ui/shell/MarkSureDeleteWC.h"

#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/shell/MarkSureDeleteWCDelegate.h"

#include <QLabel>

namespace ui {
namespace {

constexpr QSize kContentSize(400, 150);
constexpr QSize kButtonSize(100, 32);
constexpr int kMargin = 24;

}  // namespace

MarkSureDeleteWC::MarkSureDeleteWC() : DialogWindowController(kContentSize) {
    QWidget* content = aWindow->contentView();
    titleLabel_ = makeTitleField(content, QRect(kMargin, 16, 352, 22), QStringLiteral("删除确认"));
    makeTextField(content, QRect(kMargin, 46, 352, 40),
                  QStringLiteral("确定要删除选中的文件吗？文件将被彻底删除，无法恢复。"), systemFontOfSize(13),
                  getColor(107, 107, 107, 1));

    const int buttonTop = kContentSize.height() - 20 - kButtonSize.height();
    const int okLeft = kContentSize.width() - kMargin - kButtonSize.width();
    cancelButton_ = new TextImageButton(content);
    cancelButton_->setGeometry(QRect(QPoint(okLeft - 12 - kButtonSize.width(), buttonTop), kButtonSize));
    okButton_ = new TextImageButton(content);
    okButton_->setGeometry(QRect(QPoint(okLeft, buttonTop), kButtonSize));
    windowDidLoad();
}

void MarkSureDeleteWC::windowDidLoad() {
    cancelButton_->setButtonEnabled(true);
    cancelButton_->setImageFromFileNormalName("btn_sec", "btn_sec_press", "btn_sec_press", "btn_sec_disable");
    cancelButton_->setTextWithName(QStringLiteral("取消"));
    connect(cancelButton_, &QAbstractButton::clicked, this, &MarkSureDeleteWC::cancelButtonAction);

    okButton_->setButtonEnabled(true);
    okButton_->setImageFromFileNormalName("btn_pri", "btn_pri_press", "btn_pri_press", "btn_pri_disable");
    okButton_->setTextWithName(QStringLiteral("删除"));
    connect(okButton_, &QAbstractButton::clicked, this, &MarkSureDeleteWC::okButtonAction);
    setKeyEquivalents({okButton_}, {cancelButton_});
}

void MarkSureDeleteWC::cancelButtonAction() { closeWindow(); }

// At most once per showing: a click that reaches the button after the window closed is dropped.
void MarkSureDeleteWC::okButtonAction() {
    if (!aWindow->isVisible()) return;
    if (MarkSureDeleteWCDelegate* target = delegate_) target->deleteFileButtonAction();
    closeWindow();
}

}  // namespace ui
