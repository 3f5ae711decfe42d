#include "ui/shredder/ShredProgressWindowController.h"

#include "core/shredder/RemoveFileAndFolder.h"
#include "core/shredder/WipeMethods.h"
#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/tables/FlatListLook.h"
#include "ui/kit/windows/AttachedWindowShape.h"
#include "ui/kit/windows/MAAttachedWindow.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/shredder/FormatLTypeViewController.h"
#include "ui/shredder/ShredProgressWindowDelegate.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace ui {
namespace {

constexpr QSize kContentSize(440, 230);
constexpr QSize kButtonSize(100, 32);
constexpr int kMargin = 24;
constexpr int kTextWidth = 440 - 2 * kMargin;
// Where the method pop-up hangs from, in the window's Cocoa frame.
constexpr QPointF kFormatMenuPoint(260, 82);
constexpr std::chrono::milliseconds kFormatMenuGrace(2000);
constexpr qreal kFormatMenuAlpha = 0.8;

QColor titleColor() { return getColor(45, 45, 45, 1); }
QColor bodyColor() { return getColor(107, 107, 107, 1); }

QRect buttonFrame(int fromRight) {
    const int left = kContentSize.width() - kMargin - kButtonSize.width() - fromRight * (kButtonSize.width() + 12);
    return QRect(QPoint(left, kContentSize.height() - 20 - kButtonSize.height()), kButtonSize);
}

TextImageButton* dialogButton(QWidget* parent, int fromRight, const QString& text, const QString& images) {
    auto* button = new TextImageButton(parent);
    button->setGeometry(buttonFrame(fromRight));
    button->setImageFromFileNormalName(images, images + "_press", images + "_press", images + "_disable");
    button->setTextWithName(text);
    button->setButtonEnabled(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QWidget* stateView(QWidget* content) {
    auto* view = new QWidget(content);
    view->setGeometry(content->rect());
    return view;
}

}  // namespace

ShredProgressWindowController::ShredProgressWindowController(core::Executors executors)
    : DialogWindowController(kContentSize), executors_(std::move(executors)) {
    QWidget* content = aWindow->contentView();
    titleLabel_ = makeTitleField(content, QRect(kMargin, 16, kTextWidth, 24), QStringLiteral("擦除确认"));
    makeConfirmationView(content);
    makeProgressView(content);
    makeEndViews(content);
    selectFormatbyType(core::WipeMethods::stored().tag);
    showOnly(makeSureView_);
    setKeyEquivalents({yesButton_, successOkButton_, FailOkButton_}, {cancelButton_, stopButton_});
}

ShredProgressWindowController::~ShredProgressWindowController() { closeFormatMenu(); }

void ShredProgressWindowController::makeConfirmationView(QWidget* content) {
    makeSureView_ = stateView(content);
    makeTextField(makeSureView_, QRect(kMargin, 50, kTextWidth, 20), QStringLiteral("擦除后的文件将被彻底销毁，无法恢复。"),
                  systemFontOfSize(13), bodyColor());
    fileCountLabel_ = makeTextField(makeSureView_, QRect(kMargin, 72, kTextWidth, 20), QString(), systemFontOfSize(13),
                                    bodyColor());
    makeTextField(makeSureView_, QRect(kMargin, 98, 80, 20), QStringLiteral("覆盖次数："), systemFontOfSize(13),
                  titleColor(), Qt::AlignLeft | Qt::AlignVCenter);
    wipeType_ = makeTextField(makeSureView_, QRect(kMargin + 80, 98, 200, 20), QString(), systemFontOfSize(13),
                              titleColor(), Qt::AlignLeft | Qt::AlignVCenter);
    // The method row ends where the pop-up hangs from.
    const QRectF menuPoint = cocoaRect(kContentSize.height(), kFormatMenuPoint.x(), kFormatMenuPoint.y(), 0, 0);
    const int rowTop = static_cast<int>(menuPoint.top()) - 26;
    makeTextField(makeSureView_, QRect(kMargin, rowTop, 80, 24), QStringLiteral("擦除方式："), systemFontOfSize(13),
                  titleColor(), Qt::AlignLeft | Qt::AlignVCenter);
    formatButton_ = new QPushButton(makeSureView_);
    formatButton_->setGeometry(kMargin + 80, rowTop, kTextWidth - 80, 24);
    formatButton_->setCursor(Qt::PointingHandCursor);
    formatButton_->setFocusPolicy(Qt::NoFocus);
    formatButton_->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid rgb(220, 220, 224); border-radius: 4px;"
                                                " background: white; }"));
    formatTypeText_ = makeTextField(formatButton_, QRect(8, 0, formatButton_->width() - 30, 24), QString(),
                                    systemFontOfSize(13), titleColor(), Qt::AlignLeft | Qt::AlignVCenter);
    makeTextField(formatButton_, QRect(formatButton_->width() - 22, 0, 14, 24), QStringLiteral("▾"),
                  systemFontOfSize(12), bodyColor(), Qt::AlignCenter);
    connect(formatButton_, &QPushButton::clicked, this, &ShredProgressWindowController::openMenuAction);

