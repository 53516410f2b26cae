#include "framework/graphics/Graphics.h"

#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/foundation/Transform2D.h"
#include "framework/graphics/DoubleRect.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/HardwareDrawTarget.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace Quib;

namespace
{

// Records every drawing call the context hands to its destination.
struct Call
{
    std::string op;
    Rect rect; // fill / outline rectangle, or destination rectangle of stretches
    Rect src;  // source rectangle of blits
    int x = 0, y = 0;
    float fx = 0, fy = 0;
    double line[4] = {0, 0, 0, 0};
    Color color;
    bool flag = false;
};

class RecordingImage : public Image
{
public:
    RecordingImage(int w, int h)
    {
        mWidth = w;
        mHeight = h;
    }

    void FillRect(const Rect& rect, const Color& color, int32_t) override
    {
        calls.push_back({"FillRect", rect, {}, 0, 0, 0, 0, {}, color});
    }
    void DrawRect(const Rect& rect, const Color& color, int32_t) override
    {
        calls.push_back({"DrawRect", rect, {}, 0, 0, 0, 0, {}, color});
    }
    void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int32_t) override
    {
        calls.push_back({"DrawLine", {}, {}, 0, 0, 0, 0, {x1, y1, x2, y2}, color});
    }
    void DrawAntialiasedLine(double x1, double y1, double x2, double y2, const Color& color, int32_t) override
    {
        calls.push_back({"DrawAntialiasedLine", {}, {}, 0, 0, 0, 0, {x1, y1, x2, y2}, color});
    }
    void Blit(Image*, int32_t x, int32_t y, const Rect& src, const Color& color, int32_t) override
    {
        calls.push_back({"Blit", {}, src, x, y, 0, 0, {}, color});
    }
    void BlitMirrored(Image*, int32_t x, int32_t y, const Rect& src, const Color& color, int32_t) override
    {
        calls.push_back({"BlitMirrored", {}, src, x, y, 0, 0, {}, color});
    }
    void BlitStretched(Image*, const Rect& dest, const Rect& src, const Rect& clip, const Color& color,
                       int32_t, bool unfiltered) override
    {
        calls.push_back({"BlitStretched", dest, src, clip.mX, clip.mY, 0, 0, {}, color, unfiltered});
    }
    void BlitStretchedMirrored(Image*, const Rect& dest, const Rect& src, const Rect&, const Color& color,
                               int32_t, bool) override
    {
        calls.push_back({"BlitStretchedMirrored", dest, src, 0, 0, 0, 0, {}, color});
    }
    void BlitSubpixel(Image*, float x, float y, const Rect& src, const Rect&, const Color& color,
                      int32_t) override
    {
        calls.push_back({"BlitSubpixel", {}, src, 0, 0, x, y, {}, color});
    }
    void BlitRotated(Image*, float x, float y, const Rect& src, const Rect&, const Color& color, int32_t,
                     double angle, float cx, float cy) override
    {
        calls.push_back({"BlitRotated", {}, src, 0, 0, x, y, {angle, cx, cy, 0}, color});
    }

    void BlitTransformed(Image*, float x, float y, const Matrix3& matrix, const Rect& clip,
                         const Color& color, int32_t, const Rect& src, bool linear) override
    {
        calls.push_back(
            {"BlitTransformed", clip, src, 0, 0, x, y, {matrix.m00, matrix.m01, 0, 0}, color, linear});
    }

    std::vector<Call> calls;
};

// A destination that says it draws through the hardware path.
class HardwareImage : public RecordingImage, public HardwareDrawTarget
{
public:
    HardwareImage() : RecordingImage(100, 80) {}
    bool IsDrawnThrough3D() const override { return true; }
};

class GraphicsTest : public ::testing::Test
{
protected:
    RecordingImage mScreen{100, 80};
    RecordingImage mSprite{10, 10};
    Graphics mG{&mScreen};
};

