#pragma once

namespace platform
{

struct WindowRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const WindowRect&) const = default;
};

} // namespace platform
