#include "ui/uninstall/UninstallProgressWindowController.h"

#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/uninstall/UninstallProgressDelegate.h"

#include <QAbstractButton>
#include <QLabel>

namespace ui {
namespace {

constexpr QSize kContentSize(440, 200);
constexpr QSize kButtonSize(100, 32);
constexpr int kMargin = 24;

}  // namespace

UninstallProgressWindowController::UninstallProgressWindowController() : DialogWindowController(kContentSize) {
    QWidget* content = aWindow->contentView();
    titleLabel_ = makeTitleField(content, QRect(kMargin, 16, 392, 22), QStringLiteral("正在卸载"));
    makeRunningPane(content);
    makeEndPane(content);
    windowDidLoad();
}

void UninstallProgressWindowController::makeRunningPane(QWidget* content) {
    progressView_ = new QWidget(content);
    progressView_->setGeometry(content->rect());
    progressView_->setAttribute(Qt::WA_TransparentForMouseEvents);
    aProgressView = new EUProgressView(cocoaRect(kContentSize.height(), 24, 118, 392, 4).toRect(), progressView_);
    aProgressView->changeProgressValue(0);
    pathLabel_ = makeTextField(progressView_, QRect(kMargin, 96, 392, 18), QString(), systemFontOfSize(12),
                               getColor(136, 136, 136, 1));
    pathLabel_->setWordWrap(false);
}

void UninstallProgressWindowController::makeEndPane(QWidget* content) {
    endView_ = new QWidget(content);
    endView_->setGeometry(content->rect());
    makeTextField(endView_, QRect(kMargin, 56, 120, 20), QStringLiteral("已释放空间"), systemFontOfSize(13),
                  getColor(107, 107, 107, 1));
    messageLabel_ = makeTextField(endView_, QRect(kMargin, 78, 240, 34), QString(), boldSystemFontOfSize(24),
                                  getColor(74, 186, 71, 1));
    failureLabel_ = makeTextField(endView_, QRect(kMargin, 118, 240, 20), QString(), systemFontOfSize(13),
                                  getColor(208, 2, 27, 1));
    okButton_ = new TextImageButton(endView_);
    okButton_->setGeometry(QRect(QPoint(kContentSize.width() - kMargin - kButtonSize.width(),
                                        kContentSize.height() - 20 - kButtonSize.height()),
                                 kButtonSize));
    endView_->hide();
}

void UninstallProgressWindowController::windowDidLoad() {
    aWindow->center();
    okButton_->setButtonEnabled(true);
    okButton_->setImageFromFileNormalName("btn_pri", "btn_pri_press", "btn_pri_press", "btn_pri_disable");
    okButton_->setTextWithName(QStringLiteral("好的"));
    connect(okButton_, &QAbstractButton::clicked, this, &UninstallProgressWindowController::okButtonAction);
    // The close button does what "好的" does.
    QAbstractButton* closeButton = aWindow->standardWindowButton(NSWindowCloseButton);
    closeButton->disconnect(this);
    connect(closeButton, &QAbstractButton::clicked, this, &UninstallProgressWindowController::okButtonAction);
    setKeyEquivalents({okButton_}, {});
}

void UninstallProgressWindowController::changeProgressValue(int percent, const QString& path) {
    aProgressView->changeProgressValue(static_cast<float>(percent));
    pathLabel_->setText(pathLabel_->fontMetrics().elidedText(path, Qt::ElideMiddle, pathLabel_->width()));
    if (percent < 100) return;
    titleLabel_->setText(QStringLiteral("卸载完成"));
    progressView_->hide();
    endView_->show();
}

void UninstallProgressWindowController::changeLabel(const QString& sizeText) { messageLabel_->setText(sizeText); }

void UninstallProgressWindowController::changeFailureCount(int failures) {
    failureLabel_->setText(failures > 0 ? QStringLiteral("%1 项未能删除").arg(failures) : QString());
}

// At most once per showing: a click that reaches the window after it closed is dropped.
void UninstallProgressWindowController::okButtonAction() {
    if (!aWindow->isVisible()) return;
    if (delegate_) delegate_->uninstallEnd();
    closeWindow();
}

}  // namespace ui
