#include "ui/kit/SystemFont.h"

#include <QApplication>
#include <QScreen>

namespace ui {

namespace {
constexpr double kTypographicPointsPerInch = 72.0;
constexpr double kFallbackDotsPerInch = 96.0;
}  // namespace

QFont systemFontOfSize(double points) {
    QFont font = QApplication::font();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dotsPerInch = screen ? screen->logicalDotsPerInchY() : kFallbackDotsPerInch;
    font.setPointSizeF(points * kTypographicPointsPerInch / dotsPerInch);
    return font;
}

}  // namespace ui
