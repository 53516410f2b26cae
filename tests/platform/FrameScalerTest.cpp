#include "platform/FrameScaler.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace platform;

namespace
{

std::vector<uint32_t> randomImage(int width, int height)
{
    std::mt19937 random(width * 7919 + height);
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (uint32_t& pixel : pixels)
        pixel = random();
    return pixels;
}

struct Case
{
    int imageWidth;
    int imageHeight;
    int windowWidth;
    int windowHeight;
    WindowRect target;
};

// A window's sizes the picture is shown at: the same size, the common window
// and full-screen sizes with their bars, a smaller one and odd ones.
const Case kCases[] = {
    {800, 600, 800, 600, {0, 0, 800, 600}},       {800, 600, 1024, 768, {0, 0, 1024, 768}},
    {800, 600, 1920, 1080, {240, 0, 1440, 1080}}, {800, 600, 1280, 1024, {0, 32, 1280, 960}},
    {800, 600, 640, 480, {0, 0, 640, 480}},       {800, 600, 1001, 757, {3, 3, 997, 751}},
    {64, 48, 130, 97, {0, 0, 130, 97}},
};

} // namespace

TEST(FrameScaler, WholePictureEqualsThePixelByPixelReference)
{
    for (const Case& c : kCases)
    {
        const std::vector<uint32_t> image = randomImage(c.imageWidth, c.imageHeight);
        std::vector<uint32_t> fast(size_t(c.windowWidth) * size_t(c.windowHeight), 0x12345678u);
        std::vector<uint32_t> reference = fast;
        FrameScaler scaler;
        scaler.setSize(c.imageWidth, c.imageHeight, c.target);
        scaler.scale(image.data(), c.imageWidth * 4, {0, 0, c.imageWidth, c.imageHeight}, fast.data(),
                     c.windowWidth * 4);
        scaleNearestReference(image.data(), c.imageWidth, c.imageHeight, c.imageWidth * 4, c.target,
                              reference.data(), c.windowWidth * 4);
        EXPECT_EQ(fast, reference) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(scaler.covered({0, 0, c.imageWidth, c.imageHeight}), c.target);
    }
}

// A changed part of the picture is scaled alone: exactly the window pixels that
// show it are written, with the values the whole picture gives them.
TEST(FrameScaler, PartOfThePictureWritesOnlyTheWindowPixelsThatShowIt)
{
    const WindowRect areas[] = {
        {0, 0, 1, 1},     {799, 599, 1, 1},   {123, 45, 67, 89},
        {0, 300, 800, 2}, {-10, -10, 20, 20}, {790, 590, 50, 50},
    };
    for (const Case& c : kCases)
    {
        const std::vector<uint32_t> image = randomImage(c.imageWidth, c.imageHeight);
        std::vector<uint32_t> reference(size_t(c.windowWidth) * size_t(c.windowHeight));
        scaleNearestReference(image.data(), c.imageWidth, c.imageHeight, c.imageWidth * 4, c.target,
                              reference.data(), c.windowWidth * 4);
        FrameScaler scaler;
        scaler.setSize(c.imageWidth, c.imageHeight, c.target);
        for (const WindowRect& area : areas)
        {
            constexpr uint32_t kUntouched = 0x0BADF00Du;
            std::vector<uint32_t> window(reference.size(), kUntouched);
            scaler.scale(image.data(), c.imageWidth * 4, area, window.data(), c.windowWidth * 4);
            const WindowRect out = scaler.covered(area);
            for (int y = 0; y < c.windowHeight; ++y)
                for (int x = 0; x < c.windowWidth; ++x)
                {
                    const size_t at = size_t(y) * size_t(c.windowWidth) + size_t(x);
                    const bool inside =
                        x >= out.x && x < out.x + out.width && y >= out.y && y < out.y + out.height;
                    // The pixels written are exactly those that show an image pixel of the area.
                    const bool inTarget = x >= c.target.x && x < c.target.x + c.target.width &&
                                          y >= c.target.y && y < c.target.y + c.target.height;
                    bool shows = false;
                    if (inTarget)
                    {
                        const int sx = scaler.sourceColumn(x - c.target.x);
                        const int sy = scaler.sourceRow(y - c.target.y);
                        shows = sx >= area.x && sx < area.x + area.width && sy >= area.y &&
                                sy < area.y + area.height;
                    }
                    ASSERT_EQ(inside, shows) << x << "," << y;
                    ASSERT_EQ(window[at], inside ? reference[at] : kUntouched) << x << "," << y;
                }
        }
    }
}
