#pragma once

class QWidget;

namespace ui {

// Shows the window application-modal and runs the event loop until stopModal is called or the
// window closes; only then does the call return. Modal loops nest: stopModal ends the
// innermost one. A window that stays open afterwards is no longer modal.
void runModal(QWidget* window);
// Ends the innermost modal loop; without one it does nothing.
void stopModal();

}  // namespace ui
