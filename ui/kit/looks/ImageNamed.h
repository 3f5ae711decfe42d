#pragma once

#include <QPixmap>
#include <QSizeF>
#include <QString>

namespace ui {

// The application's pictures, looked up by name among the compiled-in resources
// (":/images/<name>.svg"; a name ending in "@2x.png" is looked up without that ending).
QString imagePath(const QString& name);

// The picture at its own size, drawn sharp for the screen's pixel density. A missing picture
// gives a null pixmap, which draws nothing (and one log line per name).
QPixmap imageNamed(const QString& name);
// The picture drawn to fill the given size in points.
QPixmap imageNamed(const QString& name, const QSizeF& size);

}  // namespace ui
