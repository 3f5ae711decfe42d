#include "ui/largefiles/ProgressWindowController.h"

#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/largefiles/ProgressWindowControllerDelegate.h"

#include <QFontMetrics>
#include <QLabel>

namespace ui {
namespace {

constexpr QSize kContentSize(440, 180);

}  // namespace

ProgressWindowController::ProgressWindowController() : DialogWindowController(kContentSize) {
    QWidget* content = aWindow->contentView();
    const int height = kContentSize.height();
    titleLabel_ = makeTitleField(content, QRect(24, 20, 392, 22), QStringLiteral("正在删除文件..."));
    progressView_ = new EUProgressView(cocoaRect(height, 24, 118, 392, 4).toRect(), content);
    progressView_->changeProgressValue(0);
    pathLabel_ = makeTextField(content, cocoaRect(height, 24, 86, 392, 20).toRect(), QString(), systemFontOfSize(12),
                               getColor(136, 136, 136, 1));
    pathLabel_->setWordWrap(false);
    stopButton_ = TextImageButton::actionButton(content, cocoaRect(height, 170, 20, 100, 32).toRect(),
                                                QStringLiteral("停止"), QStringLiteral("btn_sec"));
    connect(stopButton_, &QAbstractButton::clicked, this, &ProgressWindowController::stopButtonAction);
    setKeyEquivalents({}, {stopButton_});
}

void ProgressWindowController::changeProgressWithPoint(int point, const QString& path) {
    progressView_->changeProgressValue(static_cast<float>(point));
    pathLabel_->setText(QFontMetrics(pathLabel_->font()).elidedText(path, Qt::ElideMiddle, pathLabel_->width()));
    if (point < 100) return;
    closeWindow();
    if (delegate) delegate->removeEnd();
}

void ProgressWindowController::stopButtonAction() {
    stopButton_->setButtonEnabled(false);
    if (delegate) delegate->stopRemove();
}

}  // namespace ui
