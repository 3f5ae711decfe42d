#pragma once

class QCoreApplication;

namespace ui {

// The interface is Chinese whatever the desktop's language, so Qt's own texts (the folder and
// file panels' labels, columns and buttons, the text fields' context menus) are taken from Qt's
// Chinese translation too. Without it installed they stay English and a warning says so.
// Answers whether the translation is in use.
bool useChineseQtTexts(QCoreApplication& application);

}  // namespace ui
