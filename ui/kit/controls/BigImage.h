#pragma once

#include <QPixmap>

namespace ui {

// A copy of the image at 120 × 120 points (stretched, at the image's own pixel ratio), turned
// upside down when flipFlag is non-zero; the reflection amount has no effect. The duplicate
// finder shows file icons this way. A null image gives a null image.
QPixmap get120X120BigImage(const QPixmap& image, int flipFlag, float amountReflected);

}  // namespace ui
