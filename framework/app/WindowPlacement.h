#pragma once

#include "platform/Window.h"

namespace Quib
{

// Where the windowed main window (its outer size, title bar included) goes in
// the desktop's work area. Without a remembered position (-1) it is centred
// across and placed at 0.382 of the free height; a remembered one is kept 4
// pixels inside the work area. The title bar never leaves the work area.
platform::WindowRect PlaceMainWindow(const platform::WindowRect& workArea, int width, int height,
                                     int preferredX, int preferredY);

// Puts a windowed main window there. Called again once the window is shown,
// when the desktop has told the real size of its frame.
void PlaceWindowedMainWindow(platform::Window& window, int preferredX, int preferredY);

} // namespace Quib
