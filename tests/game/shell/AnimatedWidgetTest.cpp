#include "game/shell/AnimatedWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageAnimation.h"
#include "tests/framework/widgets/WidgetTestSupport.h"
#include "tests/game/shell/ShellTestSupport.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using shelltest::kBlack;
using shelltest::kBlue;
using shelltest::kGreen;
using shelltest::kRed;
using shelltest::PlainPicture;
using shelltest::RowPicture;

namespace
{

// "0*7 1*7" stands for seven 0s then seven 1s.
std::string Runs(const std::vector<std::pair<int, int>>& runs)
{
    std::string out;
    for (auto [frame, count] : runs)
        for (int i = 0; i < count; ++i)
            out += std::to_string(frame) + " ";
    return out;
}

TEST(AnimatedWidget, PlaysItsRowsByTheirDurations)
{
    struct Case
    {
        const char* name;
        int rows;
        std::function<void(Quib::Image&, AnimatedWidget&)> setUp;
        int updates;
        std::string frames;
        int32_t endState;
    };
    const auto loopTiming = [](Quib::Image& picture, int delay)
    {
        picture.mAnimation = std::make_unique<Quib::ImageAnimation>();
        picture.mAnimation->mType = Quib::ANIMATION_LOOP;
        picture.mAnimation->mFrameDelay = delay;
    };
    const Case cases[] = {
        {"once without timing: seven updates a row, then it ends on the last", 4,
         [](Quib::Image& p, AnimatedWidget& w) { w.SetAnimation(&p); }, 30,
         Runs({{0, 6}, {1, 7}, {2, 7}, {3, 10}}), AnimatedWidget::STATE_ENDED},
        {"loop timing with delay 2: three updates a row, then row 0 again", 3,
         [&](Quib::Image& p, AnimatedWidget& w)
         {
             loopTiming(p, 2);
             w.SetAnimation(&p);
         },
         12, Runs({{0, 2}, {1, 3}, {2, 3}, {0, 3}, {1, 1}}), AnimatedWidget::STATE_PLAYING},
        {"once timing keeps playing once", 2,
         [](Quib::Image& p, AnimatedWidget& w)
         {
             p.mAnimation = std::make_unique<Quib::ImageAnimation>();
             p.mAnimation->mType = Quib::ANIMATION_ONCE;
             p.mAnimation->mFrameDelay = 0;
             w.SetAnimation(&p);
         },
         4, Runs({{1, 4}}), AnimatedWidget::STATE_ENDED},
        {"frame limit 2 of 5 in a loop shows rows 0 and 1", 5,
         [](Quib::Image& p, AnimatedWidget& w)
         {
             w.SetAnimation(&p);
             w.SetFrameDurations({0, 0, 0, 0, 0});
             w.mPlayMode = AnimatedWidget::PLAY_LOOP;
             w.mFrameLimit = 2;
         },
         6, Runs({{1, 1}, {0, 1}, {1, 1}, {0, 1}, {1, 1}, {0, 1}}), AnimatedWidget::STATE_PLAYING},
        {"backwards from row 0 goes to the last row", 3,
         [](Quib::Image& p, AnimatedWidget& w)
         {
             w.SetAnimation(&p);
             w.SetFrameDurations({1, 1, 1});
             w.mPlayMode = AnimatedWidget::PLAY_BACKWARDS;
         },
         8, Runs({{0, 1}, {2, 2}, {1, 2}, {0, 2}, {2, 1}}), AnimatedWidget::STATE_PLAYING},
        {"more durations than rows play only the rows", 2,
         [](Quib::Image& p, AnimatedWidget& w)
         {
             w.mPicture = &p;
             w.SetFrameDurations({0, 0, 0, 0});
         },
         4, Runs({{1, 1}, {0, 1}, {1, 1}, {0, 1}}), AnimatedWidget::STATE_PLAYING},
        {"fewer durations than rows play only as many rows", 4,
         [](Quib::Image& p, AnimatedWidget& w)
         {
             w.mPicture = &p;
             w.AppendFrameDuration(0);
             w.AppendFrameDurations({0});
         },
         4, Runs({{1, 1}, {0, 1}, {1, 1}, {0, 1}}), AnimatedWidget::STATE_PLAYING},
        {"an unknown play mode stands still", 3,
         [](Quib::Image& p, AnimatedWidget& w)
         {
             w.SetAnimation(&p);
             w.mPlayMode = 7;
         },
         20, Runs({{0, 20}}), AnimatedWidget::STATE_SET_UP},
        {"no counting, no progress", 3,
         [](Quib::Image& p, AnimatedWidget& w)
         {
             w.SetAnimation(&p);
             w.mCounting = false;
         },
         20, Runs({{0, 20}}), AnimatedWidget::STATE_SET_UP},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<uint32_t> colors(size_t(c.rows), kRed);
        auto picture = RowPicture(4, 2, colors);
        AnimatedWidget widget;
        c.setUp(*picture, widget);
        std::string frames;
        for (int i = 0; i < c.updates; ++i)
        {
            widget.Update();
            frames += std::to_string(widget.mFrame) + " ";
        }
        EXPECT_EQ(frames, c.frames);
        EXPECT_EQ(widget.mState, c.endState);
    }
}

TEST(AnimatedWidget, SetAnimationSizesTheWidgetToOneFrameAtTheOrigin)
{
    auto picture = RowPicture(12, 5, {kRed, kGreen, kBlue});
    AnimatedWidget widget;
    widget.Resize(40, 50, 1, 1);
    widget.mFrame = 2;
    widget.AppendFrameDuration(9);
    widget.SetAnimation(picture.get());
    EXPECT_EQ(widget.mState, AnimatedWidget::STATE_SET_UP);
    EXPECT_EQ(widget.mPlayMode, AnimatedWidget::PLAY_ONCE);
    EXPECT_EQ(widget.mFrame, 0);
    EXPECT_EQ(widget.mFrameDurations, (std::vector<int32_t>{9, 6, 6, 6}));
    EXPECT_EQ(widget.GetFrameCount(), 3);
    EXPECT_EQ(widget.Restart(), 2);
    EXPECT_EQ(widget.GetBounds(), Quib::Rect(0, 0, 12, 5));
}

TEST(AnimatedWidget, RestartWithoutFramesAndLimitsBeyondThemStayInsideTheDurations)
{
    AnimatedWidget widget;
    EXPECT_EQ(widget.Restart(), -1);
    EXPECT_EQ(widget.mFrame, -1);
    widget.SetFrameDurations({2, 2});
    auto picture = RowPicture(4, 2, {kRed, kGreen});
    widget.SetPictureIfAny(nullptr);
    EXPECT_EQ(widget.mPicture, nullptr);
    widget.SetPictureIfAny(picture.get());
    widget.mFrameLimit = 6;
    std::string frames;
    for (int i = 0; i < 12; ++i)
    {
        widget.Update();
        frames += std::to_string(widget.mFrame) + " ";
    }
    // Frames 2 to 5 have no duration of their own and pass at once.
    EXPECT_EQ(frames, "0 0 0 1 1 1 2 3 4 5 0 0 ");
}

TEST(AnimatedWidget, SpinsByItsStepUnlessPaused)
{
    AnimatedWidget widget;
    widget.Update();
    EXPECT_EQ(widget.mAngle, 0.0);
    widget.EnableSpin();
    for (int i = 0; i < 18; ++i)
        widget.Update();
    EXPECT_NEAR(widget.mAngle, -1.0, 1e-5);
    widget.mSpinPaused = true;
    widget.Update();
    EXPECT_NEAR(widget.mAngle, -1.0, 1e-5);
}

struct Drawing : ::testing::Test
{
    Drawing()
    {
        screen.Clear(kBlack);
        // As the game runs its tree: drawing is not clipped to the widget.
        screen.mManager.mWidgetFlags &= ~Quib::TREE_CLIP;
        widget.SetAnimation(picture.get());
        widget.Move(20, 20);
    }
    void Draw()
    {
        screen.mManager.AddChild(&widget);
        screen.mManager.DrawDirtyWidgets();
    }
    uint32_t Center() { return screen.Pixel(30, 25); }

