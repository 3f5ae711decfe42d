#pragma once

namespace ui {

// Whether a compositor draws the desktop, so that a window's transparent pixels show what lies
// behind it: always on Wayland; on X11 when some client owns the screen's compositing-manager
// selection ("_NET_WM_CM_S<screen>") of any screen. Other platforms (offscreen, a bare X server) have none.
bool windowsAreComposited();

}  // namespace ui
