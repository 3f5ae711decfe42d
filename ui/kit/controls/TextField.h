#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace ui {

// A text line of a window's layout: not editable, no border, clear background, transparent to
// the mouse (so the window still moves by it). Long texts wrap within the frame.
QLabel* makeTextField(QWidget* parent, const QRect& frame, const QString& text, const QFont& font,
                      const QColor& color, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

// A dialog's title line: the bold 15-point system font in near-black, as every dialog has it.
QLabel* makeTitleField(QWidget* parent, const QRect& frame, const QString& text);

}  // namespace ui