TEST_F(GraphicsTest, NewContextCoversItsDestinationWithDefaultState)
{
    EXPECT_EQ(mG.mClipRect, Rect(0, 0, 100, 80));
    EXPECT_EQ(mG.GetColor(), Color(0, 0, 0, 255));
    EXPECT_EQ(mG.GetDrawMode(), DRAW_MODE_NORMAL);
    EXPECT_EQ(mG.GetFont(), nullptr);
    EXPECT_FALSE(mG.GetTintImages());
    EXPECT_TRUE(mG.mColorCodesEnabled);
}

TEST_F(GraphicsTest, ContextWithoutDestinationDrawsNothingAndNeverFails)
{
    Graphics g(nullptr);
    EXPECT_EQ(g.mDestImage, &gNullImage);
    EXPECT_EQ(g.mClipRect, Rect(0, 0, 0, 0));
    g.SetColor(Color::White);
    g.FillRect(0, 0, 10, 10);
    g.DrawRect(0, 0, 10, 10);
    g.DrawLine(0, 0, 10, 10);
    g.DrawImage(&mSprite, 0, 0);
    g.DrawImageRotated(&mSprite, 1.0f, 1.0f, 0.5, 2.0f, 2.0f);
    g.DrawNinePatch(Rect(0, 0, 50, 50), &mSprite);
    g.DrawString("text", 0, 0);
    EXPECT_TRUE(mSprite.calls.empty());
}

TEST_F(GraphicsTest, FillRectSkipsClearColourAndClipsTheRest)
{
    mG.SetColor(Color(1, 2, 3, 0));
    mG.FillRect(0, 0, 10, 10);
    EXPECT_TRUE(mScreen.calls.empty());

    mG.SetColor(Color(1, 2, 3, 128));
    mG.Translate(-5, 75);
    mG.FillRect(0, 0, 10, 10);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].rect, Rect(0, 75, 5, 5));
    EXPECT_EQ(mScreen.calls[0].color, Color(1, 2, 3, 128));
}

TEST_F(GraphicsTest, LinesAreCutAtTheClipEdgesAlongBothAxes)
{
    mG.ClipRect(10, 20, 50, 40); // x 10..59, y 20..59
    const struct
    {
        int x1, y1, x2, y2;
        double cut[4];
    } cases[] = {
        {0, 30, 100, 30, {10, 30, 59, 30}}, {30, 0, 30, 100, {30, 20, 30, 59}},
        {0, 0, 80, 80, {20, 20, 59, 59}},   {80, 80, 0, 0, {20, 20, 59, 59}},
        {0, 70, 70, 0, {50, 20, 11, 59}},
    };
    for (const auto& c : cases)
    {
        mScreen.calls.clear();
        mG.DrawLine(c.x1, c.y1, c.x2, c.y2);
        ASSERT_EQ(mScreen.calls.size(), 1u) << c.x1 << "," << c.y1;
        EXPECT_EQ(mScreen.calls[0].op, "DrawLine");
        for (int i = 0; i < 4; ++i)
            EXPECT_DOUBLE_EQ(mScreen.calls[0].line[i], c.cut[i]) << c.x1 << "," << c.y1 << " [" << i << "]";
    }

    mScreen.calls.clear();
    mG.DrawLine(0, 0, 5, 100);
    mG.DrawLine(0, 10, 100, 15);
    mG.DrawLine(60, 0, 90, 100);
    mG.DrawAntialiasedLine(0, 0, 100, 5);
    EXPECT_TRUE(mScreen.calls.empty());

    mG.Translate(-10, 0);
    mG.DrawAntialiasedLine(10, 0, 90, 80);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].op, "DrawAntialiasedLine");
    const double cut[4] = {20, 20, 59, 59};
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(mScreen.calls[0].line[i], cut[i]) << i;
}

