#include "ui/kit/controls/TwoColorText.h"

#include "platform/system/Log.h"
#include "ui/kit/looks/SystemFont.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace ui {
namespace {

QTextCharFormat textFormat(const QColor& color, const QFont& font) {
    QTextCharFormat format;
    format.setForeground(color);
    format.setFont(font);
    return format;
}

// The change font's face (family, weight, slant) at the given size.
QFont faceAtSize(const QFont& face, double points) {
    QFont font = fontWithName(face.family(), points);
    font.setWeight(face.weight());
    font.setItalic(face.italic());
    return font;
}

}  // namespace

QString setStringFontWithMainStr(const QString& mainStr, const QColor& mainColor, const QString& changeStr,
                                 const QColor& changeColor, const QFont& changeFont, const QFont& normalFont,
                                 double fontFloat) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(mainStr, textFormat(mainColor, normalFont));
    const qsizetype start = changeStr.isEmpty() ? -1 : mainStr.indexOf(changeStr);
    if (start < 0) {
        platform::logWarning("Failed _1");
    } else {
        cursor.setPosition(static_cast<int>(start));
        cursor.setPosition(static_cast<int>(start + changeStr.size()), QTextCursor::KeepAnchor);
        cursor.setCharFormat(textFormat(changeColor, faceAtSize(changeFont, fontFloat)));
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.mergeBlockFormat(centred);
    }
    platform::logInfo("Failed _2");
    return document.toHtml();
}

}  // namespace ui
