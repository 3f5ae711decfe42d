#pragma once

namespace ui {

// Brings the application to the front, whatever other application is active: its active window,
// else the first visible window, is raised and made active.
void activateIgnoringOtherApps();

}  // namespace ui
