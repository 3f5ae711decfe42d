#include "ui/kit/looks/SystemFont.h"

#include <QApplication>
#include <QFontInfo>
#include <QScreen>

#include <array>
#include <cstdlib>
#include <optional>
#include <utility>

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

constexpr std::array<std::pair<QFont::Weight, const char*>, 9> kWeightNames{{{QFont::Thin, "Thin"},
                                                                             {QFont::ExtraLight, "ExtraLight"},
                                                                             {QFont::Light, "Light"},
                                                                             {QFont::Normal, "Regular"},
                                                                             {QFont::Medium, "Medium"},
                                                                             {QFont::DemiBold, "SemiBold"},
                                                                             {QFont::Bold, "Bold"},
                                                                             {QFont::ExtraBold, "ExtraBold"},
                                                                             {QFont::Black, "Black"}}};

const char* nameOfNearestWeight(int weight) {
    const auto* nearest = &kWeightNames.front();
    for (const auto& entry : kWeightNames)
        if (std::abs(entry.first - weight) < std::abs(nearest->first - weight)) nearest = &entry;
    return nearest->second;
}

// The weight a name ends in after its last hyphen; nothing when it ends in no weight name.
std::optional<QFont::Weight> weightNamedAtEnd(const QString& name) {
    const qsizetype hyphen = name.lastIndexOf(QLatin1Char('-'));
    if (hyphen <= 0) return std::nullopt;
    const QStringView suffix = QStringView(name).mid(hyphen + 1);
    for (const auto& [weight, weightName] : kWeightNames)
        if (suffix == QLatin1String(weightName)) return weight;
    return std::nullopt;
}
}  // namespace

QFont systemFontOfSize(double points) { return withLayoutPoints(QApplication::font(), points); }

QFont fontWithName(const QString& name, double points) {
    QFont font = QApplication::font();
    const std::optional<QFont::Weight> weight = weightNamedAtEnd(name);
    font.setFamilies({weight ? name.left(name.lastIndexOf(QLatin1Char('-'))) : name});
    font.setWeight(weight.value_or(QFont::Normal));
    return withLayoutPoints(font, points);
}

QString fontNameOf(const QFont& font) {
    return QFontInfo(font).family() + QLatin1Char('-') + QLatin1String(nameOfNearestWeight(font.weight()));
}

QFont boldSystemFontOfSize(double points) {
    QFont font = systemFontOfSize(points);
    font.setBold(true);
    return font;
}

}  // namespace ui