TEST_F(GraphicsTest, DrawRectIsOneOutlineInsideTheClipAndFourClippedFillsOtherwise)
{
    mG.SetColor(Color::White);
    mG.DrawRect(0, 0, 10, 5);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].op, "DrawRect");
    EXPECT_EQ(mScreen.calls[0].rect, Rect(0, 0, 10, 5));

    mScreen.calls.clear();
    mG.ClipRect(0, 0, 10, 80); // the right column (x = 10) is now outside
    mG.DrawRect(0, 0, 10, 5);
    ASSERT_EQ(mScreen.calls.size(), 4u);
    const Rect expected[4] = {Rect(0, 0, 10, 1), Rect(0, 5, 10, 1), Rect(0, 1, 1, 4), Rect(10, 1, 0, 4)};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(mScreen.calls[size_t(i)].op, "FillRect");
        EXPECT_EQ(mScreen.calls[size_t(i)].rect, expected[i]) << i;
    }
}

TEST_F(GraphicsTest, TranslationIsCutTowardZero)
{
    struct Case
    {
        float tx, ty;
        int x, y;
        int expectX, expectY;
    };
    const Case cases[] = {{0.5f, 0.5f, 0, 0, 0, 0},
                          {-0.5f, 0.0f, 0, 0, 0, 0},
                          {0.75f, 0.0f, 1, 0, 1, 0},
                          {-1.5f, 0.0f, 5, 0, 3, 0},
                          {2.0f, 3.0f, 4, 5, 6, 8}};
    for (const Case& c : cases)
    {
        Graphics g(&mScreen);
        g.Translate(c.tx, c.ty);
        mScreen.calls.clear();
        g.DrawImage(&mSprite, c.x, c.y);
        ASSERT_EQ(mScreen.calls.size(), 1u);
        EXPECT_EQ(mScreen.calls[0].x, c.expectX) << c.tx;
        EXPECT_EQ(mScreen.calls[0].y, c.expectY) << c.ty;
    }
}

TEST_F(GraphicsTest, ImageCutByTheClipBlitsOnlyTheVisiblePart)
{
    mG.DrawImage(&mSprite, -3, 75);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].x, 0);
    EXPECT_EQ(mScreen.calls[0].y, 75);
    EXPECT_EQ(mScreen.calls[0].src, Rect(3, 0, 7, 5));

    // The mirrored draw removes the columns cut on the screen's left from the source's right.
    mScreen.calls.clear();
    mG.DrawImageMirrored(&mSprite, -3, 75, Rect(0, 0, 10, 10), true);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].op, "BlitMirrored");
    EXPECT_EQ(mScreen.calls[0].src, Rect(0, 0, 7, 5));

    mScreen.calls.clear();
    mG.DrawImage(&mSprite, 100, 0);
    mG.DrawImage(&mSprite, 0, -10);
    EXPECT_TRUE(mScreen.calls.empty());
}

TEST_F(GraphicsTest, SourceRectangleBeyondTheImageDrawsNothing)
{
    mG.DrawImage(&mSprite, 0, 0, Rect(1, 0, 10, 10));
    mG.DrawImage(&mSprite, 0, 0, Rect(0, 1, 10, 10));
    mG.DrawImageMirrored(&mSprite, 0, 0, Rect(1, 0, 10, 10), true);
    EXPECT_TRUE(mScreen.calls.empty());
    mG.DrawImage(&mSprite, 0, 0, Rect(1, 1, 9, 9));
    EXPECT_EQ(mScreen.calls.size(), 1u);
}

