#include "ui/browser/CloseBrowerWindowController.h"

#include "ui/browser/CloseBrowerWindowControllerDelegate.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QLabel>

namespace ui {
namespace {

constexpr QSize kContentSize(400, 150);
constexpr QSize kButtonSize(100, 32);
constexpr int kMargin = 24;

TextImageButton* makeButton(QWidget* parent, const QRect& frame, const QString& text, const QString& images) {
    auto* button = new TextImageButton(parent);
    button->setGeometry(frame);
    button->setButtonEnabled(true);
    button->setImageFromFileNormalName(images, images + "_press", images + "_press", images + "_disable");
    button->setTextWithName(text);
    return button;
}

}  // namespace

CloseBrowerWindowController::CloseBrowerWindowController() : DialogWindowController(kContentSize) {
    QWidget* content = aWindow->contentView();
    titleLabel_ = makeTitleField(content, QRect(kMargin, 16, 352, 22), QStringLiteral("关闭浏览器"));
    noteLabel_ = makeTextField(content, QRect(kMargin, 46, 352, 40), QString(), systemFontOfSize(13),
                               getColor(107, 107, 107, 1));
    noteLabel_->setWordWrap(true);

    const int buttonTop = kContentSize.height() - 20 - kButtonSize.height();
    const int closeLeft = kContentSize.width() - kMargin - kButtonSize.width();
    cancelButton_ = makeButton(content, QRect(QPoint(closeLeft - 12 - kButtonSize.width(), buttonTop), kButtonSize),
                               QStringLiteral("取消"), QStringLiteral("btn_sec"));
    closeButton_ = makeButton(content, QRect(QPoint(closeLeft, buttonTop), kButtonSize), QStringLiteral("关闭"),
                              QStringLiteral("btn_pri"));
    connect(cancelButton_, &QAbstractButton::clicked, this, &CloseBrowerWindowController::cancelButtonAction);
    connect(closeButton_, &QAbstractButton::clicked, this, &CloseBrowerWindowController::closeButtonAction);
    setKeyEquivalents({closeButton_}, {cancelButton_});
}

void CloseBrowerWindowController::changeNodeLabelWithStr(const QString& text) { noteLabel_->setText(text); }

void CloseBrowerWindowController::cancelButtonAction() { closeWindow(); }

// At most once per showing: a click that reaches the button after the window closed is dropped.
void CloseBrowerWindowController::closeButtonAction() {
    if (!aWindow->isVisible()) return;
    closeWindow();
    if (delegate_) delegate_->closeBrowerButtonAction();
}

}  // namespace ui
