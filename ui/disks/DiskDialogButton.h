#pragma once

#include <QRect>
#include <QSize>

class QString;
class QWidget;

namespace ui {

class TextImageButton;

enum class DiskDialogButtonLook { Primary, Secondary };

// A button of the disk dialogs' bottom row, 100×32, usable, with the primary ("btn_pri") or
// secondary ("btn_sec") pictures. Place 0 is the rightmost, each further place 12 points left.
TextImageButton* makeDiskDialogButton(QWidget* content, const QSize& contentSize, int place,
                                      DiskDialogButtonLook look, const QString& title);

}  // namespace ui
