#include "framework/graphics/SysFont.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/support/GoldenImage.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

using Quib::Color;
using Quib::Graphics;
using Quib::MemoryImage;
using Quib::Rect;
using Quib::SysFont;

namespace
{

// Goldens use a face every machine of the project has, not an alias resolved
// differently from one desktop to the next.
const char* const kFace = "DejaVu Sans";

MemoryImage Canvas(int width, int height, uint32_t fill)
{
    MemoryImage image;
    image.Create(width, height);
    std::fill(image.GetBits(), image.GetBits() + size_t(width) * height, fill);
    image.MarkBitsChanged();
    return image;
}

std::vector<uint32_t> PixelsOf(MemoryImage& image)
{
    const uint32_t* bits = image.GetBits();
    return std::vector<uint32_t>(bits, bits + size_t(image.GetWidth()) * image.GetHeight());
}

} // namespace

TEST(SysFontTest, PointSizesBecomeCharacterHeights)
{
    struct Case
    {
        int a, b, c, result;
    };
    const Case cases[] = {{12, 96, 72, 16}, {10, 96, 72, 13}, {9, 96, 72, 12}, {-12, 96, 72, -16},
                          {1, 1, 2, 1},     {-1, 1, 2, -1},   {3, 5, 0, 0},    {7, 2, -4, -4}};
    for (const Case& c : cases)
        EXPECT_EQ(SysFont::MulDiv(c.a, c.b, c.c), c.result) << c.a << "*" << c.b << "/" << c.c;

    SysFont font(12, kFace);
    EXPECT_EQ(font.mCharHeight, 16);
    EXPECT_EQ(font.GetAscent(), 15);
    EXPECT_EQ(font.GetHeight(), 19);
    EXPECT_EQ(font.GetAscentPadding(), 0);
    EXPECT_EQ(font.GetLineSpacingOffset(), 0);

    SysFont unknown("No Such Face Anywhere", nullptr, 12);
    EXPECT_GT(unknown.GetHeight(), 0);
    EXPECT_GT(unknown.GetStringWidth("text"), 0);
}

TEST(SysFontTest, MeasuresEveryCharacterOnce)
{
    SysFont font(12, kFace);
    EXPECT_EQ(font.GetStringWidth(""), 0);
    EXPECT_EQ(font.GetStringWidth("a&b"),
              font.GetStringWidth("a") + font.GetCharWidth('&') + font.GetStringWidth("b"));
    EXPECT_GT(font.GetStringWidth("a&b"), font.GetStringWidth("ab"));
    EXPECT_EQ(font.GetKernedCharWidth('T', 'A'), font.GetCharWidth('T'));
    EXPECT_GT(font.GetStringWidth("\x80"), 0); // the euro sign of the single-byte code page
}

TEST(SysFontTest, DrawsTextIntoMemoryImages)
{
    MemoryImage image = Canvas(240, 80, 0xFF2E3440);
    Graphics g(&image);
    SysFont plain(12, kFace);
    g.SetFont(&plain);
    g.SetColor(Color(236, 239, 244));
    g.DrawString("Hidden & found: 7/12", 4, 18);

    SysFont shadowed(14, kFace, true);
    shadowed.mDrawShadow = true;
    g.SetFont(&shadowed);
    g.SetColor(Color(235, 203, 139));
    g.DrawStringWithColorCodes("Bold ^BF616A^shadow", 4, 44, 0, -1);

    SysFont doubled(10, kFace, false, true, true);
    doubled.mSimulateBold = true;
    g.SetFont(&doubled);
    g.SetColor(Color(163, 190, 140));
    g.DrawString("italic, underlined, drawn twice", 4, 68);
    EXPECT_TRUE(testsupport::MatchesGolden(image, "graphics/fonts_sysfont_styles.png"));
}

TEST(SysFontTest, ShadowIsOpaqueBlackAndTheRestStaysClear)
{
    SysFont font(20, kFace);
    font.mDrawShadow = true;
    MemoryImage image = Canvas(80, 40, 0xFFFFFFFF);
    Graphics g(&image);
    g.SetFont(&font);
    g.SetColor(Color(255, 0, 0));
    g.DrawString("I", 10, 30);

    const int width = font.GetStringWidth("I");
    bool sawRed = false;
    bool sawBlack = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x)
        {
            const uint32_t p = image.GetBits()[y * 80 + x];
            sawRed |= p == 0xFFFF0000;
            sawBlack |= p == 0xFF000000;
            const bool inCell = x >= 10 && x < 10 + width && y >= 30 - font.GetAscent() &&
                                y < 30 - font.GetAscent() + font.GetHeight();
            if (!inCell)
                EXPECT_EQ(p, 0xFFFFFFFFu) << x << "," << y;
        }
    EXPECT_TRUE(sawRed);
    EXPECT_TRUE(sawBlack);

    std::unique_ptr<Quib::Font> copy(font.Clone());
    EXPECT_FALSE(static_cast<SysFont*>(copy.get())->mDrawShadow);
    EXPECT_EQ(copy->GetHeight(), font.GetHeight());
    MemoryImage fromCopy = Canvas(80, 40, 0xFFFFFFFF);
    MemoryImage fromPlain = Canvas(80, 40, 0xFFFFFFFF);
    SysFont plain(20, kFace);
    Graphics copyContext(&fromCopy);
    copy->DrawString(&copyContext, 10, 30, "I", Color(255, 0, 0), Rect());
    Graphics plainContext(&fromPlain);
    plain.DrawString(&plainContext, 10, 30, "I", Color(255, 0, 0), Rect());
    EXPECT_EQ(PixelsOf(fromCopy), PixelsOf(fromPlain));
}

TEST(SysFontTest, FollowsTranslationAndClipping)
{
    SysFont font(12, kFace);
    MemoryImage moved = Canvas(100, 40, 0xFF000000);
    Graphics g(&moved);
    g.Translate(7, 3);
    g.ClipRect(0, 0, 20, 40);
    font.DrawString(&g, 5, 20, "Wide text", Color::White, Rect());

    MemoryImage direct = Canvas(100, 40, 0xFF000000);
    Graphics plain(&direct);
    font.DrawString(&plain, 12, 23, "Wide text", Color::White, Rect());

    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
        {
            const uint32_t expected = (x >= 7 && x < 27) ? direct.GetBits()[y * 100 + x] : 0xFF000000;
            ASSERT_EQ(moved.GetBits()[y * 100 + x], expected) << x << "," << y;
        }

    Graphics nowhere(&Quib::gNullImage);
    font.DrawString(&nowhere, 0, 10, "nothing", Color::White, Rect());
    EXPECT_GT(font.GetStringWidth("nothing"), 0);
}
