#include "ui/kit/looks/ImageNamed.h"

#include "platform/system/Log.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSet>
#include <QSvgRenderer>

namespace ui {
namespace {

const QString kRetinaEnding = QStringLiteral("@2x.png");

// Pictures are drawn on the main thread only, so the set of reported names needs no lock.
void reportMissing(const QString& name) {
    static QSet<QString> reported;
    if (reported.contains(name)) return;
    reported.insert(name);
    platform::logWarning("image missing or unreadable: \"" + name.toStdString() + "\"");
}

QPixmap render(QSvgRenderer& renderer, const QSizeF& size) {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QImage image((size * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return QPixmap();
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(image);
}

// A null size asks for the picture's own size.
QPixmap cachedImage(const QString& name, QSizeF size) {
    const QString key = QStringLiteral("image:%1:%2x%3").arg(name).arg(size.width()).arg(size.height());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    const QString path = imagePath(name);
    if (!QFile::exists(path)) {
        reportMissing(name);
        return QPixmap();
    }
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        reportMissing(name);
        return QPixmap();
    }
    if (size.isEmpty()) size = renderer.defaultSize();
    pixmap = render(renderer, size);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

}  // namespace

QString imagePath(const QString& name) {
    QString base = name;
    if (base.endsWith(kRetinaEnding)) base.chop(kRetinaEnding.size());
    return QStringLiteral(":/images/") + base + QStringLiteral(".svg");
}

QPixmap imageNamed(const QString& name) { return cachedImage(name, QSizeF()); }

QPixmap imageNamed(const QString& name, const QSizeF& size) {
    if (size.isEmpty()) return QPixmap();
    return cachedImage(name, size);
}

}  // namespace ui
