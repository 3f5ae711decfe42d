#include "ui/kit/windows/KxTitlebarView.h"

#include "platform/system/UserDefaults.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/windows/RoundedTopPath.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

namespace ui {
namespace {

constexpr double kSystemFontSize = 13;
constexpr qreal kTitleTopGap = 2;

QColor barColor() { return getColor(254, 253, 255, 1); }

TextShadow defaultTitleShadow() { return TextShadow{QColor::fromRgbF(1, 1, 1, 0.5), QPointF(0, 1), 10.0}; }

}  // namespace

KxTitlebarView::KxTitlebarView(QWidget* parent) : QWidget(parent) {}

TCImageWindow* KxTitlebarView::imageWindow() const { return qobject_cast<TCImageWindow*>(window()); }

bool KxTitlebarView::drawsAsMainWindow(const TCImageWindow& window) const {
    return window.isActiveWindow() && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void KxTitlebarView::paintEvent(QPaintEvent*) {
    TCImageWindow* window = imageWindow();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = rect();
    const QPainterPath path = roundedTopPath(frame, TCImageWindow::titleBarCornerRadius());
    if (window && window->titleBarDrawingBlock()) {
        window->titleBarDrawingBlock()(painter, drawsAsMainWindow(*window), frame, path);
        return;
    }
    painter.fillPath(path, barColor());
    if (window && window->showsTitle() && !(window->isFullScreen() && !window->showsTitleInFullscreen()))
        drawTitle(painter, *window);
}

void KxTitlebarView::drawTitle(QPainter& painter, const TCImageWindow& window) const {
    TitleAttributes attributes;
    const QRectF titleFrame = getTitleFrame(attributes, window);
    painter.setFont(attributes.font);
    // The shadow is drawn at its offset, without blur.
    painter.setPen(attributes.shadow.shadowColor);
    painter.drawText(titleFrame.translated(attributes.shadow.shadowOffset), Qt::AlignLeft | Qt::AlignTop,
                     window.windowTitle());
    painter.setPen(attributes.color);
    painter.drawText(titleFrame, Qt::AlignLeft | Qt::AlignTop, window.windowTitle());
}

// Centred in the bar, 2 points below its top; the window has no document buttons to avoid.
QRectF KxTitlebarView::getTitleFrame(TitleAttributes& attributes, const TCImageWindow& window) const {
    const bool asMain = drawsAsMainWindow(window);
    attributes.shadow = (asMain ? window.titleTextShadow() : window.inactiveTitleTextShadow()).value_or(defaultTitleShadow());
    const QColor color = asMain ? window.titleTextColor() : window.inactiveTitleTextColor();
    attributes.color = color.isValid() ? color : barColor();
    attributes.font = systemFontOfSize(kSystemFontSize);
    const QSizeF size = QFontMetricsF(attributes.font).size(Qt::TextSingleLine, window.windowTitle());
    return QRectF(QRectF(rect()).center().x() - size.width() / 2, kTitleTopGap, size.width(), size.height());
}

// The press goes on to the window, which moves with the pointer.
void KxTitlebarView::mousePressEvent(QMouseEvent* event) {
    secondClick = false;
    event->ignore();
}

void KxTitlebarView::mouseDoubleClickEvent(QMouseEvent* event) {
    secondClick = event->button() == Qt::LeftButton;
    event->ignore();
}

void KxTitlebarView::mouseReleaseEvent(QMouseEvent* event) {
    if (secondClick && event->button() == Qt::LeftButton &&
        platform::UserDefaults::shared()->boolForKey("AppleMiniaturizeOnDoubleClick"))
        window()->showMinimized();
    secondClick = false;
    event->ignore();
}

}  // namespace ui
