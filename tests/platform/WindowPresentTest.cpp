#include "platform/FrameScaler.h"
#include "platform/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace
{

constexpr int kWindowWidth = 80;
constexpr int kWindowHeight = 60;

class WindowPresentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.create("Present", kWindowWidth, kWindowHeight, false)) << SDL_GetError();
        window.show();
        frame.assign(kWindowWidth * kWindowHeight, 0xFF204060u);
        for (int y = 0; y < kWindowHeight; ++y)
            for (int x = 0; x < kWindowWidth; ++x)
                frame[size_t(y * kWindowWidth + x)] =
                    0xFF000000u | uint32_t(x * 3) << 16 | uint32_t(y * 4) << 8;
    }

    // The client area as the frame should make it: black bars, the picture scaled.
    std::vector<uint32_t> expected() const
    {
        const WindowRect client = window.clientRect();
        std::vector<uint32_t> pixels(size_t(client.width) * size_t(client.height), 0xFF000000u);
        scaleNearestReference(frame.data(), kWindowWidth, kWindowHeight, kWindowWidth * 4,
                              window.presentationRect(), pixels.data(), client.width * 4);
        return pixels;
    }

    bool presentChanged(std::vector<WindowRect> changed)
    {
        return window.presentChanged(frame.data(), kWindowWidth, kWindowHeight, kWindowWidth * 4, changed);
    }

    void sendWindowEvent(uint8_t what)
    {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = window.id();
        event.window.event = what;
        SDL_PushEvent(&event);
        SDL_FlushEvent(SDL_WINDOWEVENT);
    }

    Window window;
    std::vector<uint32_t> frame;
};

} // namespace

TEST_F(WindowPresentTest, UnchangedFramesAreNotShownAndChangedPartsAlone)
{
    ASSERT_TRUE(presentChanged({{0, 0, kWindowWidth, kWindowHeight}}));
    EXPECT_EQ(window.shownPixels(), expected());
    const WindowRect client = window.clientRect();
    const PresentCounts first = window.presentCounts();
    EXPECT_EQ(first.shown, 1u);

    // Nothing changed: nothing is scaled or handed over.
    ASSERT_TRUE(presentChanged({}));
    EXPECT_EQ(window.presentCounts().shown, 1u);
    EXPECT_EQ(window.presentCounts().unchanged, 1u);
    EXPECT_EQ(window.presentCounts().pixels, first.pixels);

    // One pixel changed: only the window pixels that show it are written.
    frame[size_t(10 * kWindowWidth + 20)] = 0xFFFFFFFFu;
    ASSERT_TRUE(presentChanged({{20, 10, 1, 1}}));
    EXPECT_EQ(window.shownPixels(), expected());
    EXPECT_EQ(window.presentCounts().shown, 2u);
    const uint64_t perImagePixel =
        uint64_t(client.width / kWindowWidth + 1) * uint64_t(client.height / kWindowHeight + 1);
    EXPECT_LE(window.presentCounts().pixels - first.pixels, perImagePixel);
    EXPECT_GT(window.presentCounts().pixels, first.pixels);
}

// The desktop may lose what the window showed: after these events the whole
// picture is shown again even when the frame itself did not change.
TEST_F(WindowPresentTest, TheWholePictureReturnsAfterTheWindowIsExposedOrResized)
{
    for (const uint8_t event :
         {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_SIZE_CHANGED, SDL_WINDOWEVENT_RESTORED})
    {
        ASSERT_TRUE(presentChanged({{0, 0, kWindowWidth, kWindowHeight}}));
        ASSERT_TRUE(presentChanged({}));
        const PresentCounts before = window.presentCounts();
        sendWindowEvent(event);
        ASSERT_TRUE(presentChanged({}));
        EXPECT_EQ(window.presentCounts().shown, before.shown + 1) << int(event);
        EXPECT_GE(window.presentCounts().pixels - before.pixels,
                  uint64_t(window.presentationRect().width) * uint64_t(window.presentationRect().height))
            << int(event);
    }
}

// A renderer made for the hardware path keeps the window; once it is released
// the frames go to the window's own pixels again, whole at first.
TEST_F(WindowPresentTest, FramesShowThroughARendererAndAfterItIsReleased)
{
    ASSERT_NE(window.renderDevice(), nullptr);
    ASSERT_TRUE(presentChanged({{0, 0, kWindowWidth, kWindowHeight}}));
    ASSERT_TRUE(presentChanged({}));
    EXPECT_EQ(window.presentCounts().unchanged, 1u);
    window.releaseRenderer();
    frame[0] = 0xFFFFFFFFu;
    ASSERT_TRUE(presentChanged({}));
    EXPECT_EQ(window.shownPixels(), expected());
}