TEST_F(GraphicsTest, PushChangePopRestoresEveryField)
{
    Font* font = reinterpret_cast<Font*>(&mSprite);
    mG.PopState(); // empty stack: ignored
    EXPECT_EQ(mG.mClipRect, Rect(0, 0, 100, 80));

    mG.PushState();
    mG.SetColor(Color(9, 8, 7, 6));
    mG.Translate(3.5f, 4.0f);
    mG.ClipRect(10, 10, 20, 20);
    mG.SetFont(font);
    mG.SetDrawMode(DRAW_MODE_ADDITIVE);
    mG.SetTintImages(true);
    mG.SetLinearFiltering(true);
    mG.SetUnfilteredStretch(true);
    mG.mScaleX = 2.0f;
    mG.PopState();

    EXPECT_EQ(mG.GetColor(), Color(0, 0, 0, 255));
    EXPECT_EQ(mG.mTransX, 0.0f);
    EXPECT_EQ(mG.mTransY, 0.0f);
    EXPECT_EQ(mG.mClipRect, Rect(0, 0, 100, 80));
    EXPECT_EQ(mG.GetFont(), nullptr);
    EXPECT_EQ(mG.GetDrawMode(), DRAW_MODE_NORMAL);
    EXPECT_FALSE(mG.GetTintImages());
    EXPECT_FALSE(mG.mLinearFiltering);
    EXPECT_FALSE(mG.mUnfilteredStretch);
    EXPECT_EQ(mG.mScaleX, 1.0f);

    // A copy takes the current state but not the stack.
    mG.SetColor(Color::White);
    mG.PushState();
    mG.SetColor(Color(1, 1, 1));
    Graphics copy(mG);
    copy.PopState();
    EXPECT_EQ(copy.GetColor(), Color(1, 1, 1));
    std::unique_ptr<Graphics> heap(mG.CreateCopy());
    EXPECT_EQ(heap->GetColor(), Color(1, 1, 1));
}

TEST_F(GraphicsTest, ClipRectOnlyEverNarrows)
{
    mG.Translate(5, 5);
    mG.ClipRect(0, 0, 20, 20);
    EXPECT_EQ(mG.mClipRect, Rect(5, 5, 20, 20));
    mG.ClipRect(-100, -100, 1000, 1000);
    EXPECT_EQ(mG.mClipRect, Rect(5, 5, 20, 20));
    mG.ClipRect(200, 200, 5, 5);
    EXPECT_EQ(mG.mClipRect, Rect(0, 0, 0, 0));
    mG.ClipRect(0, 0, 100, 100);
    EXPECT_EQ(mG.mClipRect.mWidth, 0);
    EXPECT_EQ(mG.mClipRect.mHeight, 0);
}

TEST(RectIntersectionTest, TouchingGivesAnEdgeAndDisjointGivesZero)
{
    EXPECT_EQ(Rect(0, 0, 10, 10).Intersection(Rect(10, 0, 5, 5)), Rect(10, 0, 0, 5));
    EXPECT_EQ(Rect(0, 0, 10, 10).Intersection(Rect(11, 0, 5, 5)), Rect(0, 0, 0, 0));
    EXPECT_EQ(DoubleRect(0, 0, 10, 10).Intersection(DoubleRect(10, 0, 5, 5)), DoubleRect(10, 0, 0, 5));
    EXPECT_EQ(DoubleRect(0, 0, 10, 10).Intersection(DoubleRect(10.5, 0, 5, 5)), DoubleRect());
    EXPECT_EQ(DoubleRect(0.5, 0.5, 10, 10).Intersection(DoubleRect(2, -1, 3, 4)), DoubleRect(2, 0.5, 3, 2.5));
}

TEST_F(GraphicsTest, LinesAreClippedToTheLastPixelAndHandedOnTopEndFirst)
{
    mG.ClipRect(0, 0, 10, 10);
    mG.SetColor(Color(0, 0, 0, 0)); // alpha is not tested for lines
    mG.DrawLine(-10, 5, 20, 5);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].line[0], 0.0);
    EXPECT_EQ(mScreen.calls[0].line[1], 5.0);
    EXPECT_EQ(mScreen.calls[0].line[2], 9.0);
    EXPECT_EQ(mScreen.calls[0].line[3], 5.0);

    mScreen.calls.clear();
    mG.DrawLine(0, -5, 9, -1); // wholly above
    mG.DrawLine(-5, 0, -1, 9); // wholly left
    mG.DrawLine(3, 10, 3, 20); // wholly below
    EXPECT_TRUE(mScreen.calls.empty());

    mG.DrawLine(4, 20, 4, -20); // vertical: no division by zero, top end first
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].line[0], 4.0);
    EXPECT_EQ(mScreen.calls[0].line[1], 0.0);
    EXPECT_EQ(mScreen.calls[0].line[2], 4.0);
    EXPECT_EQ(mScreen.calls[0].line[3], 9.0);

    mScreen.calls.clear();
    mG.DrawLine(-10, -10, 20, 20); // diagonal through both corners
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].line[0], 0.0);
    EXPECT_EQ(mScreen.calls[0].line[1], 0.0);
    EXPECT_EQ(mScreen.calls[0].line[2], 9.0);
    EXPECT_EQ(mScreen.calls[0].line[3], 9.0);
}

