#pragma once

#include <functional>

class QDialog;
class QWidget;

namespace ui {

class TCImageWindow;

// Shows a panel or an alert as a sheet of the window: without a frame of its own, modal to that
// window only, centred on it with its top at the lower edge of the window's title bar (the
// window's delegate proxy decides). When the sheet is done, the handler gets its result code
// (QDialog::Accepted or Rejected, or the code given to done()). The call returns at once.
void beginSheet(QDialog* sheet, TCImageWindow* window, std::function<void(int returnCode)> completionHandler);
// The same over the custom window that holds a page; a page outside one (as in tests) shows the
// panel as a window-modal dialog of its own, with the same handler.
void beginSheetForPage(QDialog* sheet, QWidget* page, std::function<void(int returnCode)> completionHandler);

}  // namespace ui