    cancelButton_ = dialogButton(makeSureView_, 1, QStringLiteral("取消"), QStringLiteral("btn_sec"));
    connect(cancelButton_, &QAbstractButton::clicked, this, &ShredProgressWindowController::cancelButtonAction);
    yesButton_ = dialogButton(makeSureView_, 0, QStringLiteral("继续"), QStringLiteral("btn_pri"));
    connect(yesButton_, &QAbstractButton::clicked, this, [this] {
        showProgressView();
        if (delegate_) delegate_->doDeleteButtonClick();
    });
}

void ShredProgressWindowController::makeProgressView(QWidget* content) {
    progressBlowView_ = stateView(content);
    shredNodeLabel_ = makeTextField(progressBlowView_, QRect(kMargin, 56, kTextWidth, 20), QStringLiteral("正在擦除："),
                                    systemFontOfSize(13), titleColor());
    cancelNodeLabel_ = makeTextField(progressBlowView_, QRect(kMargin, 56, kTextWidth, 20),
                                     QStringLiteral("正在停止，当前项目擦除完成后结束…"), systemFontOfSize(13), titleColor());
    pathLabel_ = makeTextField(progressBlowView_, QRect(kMargin, 78, kTextWidth, 20), QString(), systemFontOfSize(12),
                               bodyColor());
    pathLabel_->setWordWrap(false);
    progressView_ = new EUProgressView(cocoaRect(kContentSize.height(), 24, 118, 392, 4).toRect(), progressBlowView_);
    stopButton_ = dialogButton(progressBlowView_, 0, QStringLiteral("停止"), QStringLiteral("btn_sec"));
    connect(stopButton_, &QAbstractButton::clicked, this, &ShredProgressWindowController::stopButtonAction);
}

void ShredProgressWindowController::makeEndViews(QWidget* content) {
    successBlowView_ = stateView(content);
    makeTextField(successBlowView_, QRect(kMargin, 60, kTextWidth, 26), QStringLiteral("擦除完成"),
                  boldSystemFontOfSize(18), getColor(74, 186, 71, 1));
    makeTextField(successBlowView_, QRect(kMargin, 94, kTextWidth, 40), QStringLiteral("选中的文件已被安全擦除，无法恢复。"),
                  systemFontOfSize(13), bodyColor());
    successOkButton_ = dialogButton(successBlowView_, 0, QStringLiteral("好的"), QStringLiteral("btn_pri"));
    connect(successOkButton_, &QAbstractButton::clicked, this, &ShredProgressWindowController::okButtonAction);

    failBlowView_ = stateView(content);
    makeTextField(failBlowView_, QRect(kMargin, 60, kTextWidth, 26), QStringLiteral("擦除未完成"),
                  boldSystemFontOfSize(18), getColor(230, 90, 60, 1));
    failedNodeLable_ = makeTextField(failBlowView_, QRect(kMargin, 90, kTextWidth, 20), QString(), systemFontOfSize(13),
                                     bodyColor());
    failedItemsList_ = new QListWidget(failBlowView_);
    failedItemsList_->setGeometry(kMargin, 112, kTextWidth, buttonFrame(0).top() - 8 - 112);
    failedItemsList_->setFont(systemFontOfSize(12));
    failedItemsList_->setSelectionMode(QAbstractItemView::NoSelection);
    failedItemsList_->setFocusPolicy(Qt::NoFocus);
    failedItemsList_->setTextElideMode(Qt::ElideMiddle);
    failedItemsList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    useFlatScrollBars(*failedItemsList_);
    failedItemsList_->setStyleSheet(QStringLiteral("QListWidget { border: 1px solid rgb(220, 220, 224); border-radius: 4px;"
                                                   " background: white; color: rgb(107, 107, 107); padding: 2px; }"
                                                   " QListWidget::item { padding: 1px 4px; }"));
    FailOkButton_ = dialogButton(failBlowView_, 0, QStringLiteral("好的"), QStringLiteral("btn_pri"));
    connect(FailOkButton_, &QAbstractButton::clicked, this, &ShredProgressWindowController::okButtonAction);
}

