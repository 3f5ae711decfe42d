#include "ui/kit/looks/SystemFont.h"

#include <QApplication>
#include <QScreen>

namespace ui {

namespace {
constexpr double kTypographicPointsPerInch = 72.0;
constexpr double kFallbackDotsPerInch = 96.0;

QFont withLayoutPoints(QFont font, double points) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dotsPerInch = screen ? screen->logicalDotsPerInchY() : kFallbackDotsPerInch;
    font.setPointSizeF(points * kTypographicPointsPerInch / dotsPerInch);
    return font;
}
}  // namespace

QFont systemFontOfSize(double points) { return withLayoutPoints(QApplication::font(), points); }

QFont fontWithName(const QString& name, double points) {
    QFont font = QApplication::font();
    font.setFamilies({name});
    return withLayoutPoints(font, points);
}

QFont boldSystemFontOfSize(double points) {
    QFont font = systemFontOfSize(points);
    font.setBold(true);
    return font;
}

}  // namespace ui
