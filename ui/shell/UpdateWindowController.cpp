#include "ui/shell/UpdateWindowController.h"

#include "core/kit/EULinkUrl.h"
#include "core/kit/UpdateCheck.h"
#include "ui/kit/controls/ButtonTitleColor.h"
#include "ui/kit/controls/EUHandButton.h"
#include "ui/kit/controls/RFOverlayScrollView.h"
#include "ui/kit/controls/SpinningImageView.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/InterfaceFonts.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ui {
namespace {

constexpr double kTitleBarHeight = 24.0;
constexpr QSize kContentSize(420, 296);
constexpr QSize kButtonSize(100, 32);
constexpr int kMargin = 26;
constexpr int kFadeMilliseconds = 250;
// The notes: each field as high as its numbered note needs in the font and at the width it is
// drawn in, at least 25, in a container 368 wide that gives each note at least 30 and is itself
// at least 150 high.
constexpr double kNotesWidth = 368;
constexpr double kMinimumNoteHeight = 25;
constexpr double kMinimumNoteShare = 30;
constexpr double kMinimumNotesHeight = 150;
constexpr double kNoteFontSize = 14;

QSize windowContentSize() {
    return QSize(kContentSize.width(),
                 kContentSize.height() + static_cast<int>(kTitleBarHeight - TCImageWindow::minimumTitlebarHeight()));
}

QColor titleColor() { return getColor(45, 45, 45, 1); }
QColor detailColor() { return getColor(107, 107, 107, 1); }

// Helvetica Light where it is installed, else the interface's own light font.
QFont noteFont() {
    if (QFontDatabase::hasFamily(QStringLiteral("Helvetica Light"))) return fontWithName(QStringLiteral("Helvetica Light"), kNoteFontSize);
    const QString light = lightFontName();
    if (!light.isEmpty()) return fontWithName(light, kNoteFontSize);
    QFont font = systemFontOfSize(kNoteFontSize);
    font.setWeight(QFont::Light);
    return font;
}

TextImageButton* closeButtonIn(QWidget* pane, const QString& images) {
    auto* button = new TextImageButton(pane);
    button->setGeometry(QRect(QPoint(kContentSize.width() - kMargin - kButtonSize.width(),
                                     kContentSize.height() - 24 - kButtonSize.height()),
                              kButtonSize));
    button->setImageFromFileNormalName(images, images + "_press", images + "_press", images + "_disable");
    button->setTextWithName(QStringLiteral("关闭"));
    button->setButtonEnabled(true);
    return button;
}

}  // namespace

UpdateWindowController::UpdateWindowController() : DialogWindowController(windowContentSize()) {
    QWidget* titleBarView = aWindow->titleBarView();
    titleLabel_ = makeTextField(titleBarView, titleBarView->rect(), QStringLiteral("检查更新"), systemFontOfSize(13),
                                titleColor(), Qt::AlignCenter);
    checkProgressView_ = makePane(QString(), QStringLiteral("正在检查更新…"), proClose_);
    progressBar_ = new SpinningImageView(QStringLiteral("ic_loading"), checkProgressView_);
    progressBar_->setGeometry((kContentSize.width() - 32) / 2, 76, 32, 32);
    noNetworkView_ = makePane(QStringLiteral("网络连接不可用"), QStringLiteral("请检查网络连接后再试。"), noNetClose_);
    noUpdateView_ = makePane(QStringLiteral("已是最新版本"), QStringLiteral("你正在使用的 Duridove 已是最新版本。"), noUpdateClose_);
    makeHaveUpdateView();

    fade_.setTargetObject(aWindow.get());
    fade_.setPropertyName("windowOpacity");
    fade_.setDuration(kFadeMilliseconds);
    connect(&fade_, &QPropertyAnimation::finished, this, &UpdateWindowController::animationDidStop);
    aWindow->installEventFilter(this);
    qApp->installEventFilter(this);
    windowDidLoad();
}

// Ending the worker's thread ends the event loop a download waits in, so it gives up at once.
UpdateWindowController::~UpdateWindowController() {
    if (!worker_) return;
    worker_->quit();
    worker_->wait();
}

