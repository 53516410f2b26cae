#include "platform/ColorGlyphs.h"
#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/Painters.h"

#include <gtest/gtest.h>

namespace
{

const char* const kEmojiFont = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";

TEST(EmojiPaintTest, ColourGlyphsComeInColourWithStraightAlpha)
{
    auto face = platform::ColorGlyphFace::open(kEmojiFont);
    ASSERT_TRUE(face);
    platform::ColorGlyph bomb = face->render(0x1F4A3);
    ASSERT_GT(bomb.width, 64);
    ASSERT_EQ(bomb.pixels.size(), size_t(bomb.width) * size_t(bomb.height));
    bool coloured = false, transparentCorner = (bomb.pixels[0] >> 24) == 0;
    for (uint32_t p : bomb.pixels)
    {
        int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
        coloured = coloured || ((p >> 24) == 255 && (std::abs(r - g) > 40 || std::abs(g - b) > 40));
    }
    EXPECT_TRUE(coloured);
    EXPECT_TRUE(transparentCorner);
    EXPECT_EQ(face->render(0x41).width, 0); // the face has no plain letters
    EXPECT_FALSE(platform::ColorGlyphFace::open("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    EXPECT_FALSE(platform::ColorGlyphFace::open("/nonexistent.ttf"));
}

// The cursor's arrow tip must sit on the picture's centre, where the display puts the pointer.
TEST(EmojiPaintTest, PointerTipLiesOnTheCentre)
{
    contentgen::PaintContext context(platform::ColorGlyphFace::open(kEmojiFont));
    contentgen::ResourceEntry entry;
    entry.width = entry.height = 64;
    entry.painter = "cursor";
    entry.settings["shape"] = "arrow";
    contentgen::Canvas canvas(64, 64);
    ASSERT_TRUE(contentgen::paint(entry, context, canvas));
    int top = 64, left = 64;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if ((canvas.at(x, y) >> 24) > 128)
            {
                top = std::min(top, y);
                left = std::min(left, x);
            }
    EXPECT_GE(top, 31);
    EXPECT_LE(top, 33);
    EXPECT_GE(left, 31);
    EXPECT_LE(left, 33);
}

TEST(EmojiPaintTest, UnknownPainterIsRefused)
{
    contentgen::PaintContext context(nullptr);
    contentgen::ResourceEntry entry;
    entry.width = entry.height = 8;
    entry.painter = "watercolour";
    contentgen::Canvas canvas(8, 8);
    EXPECT_FALSE(contentgen::paint(entry, context, canvas));
}

} // namespace
