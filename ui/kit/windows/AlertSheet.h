#pragma once

#include <QStringList>

#include <functional>

class QMessageBox;
class QWidget;

namespace ui {

// A message with its buttons (the first is the default) as a sheet of the window that holds
// the page, or modal to that window where it is not one of our own; the handler gets the index
// of the button chosen. Returns at once with the alert shown.
QMessageBox* beginAlertSheet(QWidget* page, const QString& message, const QStringList& buttons,
                             std::function<void(int button)> done);

}  // namespace ui