void UpdateWindowController::windowDidLoad() {
    aWindow->setTitleBarHeight(kTitleBarHeight);
    titleLabel_->setGeometry(aWindow->titleBarView()->rect());
    for (TextImageButton* button : {proClose_, noNetClose_, noUpdateClose_, haveClose_})
        connect(button, &QAbstractButton::clicked, this, &UpdateWindowController::closeWindowAction);
    // One pane shows at a time; its close button answers both keys.
    setKeyEquivalents({proClose_, noNetClose_, noUpdateClose_, haveClose_}, {proClose_, noNetClose_, noUpdateClose_, haveClose_});
    showPane(checkProgressView_);
}

QWidget* UpdateWindowController::makePane(const QString& title, const QString& detail, TextImageButton*& closeButton) {
    auto* pane = new QWidget(aWindow->contentView());
    pane->setGeometry(QRect(QPoint(), kContentSize));
    const int width = kContentSize.width() - 2 * kMargin;
    if (!title.isEmpty())
        makeTextField(pane, QRect(kMargin, 84, width, 24), title, boldSystemFontOfSize(16), titleColor(), Qt::AlignCenter);
    makeTextField(pane, QRect(kMargin, 118, width, 40), detail, systemFontOfSize(13), detailColor(),
                  Qt::AlignHCenter | Qt::AlignTop);
    closeButton = closeButtonIn(pane, QStringLiteral("btn_sec"));
    return pane;
}

void UpdateWindowController::makeHaveUpdateView() {
    haveUpdateView_ = new QWidget(aWindow->contentView());
    haveUpdateView_->setGeometry(QRect(QPoint(), kContentSize));
    const int width = static_cast<int>(kNotesWidth);
    titleLable_ = makeTextField(haveUpdateView_, QRect(kMargin, 18, width, 24), QString(), boldSystemFontOfSize(16), titleColor());
    versionLabel_ = makeTextField(haveUpdateView_, QRect(kMargin, 48, width, 20), QString(), systemFontOfSize(13), detailColor());

    notesArea_ = new QScrollArea;
    notesArea_->setFrameShape(QFrame::NoFrame);
    notesArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fillBackground(notesArea_->viewport(), getColor(255, 255, 255, 1));
    showVersionScrollView_ = new QWidget;
    showVersionScrollView_->resize(width, static_cast<int>(kMinimumNotesHeight));
    notesArea_->setWidget(showVersionScrollView_);
    changeValueScrollView_ = new RFOverlayScrollView(haveUpdateView_);
    changeValueScrollView_->setDocumentView(notesArea_);
    changeValueScrollView_->setGeometry(kMargin, 74, width, static_cast<int>(kMinimumNotesHeight));

    updateClickHere_ = new EUHandButton(haveUpdateView_);
    updateClickHere_->setGeometry(kMargin, kContentSize.height() - 24 - kButtonSize.height(), 160, kButtonSize.height());
    updateClickHere_->setFlat(true);
    updateClickHere_->setFont(systemFontOfSize(13));
    updateClickHere_->setText(QStringLiteral("点击此处下载新版本"));
    updateClickHere_->setStyleSheet(QStringLiteral("QPushButton { border: none; text-align: left; }"));
    setTitleTextColor(updateClickHere_, getColor(74, 186, 71, 1));
    connect(updateClickHere_, &QAbstractButton::clicked, this, &UpdateWindowController::updateClickHereAction);
    haveClose_ = closeButtonIn(haveUpdateView_, QStringLiteral("btn_pri"));
}

void UpdateWindowController::showPane(QWidget* pane) {
    for (QWidget* each : {checkProgressView_, noNetworkView_, noUpdateView_, haveUpdateView_}) each->setVisible(each == pane);
}

// Each showing fades in from clear and checks again; a check still under way from an earlier
// showing answers this one too.
void UpdateWindowController::windowWillShow() {
    aWindow->setWindowOpacity(0);
    fadeTo(1);
    showPane(checkProgressView_);
    getVersionChange();
}

