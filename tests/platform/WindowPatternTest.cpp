#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/MessagePump.h"
#include "platform/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform;

namespace
{

// An 800 x 600 test image: four quarters in red, green, blue and white inside
// a one-pixel yellow frame, so a screenshot shows the scaling and placement.
std::vector<uint32_t> testPattern()
{
    constexpr int w = 800, h = 600;
    std::vector<uint32_t> pixels(w * h);
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            uint32_t c =
                y < h / 2 ? (x < w / 2 ? 0xFFFF0000 : 0xFF00FF00) : (x < w / 2 ? 0xFF0000FF : 0xFFFFFFFF);
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                c = 0xFFFFFF00;
            pixels[y * w + x] = c;
        }
    }
    return pixels;
}

// Shows the pattern in a window. Under the test suite's dummy driver it only
// checks that presenting works; the screenshot script runs it on a real X
// server with ORVELLAN_SHOW_MS set to keep the window up while it looks.
TEST(WindowPattern, ShowsTheTestPattern)
{
    Window window;
    ASSERT_TRUE(
        window.create("Orvellan test pattern", 800, 600, getEnv("ORVELLAN_SHOW_FULLSCREEN").has_value()))
        << SDL_GetError();
    window.show();
    const std::vector<uint32_t> pattern = testPattern();
    const auto showFor = getEnv("ORVELLAN_SHOW_MS");
    const uint32_t milliseconds = showFor ? static_cast<uint32_t>(std::stoul(*showFor)) : 0;
    const uint32_t start = tickCount();
    do
    {
        Message message;
        while (peekMessage(message))
        {
        }
        ASSERT_TRUE(window.present(pattern.data(), 800, 600, 800 * 4)) << SDL_GetError();
        if (milliseconds > 0)
            platform::sleep(20);
    } while (tickCount() - start < milliseconds);
    const WindowRect shown = window.presentationRect();
    std::printf("window %dx%d, image at %d,%d %dx%d, refresh %d Hz\n", window.clientRect().width,
                window.clientRect().height, shown.x, shown.y, shown.width, shown.height,
                window.refreshRate());
}

} // namespace