void ShredProgressWindowController::showOnly(QWidget* view) {
    for (QWidget* each : {makeSureView_, progressBlowView_, successBlowView_, failBlowView_}) each->setVisible(each == view);
    // The window closes from the confirmation and the end only: a run is stopped, not left.
    aWindow->standardWindowButton(NSWindowCloseButton)->setEnabled(view != progressBlowView_);
}

void ShredProgressWindowController::setFileCount(size_t count) {
    fileCountLabel_->setText(QStringLiteral("将擦除%1个文件").arg(count));
}

void ShredProgressWindowController::changeProgressValue(int percent, const QString& path) {
    progressView_->changeProgressValue(static_cast<float>(percent));
    pathLabel_->setToolTip(path);
    pathLabel_->setText(QFontMetrics(pathLabel_->font()).elidedText(path, Qt::ElideMiddle, pathLabel_->width()));
}

void ShredProgressWindowController::showProgressView() {
    closeFormatMenu();
    titleLabel_->setText(QStringLiteral("Duridove"));
    progressView_->changeProgressValue(10);
    shredNodeLabel_->show();
    pathLabel_->show();
    cancelNodeLabel_->hide();
    stopButton_->setButtonEnabled(true);
    showOnly(progressBlowView_);
}

void ShredProgressWindowController::showSeccView() {
    titleLabel_->setText(QStringLiteral("Duridove"));
    showOnly(successBlowView_);
}

void ShredProgressWindowController::showFailView(const QString& failText, const QStringList& failedPaths) {
    titleLabel_->setText(QStringLiteral("Duridove"));
    failedNodeLable_->setText(failText);
    failedItemsList_->clear();
    for (const QString& path : failedPaths) {
        auto* item = new QListWidgetItem(path, failedItemsList_);
        item->setToolTip(path);
    }
    failedItemsList_->setVisible(!failedPaths.isEmpty());
    showOnly(failBlowView_);
}

void ShredProgressWindowController::selectFormatbyType(int tag) {
    const core::WipeMethod& method = core::WipeMethods::forTag(tag);
    wipeType_->setText(QString::number(core::RemoveFileAndFolder::passesWritten()));
    formatTypeText_->setText(QString::fromStdString(method.name));
}

void ShredProgressWindowController::openMenuAction() {
    if (isPopSortWin_) return;
    formatTypeVC_ = new FormatLTypeViewController;
    formatTypeVC_->setDelegate(this);
    sortAttachedWindow_ = MAAttachedWindow::initWithView(formatTypeVC_, kFormatMenuPoint, aWindow.get(),
                                                         AttachedSide::Below, 0, kFormatMenuAlpha);
    isPopSortWin_ = true;
    pointerEnteredPopUp_ = false;
    sortAttachedWindow_->show();
    sortAttachedWindow_->raise();
    QPointer<MAAttachedWindow> shown = sortAttachedWindow_;
    QPointer<ShredProgressWindowController> self(this);
    executors_.mainAfter(kFormatMenuGrace, [self, shown] {
        if (self && shown && shown == self->sortAttachedWindow_ && !self->pointerEnteredPopUp_) self->closeFormatMenu();
    });
}

void ShredProgressWindowController::closeFormatMenu() {
    isPopSortWin_ = false;
    if (!sortAttachedWindow_) return;
    sortAttachedWindow_->hide();
    // Deleted later: a row's press may still be on its way out.
    sortAttachedWindow_->deleteLater();
    sortAttachedWindow_ = nullptr;
}

void ShredProgressWindowController::delegateMouseEntered(int tag) {
    core::WipeMethods::store(core::WipeMethods::forTag(tag));
    selectFormatbyType(tag);
    closeFormatMenu();
}

void ShredProgressWindowController::mouseEixtView(bool exited) {
    if (!exited) {
        pointerEnteredPopUp_ = true;
        return;
    }
    closeFormatMenu();
}

void ShredProgressWindowController::okButtonAction() { closeWindow(); }

void ShredProgressWindowController::cancelButtonAction() {
    closeFormatMenu();
    closeWindow();
}

void ShredProgressWindowController::stopButtonAction() {
    shredNodeLabel_->hide();
    pathLabel_->hide();
    cancelNodeLabel_->show();
    stopButton_->setButtonEnabled(false);
    if (delegate_) delegate_->cancelShred();
}

}  // namespace ui
