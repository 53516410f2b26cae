#include "framework/app/WindowPlacement.h"

#include <algorithm>

namespace Quib
{

platform::WindowRect PlaceMainWindow(const platform::WindowRect& workArea, int width, int height,
                                     int preferredX, int preferredY)
{
    constexpr int kMargin = 4;
    if (preferredX == -1 && preferredY == -1)
    {
        const int x = workArea.x + (workArea.width - width) / 2;
        const int y = workArea.y + static_cast<int>((workArea.height - height) * 0.382);
        return {std::max(x, workArea.x), std::max(y, workArea.y), width, height};
    }
    int x = std::max(preferredX, workArea.x + kMargin);
    int y = std::max(preferredY, workArea.y + kMargin);
    const int right = workArea.x + workArea.width - kMargin;
    const int bottom = workArea.y + workArea.height - kMargin;
    if (x + width > right)
        x = right - width;
    if (y + height > bottom)
        y = bottom - height;
    // A window larger than the work area still keeps its title bar on it.
    return {std::max(x, workArea.x), std::max(y, workArea.y), width, height};
}

void PlaceWindowedMainWindow(platform::Window& window, int preferredX, int preferredY)
{
    if (!window.isOpen() || window.isFullScreen())
        return;
    const platform::WindowRect outer = window.outerFrame();
    const platform::WindowRect placed =
        PlaceMainWindow(platform::workArea(), outer.width, outer.height, preferredX, preferredY);
    window.moveOuterTo(placed.x, placed.y);
}

} // namespace Quib
