#include "platform/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

TEST(Window, FitRectKeepsTheAspectAndCentres)
{
    const struct
    {
        WindowRect area;
        WindowRect expected;
    } cases[] = {
        {{0, 0, 800, 600}, {0, 0, 800, 600}},
        {{0, 0, 1920, 1080}, {240, 0, 1440, 1080}},  // letterboxed at the sides
        {{0, 0, 1280, 1024}, {0, 32, 1280, 960}},    // and at the top and bottom
        {{100, 50, 400, 400}, {100, 100, 400, 300}}, // offset areas stay offset
        {{0, 0, 0, 600}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitRect(800, 600, c.area), c.expected);
    EXPECT_EQ(fitRect(0, 600, {0, 0, 10, 10}).width, 0);
}

TEST(Window, WindowedImageIsScaledToTheLargestSizeThatFits)
{
    Window window;
    ASSERT_TRUE(window.create("Scaled \xE9", 800, 600, false)) << SDL_GetError();
    const WindowRect area = workArea();
    const WindowRect client = window.clientRect();
    EXPECT_LE(client.width, area.width);
    EXPECT_LE(client.height, area.height);
    // One side reaches the limit (within the room kept for the frame).
    EXPECT_TRUE(client.width >= area.width - 16 || client.height >= area.height - 48);
    EXPECT_NEAR(client.width * 600.0 / client.height, 800.0, 2.0);
    EXPECT_EQ(window.presentationRect(), fitRect(800, 600, client));
    EXPECT_STREQ(SDL_GetWindowTitle(window.sdlWindow()), "Scaled \xC3\xA9");
}

TEST(Window, FullScreenLetterboxesTheImageInTheDesktopMode)
{
    Window window;
    ASSERT_TRUE(window.create("Full", 800, 500, true)) << SDL_GetError();
    EXPECT_TRUE(window.isFullScreen());
    const WindowRect client = window.clientRect();
    const WindowRect desktop = desktopBounds();
    EXPECT_EQ(client.width, desktop.width);
    EXPECT_EQ(client.height, desktop.height);
    EXPECT_EQ(window.presentationRect(), fitRect(800, 500, client));
    ASSERT_TRUE(window.setFullScreen(false));
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_LT(window.clientRect().height, desktop.height); // back to a window that leaves room for its frame
    ASSERT_TRUE(window.setFullScreen(true));
    EXPECT_EQ(window.clientRect().width, desktop.width);
}

TEST(Window, ShowsHidesAndPresentsFrames)
{
    Window window;
    ASSERT_TRUE(window.create("Frames", 64, 48, false));
    EXPECT_FALSE(window.isShown());
    window.show();
    EXPECT_TRUE(window.isShown());
    std::vector<uint32_t> pixels(64 * 48, 0xFF336699);
    EXPECT_TRUE(window.present(pixels.data(), 64, 48, 64 * 4));
    EXPECT_FALSE(window.present(nullptr, 64, 48, 64 * 4));
    window.hide();
    EXPECT_FALSE(window.isShown());
    window.destroy();
    EXPECT_FALSE(window.isOpen());
    EXPECT_FALSE(window.present(pixels.data(), 64, 48, 64 * 4));
}