TEST_F(GraphicsTest, NinePatchTilesEdgesAndCentreAndCutsTheLastTile)
{
    RecordingImage patch(30, 30);
    mG.DrawNinePatch(Rect(0, 0, 95, 40), &patch);
    int corners = 0, top = 0, bottom = 0, left = 0, right = 0, centre = 0, cut = 0;
    for (const Call& c : mScreen.calls)
    {
        ASSERT_EQ(c.op, "Blit");
        const Rect& s = c.src;
        if (s.mWidth == 10 && s.mHeight == 10 && (s.mX != 10 || s.mY != 10) &&
            ((s.mX == 0 || s.mX == 20) && (s.mY == 0 || s.mY == 20)) && (c.x == 0 || c.x == 85) &&
            (c.y == 0 || c.y == 30))
            ++corners;
        else if (s.mX >= 10 && s.mX < 20 && s.mY == 0)
            ++top;
        else if (s.mX >= 10 && s.mX < 20 && s.mY == 20)
            ++bottom;
        else if (s.mX == 0 && s.mY == 10)
            ++left;
        else if (s.mX == 20 && s.mY == 10)
            ++right;
        else if (s.mX == 10 && s.mY == 10)
            ++centre;
        if (s.mWidth == 5)
            ++cut;
    }
    EXPECT_EQ(corners, 4);
    EXPECT_EQ(top, 8);
    EXPECT_EQ(bottom, 8);
    EXPECT_EQ(left, 2);
    EXPECT_EQ(right, 2);
    EXPECT_EQ(centre, 16);
    EXPECT_EQ(cut, 2 + 2);                        // last top, last bottom, last centre column (2 rows)
    EXPECT_EQ(mG.mClipRect, Rect(0, 0, 100, 80)); // the bands' clips stay in their copies
}

TEST_F(GraphicsTest, NarrowNinePatchHasNoCornersAndAWholeMiddle)
{
    RecordingImage patch(2, 6);
    mG.DrawNinePatch(Rect(0, 0, 4, 6), &patch);
    // Corner width 0: corner and side draws are empty; the middle is the whole width.
    bool sawMiddle = false;
    for (const Call& c : mScreen.calls)
        if (c.src.mX == 0 && c.src.mWidth == 2)
            sawMiddle = true;
    EXPECT_TRUE(sawMiddle);
    for (const Call& c : mScreen.calls)
        EXPECT_GT(c.src.mWidth, 0);
}

TEST_F(GraphicsTest, ImageCellsOutsideTheGridDrawNothing)
{
    RecordingImage sheet(40, 20);
    sheet.mColumns = 4;
    sheet.mRows = 2;
    mG.DrawImageCell(&sheet, 0, 0, 1, 2);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].src, Rect(20, 10, 10, 10));
    mScreen.calls.clear();
    mG.DrawImageCell(&sheet, 0, 0, 5);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].src, Rect(10, 10, 10, 10));
    mScreen.calls.clear();
    mG.DrawImageCell(&sheet, 0, 0, 2, 0);
    mG.DrawImageCell(&sheet, 0, 0, 0, 4);
    mG.DrawImageCell(&sheet, 0, 0, -1, 0);
    mG.DrawImageCell(&sheet, 0, 0, -1);
    mG.DrawImageCell(&sheet, 0, 0, 8);
    EXPECT_TRUE(mScreen.calls.empty());
}

