#pragma once

namespace vornik {

// Whether the window system shows the translucent pixels of a window: on X11 only while a
// compositing manager owns the screen's _NET_WM_CM_S<n> selection; other window systems (and
// the offscreen platform) always do.
bool windowSystemDrawsTranslucency();

}  // namespace vornik
