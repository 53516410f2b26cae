#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/Sprites.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace Quib;

namespace
{

// Composed frames of the memory image's own operations, compared with pictures kept in
// tests/fixtures/graphics (ORVELLAN_UPDATE_GOLDEN=1 rewrites them after a deliberate change).
class ImageGolden : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::vector<uint32_t> background = testsupport::BackgroundPixels(kWidth, kHeight);
        mFrame.SetBits(background.data(), kWidth, kHeight, true);
    }

    static void Load(MemoryImage& image, const std::vector<uint32_t>& pixels, int width, int height)
    {
        image.SetBits(pixels.data(), width, height, true);
    }

    static constexpr int kWidth = 160;
    static constexpr int kHeight = 120;
    testsupport::FakeImageHost mHost;
    testsupport::ScopedImageHost mScope{&mHost};
    MemoryImage mFrame;
};

} // namespace

TEST_F(ImageGolden, SpritesTintsAndFills)
{
    MemoryImage sprite;
    Load(sprite, testsupport::SpritePixels(40, 32, 0xD04020, 5), 40, 32);
    MemoryImage sheet;
    std::vector<uint32_t> cells = testsupport::SpritePixels(48, 16, 0x30C060, 3);
    Load(sheet, cells, 48, 16);
    sheet.mColumns = 3;

    mFrame.Blit(&sprite, 8, 8, Rect(0, 0, 40, 32), Color::White, DRAW_MODE_NORMAL);
    mFrame.Blit(&sprite, 56, 8, Rect(0, 0, 40, 32), Color(160, 160, 160), DRAW_MODE_NORMAL);
    mFrame.Blit(&sprite, 104, 8, Rect(0, 0, 40, 32), Color(80, 160, 255, 180), DRAW_MODE_NORMAL);
    mFrame.Blit(&sprite, 140, 100, Rect(0, 0, 40, 32), Color::White, DRAW_MODE_NORMAL);
    for (int cell = 0; cell < 3; ++cell)
    {
        const int w = sheet.GetCellWidth();
        mFrame.Blit(&sheet, 8 + cell * 20, 50, Rect(cell * w, 0, w, 16), Color::White, DRAW_MODE_NORMAL);
    }
    mFrame.FillRect(Rect(80, 50, 60, 20), Color(255, 255, 255, 96), DRAW_MODE_NORMAL);
    mFrame.DrawRect(Rect(78, 48, 63, 23), Color(0, 0, 0, 200), DRAW_MODE_NORMAL);
    mFrame.ClearRect(Rect(8, 80, 30, 30));
    mFrame.Blit(&sprite, 0, 76, Rect(0, 0, 40, 32), Color::White, DRAW_MODE_NORMAL);
    EXPECT_TRUE(testsupport::MatchesGolden(mFrame, "graphics/images_sprites.png"));
}

TEST_F(ImageGolden, AdditiveGlow)
{
    MemoryImage glow;
    Load(glow, testsupport::SpritePixels(48, 48, 0x8060FF, 16), 48, 48);
    MemoryImage flat;
    std::vector<uint32_t> flatPixels = testsupport::SpritePixels(32, 32, 0x406020, 2);
    Load(flat, flatPixels, 32, 32);
    flat.ForceTransparencyFlags(false, false);

    mFrame.Blit(&glow, 10, 10, Rect(0, 0, 48, 48), Color::White, DRAW_MODE_ADDITIVE);
    mFrame.Blit(&glow, 40, 30, Rect(0, 0, 48, 48), Color::White, DRAW_MODE_ADDITIVE);
    mFrame.Blit(&glow, 90, 20, Rect(0, 0, 48, 48), Color(255, 128, 0, 200), DRAW_MODE_ADDITIVE);
    mFrame.Blit(&flat, 100, 80, Rect(0, 0, 32, 32), Color::White, DRAW_MODE_ADDITIVE);
    mFrame.Blit(&flat, 20, 80, Rect(0, 0, 32, 32), Color(0, 255, 255, 128), DRAW_MODE_ADDITIVE);
    EXPECT_TRUE(testsupport::MatchesGolden(mFrame, "graphics/images_additive.png"));
}

TEST_F(ImageGolden, LinesAndCoverage)
{
    for (int i = 0; i < 12; ++i)
    {
        const double angle = i * 3.14159265358979 / 12;
        const double x2 = 40 + 35 * std::cos(angle);
        const double y2 = 60 + 35 * std::sin(angle) * (i % 2 == 0 ? 1 : -1);
        mFrame.DrawLine(40.0, 60.0, x2, y2, Color(255, 255, 0), DRAW_MODE_NORMAL);
        mFrame.DrawAntialiasedLine(120.0, 60.0, 80 + x2, y2, Color(255, 255, 255, 200), DRAW_MODE_NORMAL);
    }
    mFrame.DrawLine(5.5, 110.25, 150.75, 100.5, Color(0, 255, 0, 100), DRAW_MODE_ADDITIVE);
    mFrame.DrawLine(5.0, 5.0, 150.0, 5.0, Color(255, 0, 0, 128), DRAW_MODE_NORMAL);

    // A disc of coverage, as a rasterised glyph would give.
    std::vector<uint8_t> coverage(30 * 30);
    std::vector<Span> spans;
    for (int y = 0; y < 30; ++y)
    {
        for (int x = 0; x < 30; ++x)
        {
            const double d = std::hypot(x - 14.5, y - 14.5);
            coverage[size_t(y * 30 + x)] = uint8_t(std::clamp((14.0 - d) * 128.0, 0.0, 255.0));
        }
        spans.push_back({100 - 15 + y, 20, 30});
    }
    mFrame.FillSpansWithCoverage(spans.data(), int32_t(spans.size()), Color(40, 80, 255, 220),
                                 DRAW_MODE_NORMAL, coverage.data(), 20, 85, 30);
    EXPECT_TRUE(testsupport::MatchesGolden(mFrame, "graphics/images_lines.png"));
}