TEST_F(GraphicsTest, StateScaleStretchesFromTheFlooredPosition)
{
    mG.mScaleX = 2.0f;
    mG.mScaleY = 2.0f;
    mG.SetUnfilteredStretch(true);
    mG.DrawImage(&mSprite, 3, 3);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].op, "BlitStretched");
    EXPECT_EQ(mScreen.calls[0].rect, Rect(6, 6, 20, 20));
    EXPECT_EQ(mScreen.calls[0].src, Rect(0, 0, 10, 10));
    EXPECT_TRUE(mScreen.calls[0].flag);

    mScreen.calls.clear();
    mG.mScaleX = 1.5f;
    mG.mScaleY = 0.5f;
    mG.mScaleOrigX = 1.0f;
    mG.DrawImage(&mSprite, 4, 3, Rect(0, 0, 3, 3));
    ASSERT_EQ(mScreen.calls.size(), 1u);
    // floor((4 - 1) x 1.5) + 1 = 5, floor(3 x 0.5) = 1; ceil(4.5) = 5, ceil(1.5) = 2
    EXPECT_EQ(mScreen.calls[0].rect, Rect(5, 1, 5, 2));
}

TEST_F(GraphicsTest, ImagesAreTintedOnlyWhenAsked)
{
    mG.SetColor(Color(10, 20, 30, 40));
    mG.DrawImage(&mSprite, 0, 0);
    mG.SetTintImages(true);
    mG.DrawImage(&mSprite, 0, 0);
    ASSERT_EQ(mScreen.calls.size(), 2u);
    EXPECT_EQ(mScreen.calls[0].color, Color::White);
    EXPECT_EQ(mScreen.calls[1].color, Color(10, 20, 30, 40));
}

TEST_F(GraphicsTest, FloatDrawsPassTranslatedPositionsAndLeaveTheCentreAlone)
{
    mG.Translate(1.25f, 2.5f);
    mG.DrawImageSubpixel(&mSprite, 0.5f, 0.25f);
    mG.DrawImageRotated(&mSprite, 3, 4, 0.5, 5, 6);
    ASSERT_EQ(mScreen.calls.size(), 2u);
    EXPECT_EQ(mScreen.calls[0].fx, 1.75f);
    EXPECT_EQ(mScreen.calls[0].fy, 2.75f);
    EXPECT_EQ(mScreen.calls[1].fx, 4.25f);
    EXPECT_EQ(mScreen.calls[1].fy, 6.5f);
    EXPECT_EQ(mScreen.calls[1].line[1], 5.0);
    EXPECT_EQ(mScreen.calls[1].line[2], 6.0);
}

TEST_F(GraphicsTest, TransformsTakeTheirFastPathsAroundTheSameCentre)
{
    Transform2D plain;
    mG.DrawImageWithTransform(&mSprite, plain, 50.0f, 40.0f);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].op, "Blit");
    EXPECT_EQ(mScreen.calls[0].x, 45);
    EXPECT_EQ(mScreen.calls[0].y, 35);

    mScreen.calls.clear();
    Transform2D mirror;
    mirror.Scale(-1.0f, 1.0f);
    mG.DrawImageWithTransform(&mSprite, mirror, 50.0f, 40.0f);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].op, "BlitMirrored");
    EXPECT_EQ(mScreen.calls[0].x, 45);
    EXPECT_EQ(mScreen.calls[0].y, 35);

    mScreen.calls.clear();
    Transform2D twice;
    twice.Scale(2.0f, 2.0f);
    mG.DrawImageWithTransform(&mSprite, twice, 50.0f, 40.0f);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].op, "BlitStretched");
    EXPECT_EQ(mScreen.calls[0].rect, Rect(40, 30, 20, 20));

    mScreen.calls.clear();
    Transform2D turned;
    turned.RotateRad(0.25f);
    mG.DrawImageWithTransformSubpixel(&mSprite, turned, 50.0f, 40.0f);
    ASSERT_EQ(mScreen.calls.size(), 1u);
    EXPECT_EQ(mScreen.calls[0].op, "BlitRotated");
    EXPECT_EQ(mScreen.calls[0].fx, 45.5f);
    EXPECT_EQ(mScreen.calls[0].fy, 35.5f);
    EXPECT_FLOAT_EQ(float(mScreen.calls[0].line[0]), 0.25f);
    EXPECT_EQ(mScreen.calls[0].line[1], 5.0);
}

