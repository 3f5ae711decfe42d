#pragma once

class QWidget;

namespace ui {

// Shows the window application-modal and runs the event loop until stopModal is called or the
// window closes; only then does the call return. Modal loops nest: stopModal ends the
// innermost one. A window that stays open afterwards is no longer modal.
void runModal(QWidget* window);
// The same, modal to the owner window only: the application's other windows (the status item's
// among them) stay usable, so it can still be quit while the window is open.
void runModalOver(QWidget* window, QWidget* owner);
// Ends the innermost modal loop; without one it does nothing.
void stopModal();

}  // namespace ui
