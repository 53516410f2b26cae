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

// A window shows the image at its own size, frame and title bar inside the
// work area; only an image the work area cannot hold is shown smaller.
TEST(Window, WindowedImageKeepsItsSizeUnlessTheWorkAreaIsTooSmall)
{
    const struct
    {
        int width, height;
        bool fits;
    } cases[] = {{800, 600, true}, {4000, 3000, false}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.width);
        Window window;
        ASSERT_TRUE(window.create("Sized \xE9", c.width, c.height, false)) << SDL_GetError();
        const WindowRect area = workArea();
        ASSERT_GT(area.width, 816);
        ASSERT_GT(area.height, 660);
        ASSERT_LT(area.width, 4000);
        const WindowRect client = window.clientRect();
        if (c.fits)
        {
            EXPECT_EQ(client.width, c.width);
            EXPECT_EQ(client.height, c.height);
        }
        else
            EXPECT_NEAR(client.width * double(c.height) / client.height, double(c.width), 2.0);
        const WindowRect outer = window.outerFrame();
        EXPECT_GE(outer.x, area.x);
        EXPECT_GE(outer.y, area.y);
        EXPECT_LE(outer.x + outer.width, area.x + area.width);
        EXPECT_LE(outer.y + outer.height, area.y + area.height);
        EXPECT_GT(outer.height, client.height) << "room for the title bar";
        EXPECT_EQ(window.presentationRect(), fitRect(c.width, c.height, client));
        EXPECT_STREQ(SDL_GetWindowTitle(window.sdlWindow()), "Sized \xC3\xA9");
    }
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