    widgettest::Screen screen;
    std::unique_ptr<Quib::MemoryImage> picture = RowPicture(20, 10, {kRed, kGreen});
    AnimatedWidget widget;
};

TEST_F(Drawing, ShowsTheCurrentRowCentredInTheWidget)
{
    widget.mFrame = 1;
    Draw();
    EXPECT_EQ(Center(), kGreen);
    EXPECT_EQ(screen.Pixel(21, 21), kGreen);
    EXPECT_EQ(screen.Pixel(38, 28), kGreen);
    EXPECT_EQ(screen.Pixel(30, 31), kBlack);
    EXPECT_EQ(screen.Pixel(41, 25), kBlack);
}

TEST_F(Drawing, ScalesAndSpinsAboutItsCentre)
{
    widget.mScaleX = 0.5f;
    widget.mRotating = true;
    widget.mAngle = std::acos(-1.0) / 2;
    Draw();
    // Turned upright, then halved across: 5 wide and 20 high about (30, 25).
    EXPECT_EQ(Center(), kRed);
    EXPECT_EQ(screen.Pixel(30, 17), kRed);
    EXPECT_EQ(screen.Pixel(30, 33), kRed);
    EXPECT_EQ(screen.Pixel(24, 25), kBlack);
    EXPECT_EQ(screen.Pixel(36, 25), kBlack);
}

TEST_F(Drawing, ShadowLiesBehindInItsColourAtItsOffset)
{
    auto dim = PlainPicture(20, 10, 0xFF404040);
    widget.mPicture = dim.get();
    widget.mFrameDurations = {6};
    widget.mShadowEnabled = true;
    widget.mShadowColor = Quib::Color(0, 0, 255, 255);
    widget.mShadowOffsetX = 4.9f;
    widget.mShadowOffsetY = 3.0f;
    Draw();
    EXPECT_EQ(Center(), 0xFF404040);
    // The shadow, 4 right and 3 down, shows beside the frame: grey tinted blue.
    EXPECT_EQ(screen.Pixel(42, 31), 0xFF000040);
    EXPECT_EQ(screen.Pixel(30, 31), 0xFF000040);
    EXPECT_EQ(screen.Pixel(45, 31), kBlack);
}

// Notes each transformed draw: where its centre went, its colour and mode.
class DrawLog : public Quib::MemoryImage
{
public:
    DrawLog() { Create(100, 100); }
    void BlitTransformed(Quib::Image* source, float x, float y, const Quib::Matrix3& matrix,
                         const Quib::Rect& clip, const Quib::Color& color, int32_t drawMode,
                         const Quib::Rect& srcRect, bool linearFilter) override
    {
        mDraws.push_back(std::to_string(int(x)) + "," + std::to_string(int(y)) + " " +
                         std::to_string(color.PackARGB()) + " mode " + std::to_string(drawMode) + " row y " +
                         std::to_string(srcRect.mY) + (linearFilter ? " linear" : ""));
        MemoryImage::BlitTransformed(source, x, y, matrix, clip, color, drawMode, srcRect, linearFilter);
    }
    std::vector<std::string> mDraws;
};

TEST_F(Drawing, DrawsShadowThenFrameThenTheAdditiveCopyAndLeavesFilteringOff)
{
    DrawLog log;
    Quib::Graphics g(&log);
    widget.mFrame = 1;
    widget.mShadowEnabled = true;
    widget.mShadowColor = Quib::Color(1, 2, 3, 4);
    widget.mShadowOffsetX = -2.7f;
    widget.mShadowOffsetY = 1.2f;
    widget.mColor = Quib::Color(5, 6, 7, 8);
    widget.mAdditivePass = true;
    widget.DrawOverlay(&g);
    const auto argb = [](const Quib::Color& c) { return std::to_string(c.PackARGB()); };
    EXPECT_EQ(log.mDraws, (std::vector<std::string>{
                              "8,6 " + argb(Quib::Color(1, 2, 3, 4)) + " mode 0 row y 10 linear",
                              "10,5 " + argb(Quib::Color(5, 6, 7, 8)) + " mode 0 row y 10 linear",
                              "10,5 " + argb(Quib::Color(5, 6, 7, 8)) + " mode 1 row y 10 linear",
                          }));
    EXPECT_EQ(g.GetDrawMode(), Quib::DRAW_MODE_NORMAL);
    EXPECT_FALSE(g.mLinearFiltering);
}

TEST_F(Drawing, WithAnOverlayPriorityItDrawsInTheOverlayPass)
{
    widget.mOverlayPriority = 5;
    Quib::Graphics g(&screen.mImage);
    g.Translate(20, 20);
    widget.Draw(&g);
    EXPECT_EQ(Center(), kBlack);
    Draw();
    EXPECT_EQ(Center(), kRed);
}

TEST_F(Drawing, AFrameOutsideThePictureDrawsNothing)
{
    widget.mFrame = 2;
    Draw();
    EXPECT_EQ(Center(), kBlack);
    widget.mFrame = -1;
    widget.MarkDirty();
    screen.mManager.DrawDirtyWidgets();
    EXPECT_EQ(Center(), kBlack);
}

} // namespace