void UpdateWindowController::getVersionChange() {
    if (checking_) return;
    if (worker_) worker_->wait();  // done: its answer has been shown
    checking_ = true;
    QPointer<UpdateWindowController> window(this);
    worker_.reset(QThread::create([window] {
        std::optional<core::VersionList> published = core::UpdateCheck::getVersionChange();
        Dispatch::mainQueue([window, published = std::move(published)] {
            if (!window) return;
            window->checking_ = false;
            window->whatIsNewVersionDiff(published);
        });
    }));
    worker_->start();
}

void UpdateWindowController::whatIsNewVersionDiff(const std::optional<core::VersionList>& published) {
    if (!published) {
        showPane(noNetworkView_);
        return;
    }
    if (!core::UpdateCheck::isNewerThanThisBuild(*published)) {
        showPane(noUpdateView_);
        return;
    }
    showPane(haveUpdateView_);
    const QString version = QString::fromStdString(published->version);
    versionLabel_->setText(QStringLiteral("新版本%1:").arg(version));
    titleLable_->setText(QStringLiteral("%1已经发布。").arg(version));

    qDeleteAll(showVersionScrollView_->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly));
    const QFont font = noteFont();
    std::vector<QString> texts;
    std::vector<double> heights;
    double containerHeight = 0;
    for (const std::string& note : published->notes) {
        texts.push_back(QStringLiteral("%1.%2").arg(QString::number(texts.size() + 1), QString::fromStdString(note)));
        heights.push_back(std::ceil(heightForStringDrawing(texts.back(), font, kNotesWidth)));
        containerHeight += std::max(kMinimumNoteShare, heights.back());
    }
    containerHeight = std::max(kMinimumNotesHeight, containerHeight);
    showVersionScrollView_->resize(static_cast<int>(kNotesWidth), static_cast<int>(containerHeight));
    double stacked = 0;
    for (size_t index = 0; index < heights.size(); ++index) {
        const QString note = QString::fromStdString(published->notes[index]);
        const double height = std::max(kMinimumNoteHeight, heights[index]);
        stacked += height;
        const QRectF frame = cocoaRect(containerHeight, 0, containerHeight - stacked, kNotesWidth, height);
        QLabel* field = makeTextField(showVersionScrollView_, frame.toRect(), texts[index], font, getColor(102, 102, 102, 1));
        field->setAttribute(Qt::WA_TransparentForMouseEvents, false);  // for its tool tip
        field->setToolTip(note);
        field->show();
    }
    notesArea_->verticalScrollBar()->setValue(0);
}

// Laid out as the text fields lay out their wrapped text.
double UpdateWindowController::heightForStringDrawing(const QString& text, const QFont& font, double width) {
    const QRectF box(0, 0, width, std::numeric_limits<int>::max());
    return QFontMetricsF(font).boundingRect(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text).height();
}

void UpdateWindowController::closeWindowAction() { closeWindow(); }

void UpdateWindowController::updateClickHereAction() { core::EULinkUrl::openLink("UpdateURL"); }

void UpdateWindowController::windowShouldClose() { fadeTo(0); }

bool UpdateWindowController::applicationShouldTerminate() {
    if (shuttingDown_) return true;
    fadeTo(0);
    shuttingDown_ = true;
    return false;
}

void UpdateWindowController::fadeTo(double opacity) {
    fade_.stop();
    fade_.setStartValue(aWindow->windowOpacity());
    fade_.setEndValue(opacity);
    fade_.start();
}

// Only a fade that has made the window clear closes it, and ends the application when a quit
// was waiting for it.
void UpdateWindowController::animationDidStop() {
    if (aWindow->windowOpacity() > 0) return;
    closeWindow();
    if (shuttingDown_) QCoreApplication::quit();
}

// The window manager's close (a spontaneous event) fades; the window's own closes do not. A
// quit while the window is shown waits for its fade.
bool UpdateWindowController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == aWindow.get() && event->type() == QEvent::Show) windowWillShow();
    if (watched == aWindow.get() && event->type() == QEvent::Close && event->spontaneous()) {
        event->ignore();
        windowShouldClose();
        return true;
    }
    if (watched == qApp && event->type() == QEvent::Quit && aWindow->isVisible()) return !applicationShouldTerminate();
    return DialogWindowController::eventFilter(watched, event);
}

}  // namespace ui