TEST_F(GraphicsTest, MatrixAndStretchedDrawsLeaveClippingToTheImage)
{
    mG.Translate(2, 3);
    mG.ClipRect(0, 0, 50, 50);
    mG.SetLinearFiltering(true);
    Matrix3 turn;
    turn.RotateRad(0.5f);
    mG.DrawImageWithMatrix(&mSprite, turn, 10.0f, 20.0f);
    mG.DrawImageMirrored(&mSprite, Rect(-5, -5, 30, 20), Rect(1, 1, 8, 8), true);
    mG.DrawImageMirrored(&mSprite, Rect(-5, -5, 30, 20), Rect(1, 1, 8, 8), false);
    ASSERT_EQ(mScreen.calls.size(), 3u);
    EXPECT_EQ(mScreen.calls[0].op, "BlitTransformed");
    EXPECT_EQ(mScreen.calls[0].fx, 12.0f);
    EXPECT_EQ(mScreen.calls[0].fy, 23.0f);
    EXPECT_EQ(mScreen.calls[0].rect, Rect(2, 3, 50, 50));
    EXPECT_EQ(mScreen.calls[0].src, Rect(0, 0, 10, 10));
    EXPECT_FLOAT_EQ(float(mScreen.calls[0].line[1]), turn.m01);
    EXPECT_TRUE(mScreen.calls[0].flag);
    EXPECT_EQ(mScreen.calls[1].op, "BlitStretchedMirrored");
    EXPECT_EQ(mScreen.calls[1].rect, Rect(-3, -2, 30, 20));
    EXPECT_EQ(mScreen.calls[2].op, "BlitStretched");
    EXPECT_EQ(mScreen.calls[2].rect, Rect(-3, -2, 30, 20));
}

TEST_F(GraphicsTest, SubpixelTransformsGoThroughTheMatrixOnTheHardwarePath)
{
    HardwareImage screen;
    Graphics g(&screen);
    Transform2D turned;
    turned.RotateRad(0.25f);
    g.DrawImageWithTransformSubpixel(&mSprite, turned, 50.0f, 40.0f);
    g.DrawImageWithTransform(&mSprite, turned, 50.0f, 40.0f);
    ASSERT_EQ(screen.calls.size(), 2u);
    EXPECT_EQ(screen.calls[0].op, "BlitTransformed");
    EXPECT_EQ(screen.calls[1].op, "BlitRotated");
    EXPECT_EQ(screen.calls[1].fx, 45.0f); // the integer form cuts the position toward zero
}

class RecordingFont : public Font
{
public:
    void DrawString(Graphics* g, int x, int y, const std::string& text, const Color& color,
                    const Rect& clip) override
    {
        seen = {g, x, y, text, color, clip};
    }
    Font* Clone() override { return new RecordingFont(*this); }

    struct
    {
        Graphics* g = nullptr;
        int x = 0, y = 0;
        std::string text;
        Color color;
        Rect clip;
    } seen;
};

TEST_F(GraphicsTest, TextGoesToTheFontWithUntranslatedCoordinates)
{
    RecordingFont font;
    mG.Translate(7, 8);
    mG.SetColor(Color(1, 2, 3));
    mG.DrawString("no font", 1, 2);
    mG.SetFont(&font);
    mG.DrawString("hello", 1, 2);
    EXPECT_EQ(font.seen.g, &mG);
    EXPECT_EQ(font.seen.x, 1);
    EXPECT_EQ(font.seen.y, 2);
    EXPECT_EQ(font.seen.text, "hello");
    EXPECT_EQ(font.seen.color, Color(1, 2, 3));
    EXPECT_EQ(font.seen.clip, Rect(0, 0, 100, 80));
}

} // namespace
