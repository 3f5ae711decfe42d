#pragma once

#include "core/kit/IconReference.h"

#include <QIcon>
#include <QString>

namespace ui {

// The desktop's icon of an item, as the workspace shows it: one icon for every folder, one per
// file kind (by suffix), and an application's icon for an application bundle. Links are shown
// by what they point at. A missing item, or a desktop without icons, gets the application's own
// generic picture.
QIcon iconForFile(const QString& path);
// The icon an engine named: an image by name, a path's icon, the folder icon, a picture file
// (an application's .icns), or a desktop entry's icon; a picture file that cannot be read
// shows the generic application picture.
QIcon iconFor(const core::IconReference& icon);
// The generic folder icon.
QIcon folderIcon();
// A running or installed application's icon as its desktop entry names it: an icon file's
// absolute path, or a name of the desktop's icon theme. Without one, the application's generic
// picture.
QIcon applicationIcon(const QString& icon);

}  // namespace ui
