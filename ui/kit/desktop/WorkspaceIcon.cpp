#include "ui/kit/desktop/WorkspaceIcon.h"

#include "ui/kit/looks/ImageNamed.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

#include <functional>

namespace ui {
namespace {

// Where the desktop has no icon theme (the provider would fall back to the widget style's old
// pictures), the application's own pictures stand in.
bool desktopHasIcons() {
    static const bool themed = QIcon::hasThemeIcon(QStringLiteral("folder"));
    return themed;
}

// The provider is asked only where there is a theme: without one it would only load the
// style's pictures (tens of milliseconds the first time, on the main thread) to be replaced.
QIcon iconOr(const std::function<QIcon()>& provided, const char* fallbackImage) {
    if (desktopHasIcons()) {
        const QIcon icon = provided();
        const bool drawsNothing = icon.isNull() || (icon.availableSizes().isEmpty() && icon.name().isEmpty());
        if (!drawsNothing) return icon;
    }
    return QIcon(imageNamed(QString::fromLatin1(fallbackImage)));
}

}  // namespace

QIcon folderIcon() {
    static const QIcon icon =
        iconOr([] { return QFileIconProvider().icon(QFileIconProvider::Folder); }, "ic_generic_folder");
    return icon;
}

QIcon iconForFile(const QString& path) {
    const QFileInfo info(path);
    // An application bundle shows as an application, whether or not it is installed.
    if (info.suffix() == QLatin1String("app")) {
        static const QIcon application = QIcon(imageNamed(QStringLiteral("ic_generic_app")));
        return application;
    }
    if (info.isDir()) return folderIcon();
    // Many items share a kind; the provider is asked once per suffix.
    static QHash<QString, QIcon> byKind;
    const QString kind = info.exists() ? info.suffix().toLower() : QString();
    auto known = byKind.constFind(kind);
    if (known != byKind.constEnd()) return *known;
    const QIcon icon = iconOr([&info] { return info.exists() ? QFileIconProvider().icon(info) : QIcon(); }, "ic_generic_file");
    byKind.insert(kind, icon);
    return icon;
}

QIcon applicationIcon(const QString& icon) {
    static QHash<QString, QIcon> byName;
    auto known = byName.constFind(icon);
    if (known != byName.constEnd()) return *known;
    QIcon found;
    if (QFileInfo(icon).isAbsolute())
        found = QFileInfo(icon).isFile() ? QIcon(icon) : QIcon();
    else if (!icon.isEmpty())
        found = QIcon::fromTheme(icon);
    if (found.isNull() || (found.availableSizes().isEmpty() && found.name().isEmpty()))
        found = QIcon(imageNamed(QStringLiteral("ic_generic_app")));
    byName.insert(icon, found);
    return found;
}

}  // namespace ui

namespace ui {

QIcon iconFor(const core::IconReference& icon) {
    const QString name = QString::fromStdString(icon.name);
    switch (icon.kind) {
        case core::IconReference::Kind::Named: return QIcon(imageNamed(name));
        case core::IconReference::Kind::PathIcon: return iconForFile(name);
        case core::IconReference::Kind::FolderIcon: return folderIcon();
        case core::IconReference::Kind::ImageFile:
            if (QImageReader(name).canRead()) return QIcon(name);
            return QIcon(imageNamed(QStringLiteral("ic_generic_app")));
        case core::IconReference::Kind::DesktopIcon: return applicationIcon(name);
        case core::IconReference::Kind::None: break;
    }
    return {};
}

}  // namespace ui
