#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace ui {

// A rich text (HTML for a label) of mainStr in mainColor and normalFont, in which the first
// occurrence of changeStr is shown in changeColor with changeFont's face at fontFloat points,
// and the paragraph holding it is centred. When changeStr does not occur, the whole text keeps
// the main colour and normal font.
QString setStringFontWithMainStr(const QString& mainStr, const QColor& mainColor, const QString& changeStr,
                                 const QColor& changeColor, const QFont& changeFont, const QFont& normalFont,
                                 double fontFloat);

}  // namespace ui
