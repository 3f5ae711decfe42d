#include "ui/browser/CloseBrowerWindowController.h"

#include "ui/browser/CloseBrowerWindowControllerDelegate.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace ui {
namespace {

constexpr int kContentWidth = 400;
constexpr QSize kButtonSize(100, 32);
constexpr int kMargin = 24;
constexpr int kNoteTop = 46;
constexpr int kNoteWidth = kContentWidth - 2 * kMargin;
constexpr int kQuestionNoteHeight = 40;
// Below the note: a gap, the buttons and the margin under them.
constexpr int kButtonGap = 12;
constexpr int kBelowNote = kButtonGap + kButtonSize.height() + 20;

QFont noteFont() { return systemFontOfSize(13); }

int noteHeightFor(const QString& text) {
    const int height = QFontMetrics(noteFont()).boundingRect(QRect(0, 0, kNoteWidth, 1 << 20), Qt::TextWordWrap, text).height();
    return std::max(kQuestionNoteHeight, height);
}

TextImageButton* makeButton(QWidget* parent, const QRect& frame, const QString& text, const QString& images) {
    auto* button = new TextImageButton(parent);
    button->setGeometry(frame);
    button->setButtonEnabled(true);
    button->setImageFromFileNormalName(images, images + "_press", images + "_press", images + "_disable");
    button->setTextWithName(text);
    return button;
}

}  // namespace

CloseBrowerWindowController::CloseBrowerWindowController(const QString& title, int noteHeight,
                                                         const QString& buttonTitle)
    : DialogWindowController(QSize(kContentWidth, kNoteTop + noteHeight + kBelowNote)) {
    QWidget* content = aWindow->contentView();
    titleLabel_ = makeTitleField(content, QRect(kMargin, 16, kNoteWidth, 22), title);
    noteLabel_ = makeTextField(content, QRect(kMargin, kNoteTop, kNoteWidth, noteHeight), QString(), noteFont(),
                               getColor(107, 107, 107, 1));
    noteLabel_->setWordWrap(true);
    const QPoint closeAt(kContentWidth - kMargin - kButtonSize.width(), kNoteTop + noteHeight + kButtonGap);
    closeButton_ = makeButton(content, QRect(closeAt, kButtonSize), buttonTitle, QStringLiteral("btn_pri"));
    connect(closeButton_, &QAbstractButton::clicked, this, &CloseBrowerWindowController::closeButtonAction);
}

CloseBrowerWindowController::CloseBrowerWindowController()
    : CloseBrowerWindowController(QStringLiteral("关闭浏览器"), kQuestionNoteHeight, QStringLiteral("关闭")) {
    const QPoint cancelAt = closeButton_->geometry().topLeft() - QPoint(kButtonGap + kButtonSize.width(), 0);
    cancelButton_ = makeButton(aWindow->contentView(), QRect(cancelAt, kButtonSize), QStringLiteral("取消"),
                               QStringLiteral("btn_sec"));
    connect(cancelButton_, &QAbstractButton::clicked, this, &CloseBrowerWindowController::cancelButtonAction);
    setKeyEquivalents({closeButton_}, {cancelButton_});
}

CloseBrowerWindowController::CloseBrowerWindowController(const QString& title, const QString& notice)
    : CloseBrowerWindowController(title, noteHeightFor(notice), QStringLiteral("好")) {
    changeNodeLabelWithStr(notice);
    setKeyEquivalents({closeButton_}, {closeButton_});
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
