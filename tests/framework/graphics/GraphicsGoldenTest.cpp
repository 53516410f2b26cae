#include "framework/foundation/Color.h"
#include "framework/foundation/Matrix3.h"
#include "framework/foundation/Rect.h"
#include "framework/foundation/Transform2D.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/support/FakeImageHost.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/Sprites.h"

#include <gtest/gtest.h>
#include <vector>

using namespace Quib;

namespace
{

// Whole frames composed through the drawing context, compared with reviewed pictures.
class GraphicsGolden : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::vector<uint32_t> background = testsupport::BackgroundPixels(160, 120);
        mFrame.SetBits(background.data(), 160, 120, true);
        const std::vector<uint32_t> sprite = testsupport::SpritePixels(32, 24, 0xD05030, 4);
        mSprite.SetBits(sprite.data(), 32, 24, true);
        const std::vector<uint32_t> panel = testsupport::SpritePixels(30, 30, 0x3060C0, 2);
        mPanel.SetBits(panel.data(), 30, 30, true);
    }

    testsupport::FakeImageHost mHost;
    testsupport::ScopedImageHost mScope{&mHost};
    MemoryImage mFrame;
    MemoryImage mSprite;
    MemoryImage mPanel;
};

TEST_F(GraphicsGolden, ClippedTranslatedAndTiledDraws)
{
    Graphics g(&mFrame);
    g.SetColor(Color(20, 20, 40, 160));
    g.FillRect(4, 4, 152, 112);
    g.PushState();
    g.Translate(10.5f, 8.0f);
    g.ClipRect(0, 0, 90, 60);
    g.DrawNinePatch(Rect(-6, -4, 95, 40), &mPanel);
    g.DrawImage(&mSprite, 70, 40);
    g.SetColor(Color(255, 255, 0));
    g.DrawRect(2, 44, 30, 12);
    g.PopState();
    g.SetTintImages(true);
    g.SetColor(Color(120, 255, 120, 200));
    g.DrawImage(&mSprite, 110, 10);
    g.SetTintImages(false);
    g.mScaleX = 1.5f;
    g.mScaleY = 1.5f;
    g.DrawImage(&mSprite, 70, 45);
    g.SetUnfilteredStretch(true);
    g.DrawImage(&mSprite, 10, 50);
    EXPECT_TRUE(testsupport::MatchesGolden(mFrame, "graphics/drawing_clipped_tiled.png"));
}

TEST_F(GraphicsGolden, RotatedStretchedAndTransformedDraws)
{
    Graphics g(&mFrame);
    g.ClipRect(4, 4, 152, 112);
    for (int i = 0; i < 4; ++i)
        g.DrawImageRotated(&mSprite, 10.0f + 36.0f * float(i), 8.0f, 0.4 * i, 16.0f, 12.0f);
    g.SetTintImages(true);
    g.SetColor(Color(255, 200, 120, 180));
    g.DrawImageSubpixel(&mSprite, 120.25f, 70.5f);
    g.SetDrawMode(DRAW_MODE_ADDITIVE);
    g.DrawImageRotated(&mSprite, 96.0f, 40.0f, -0.7, 16.0f, 12.0f);
    g.SetDrawMode(DRAW_MODE_NORMAL);
    g.SetTintImages(false);
    g.DrawImageStretched(&mSprite, Rect(2, 48, 70, 40), Rect(4, 4, 24, 16));
    g.DrawImageStretched(&mSprite, Rect(60, 100, 16, 12), Rect(0, 0, 32, 24));
    Transform2D spin;
    spin.RotateDeg(25.0f);
    spin.Scale(1.25f, 0.75f);
    g.SetLinearFiltering(true);
    g.DrawImageWithTransform(&mSprite, spin, 100.0f, 95.0f);
    g.SetLinearFiltering(false);
    g.DrawImageWithTransform(&mSprite, spin, 40.0f, 100.0f);
    EXPECT_TRUE(testsupport::MatchesGolden(mFrame, "graphics/drawing_rotated_stretched.png"));
}

TEST_F(GraphicsGolden, TexturedTrianglesWithVertexColours)
{
    const TriVertex mesh[6] = {{10, 10, 0, 0, 0xFFFF0000u},   {150, 20, 1, 0, 0xFF00FF00u},
                               {30, 110, 0, 1, 0xFF0000FFu},  {150, 20, 1, 0, 0x80FFFFFFu},
                               {140, 115, 1, 1, 0x80FFFFFFu}, {30, 110, 0, 1, 0x80FFFFFFu}};
    mFrame.BlitTexturedTriangles(&mPanel, mesh, 2, Rect(0, 0, 160, 120), Color::White, DRAW_MODE_NORMAL, 0, 0,
                                 true);
    const TriVertex plain[3] = {{60, 40, 0, 0, 0}, {100, 50, 1, 0, 0}, {70, 90, 0.5f, 1, 0}};
    mFrame.BlitTexturedTriangles(&mSprite, plain, 1, Rect(0, 0, 160, 120), Color(255, 255, 255, 128),
                                 DRAW_MODE_NORMAL, 2.5f, 0, false);
    EXPECT_TRUE(testsupport::MatchesGolden(mFrame, "graphics/drawing_triangles.png"));
}

} // namespace
