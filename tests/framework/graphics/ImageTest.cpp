#include "framework/graphics/Image.h"

#include "framework/foundation/Color.h"
#include "framework/foundation/Rect.h"
#include "framework/graphics/ImageAnimation.h"
#include "framework/graphics/NativeDisplay.h"

#include <gtest/gtest.h>
#include <vector>

using namespace Quib;

namespace
{

// Records the fills the base class's composite operations make.
class FillRecorder : public Image
{
public:
    void FillRect(const Rect& rect, const Color& color, int32_t drawMode) override
    {
        mFills.push_back(rect);
        mColor = color;
        mMode = drawMode;
    }

    std::vector<Rect> mFills;
    Color mColor;
    int32_t mMode = -1;
};

} // namespace

TEST(Image, StartsEmptyWithOneCell)
{
    FillRecorder image;
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.GetHeight(), 0);
    EXPECT_EQ(image.mRows, 1);
    EXPECT_EQ(image.mColumns, 1);
    EXPECT_FALSE(image.mDrawn);
    EXPECT_EQ(image.mAnimation, nullptr);

    NativeDisplay display;
    EXPECT_EQ(display.mBitDepth, 0);
    EXPECT_EQ(display.mBlueShift, 0);
}

TEST(Image, DrawRectCoversTheOutlineOnceInOrder)
{
    FillRecorder image;
    const Color translucent(10, 20, 30, 128);
    image.DrawRect(Rect(5, 6, 10, 4), translucent, DRAW_MODE_ADDITIVE);
    const std::vector<Rect> expected = {Rect(5, 6, 11, 1), Rect(5, 10, 11, 1), Rect(5, 7, 1, 3),
                                        Rect(15, 7, 1, 3)};
    EXPECT_EQ(image.mFills, expected);
    EXPECT_EQ(image.mColor, translucent);
    EXPECT_EQ(image.mMode, DRAW_MODE_ADDITIVE);
}

TEST(Image, DrawRectOfZeroSizeFillsItsPixelTwice)
{
    FillRecorder image;
    image.DrawRect(Rect(3, 4, 0, 0), Color::White, DRAW_MODE_NORMAL);
    const std::vector<Rect> expected = {Rect(3, 4, 1, 1), Rect(3, 4, 1, 1), Rect(3, 5, 1, -1),
                                        Rect(3, 5, 1, -1)};
    EXPECT_EQ(image.mFills, expected);
}

TEST(Image, FillSpansFillsOneRowPerSpan)
{
    FillRecorder image;
    const Span spans[] = {{2, 7, 3}, {3, 1, 9}};
    image.FillSpans(spans, 2, Color::Black, DRAW_MODE_NORMAL);
    const std::vector<Rect> expected = {Rect(7, 2, 3, 1), Rect(1, 3, 9, 1)};
    EXPECT_EQ(image.mFills, expected);

    image.mFills.clear();
    image.FillSpans(spans, 0, Color::Black, DRAW_MODE_NORMAL);
    image.FillSpans(spans, -4, Color::Black, DRAW_MODE_NORMAL);
    EXPECT_TRUE(image.mFills.empty());
}

TEST(Image, CellWidthLeavesTheRemainderOutAndSurvivesAnEmptyGrid)
{
    FillRecorder image;
    image.mWidth = 100;
    image.mColumns = 3;
    EXPECT_EQ(image.GetCellWidth(), 33);
    image.mColumns = 0;
    EXPECT_EQ(image.GetCellWidth(), 0);
}

TEST(Image, BaseOperationsDrawNothing)
{
    FillRecorder image;
    FillRecorder source;
    const int32_t points[] = {0, 0, 5, 0, 5, 5};
    EXPECT_FALSE(image.FillPolygon(points, 3, Rect(0, 0, 9, 9), Color::White, 0, 0, 0));
    image.Blit(&source, 0, 0, Rect(0, 0, 1, 1), Color::White, 0);
    EXPECT_FALSE(source.mDrawn);
    EXPECT_TRUE(image.mFills.empty());
}

TEST(Image, CopyTakesSizeGridAndItsOwnAnimation)
{
    FillRecorder original;
    original.mWidth = 64;
    original.mHeight = 32;
    original.mRows = 2;
    original.mColumns = 4;
    original.mPath = "images/hero.png";
    original.mDrawn = true;
    original.mAnimation = std::make_unique<ImageAnimation>();
    original.mAnimation->mType = ANIMATION_LOOP;
    original.mAnimation->mFrameDelays = {3, 4};
    original.mAnimation->mFrameMap = {1, 0};

    FillRecorder copy(original);
    EXPECT_EQ(copy.GetWidth(), 64);
    EXPECT_EQ(copy.GetHeight(), 32);
    EXPECT_EQ(copy.mRows, 2);
    EXPECT_EQ(copy.mColumns, 4);
    EXPECT_TRUE(copy.mPath.empty());
    EXPECT_FALSE(copy.mDrawn);
    ASSERT_NE(copy.mAnimation, nullptr);
    EXPECT_NE(copy.mAnimation.get(), original.mAnimation.get());
    EXPECT_EQ(copy.mAnimation->mFrameDelays, (std::vector<int32_t>{3, 4}));
    original.mAnimation->mFrameDelays[0] = 99;
    EXPECT_EQ(copy.mAnimation->mFrameDelays[0], 3);

    FillRecorder target;
    target.mAnimation = std::make_unique<ImageAnimation>();
    target.CopyGridAndAnimation(FillRecorder());
    EXPECT_EQ(target.mAnimation, nullptr);
    target.CopyGridAndAnimation(original);
    EXPECT_EQ(target.mRows, 2);
    EXPECT_EQ(target.mColumns, 4);
    ASSERT_NE(target.mAnimation, nullptr);
    EXPECT_EQ(target.mAnimation->mFrameMap, (std::vector<int32_t>{1, 0}));
}

namespace
{

struct TimingCase
{
    const char* name;
    int32_t type;
    int32_t frameDelay;
    std::vector<int32_t> delays;
    std::vector<int32_t> map;
    int32_t frameCount;
    int32_t beginDelay;
    int32_t endDelay;
    int32_t expectedCount;
    std::vector<int32_t> expectedDelays;
    std::vector<int32_t> expectedMap;
    int32_t expectedTotal;
};

} // namespace

TEST(ImageAnimation, BuildTimingTable)
{
    const TimingCase cases[] = {
        {"pingpong of three", ANIMATION_PINGPONG, 5, {}, {}, 3, 0, 0, 4, {}, {0, 1, 2, 1}, 20},
        {"pingpong of two", ANIMATION_PINGPONG, 5, {}, {}, 2, 0, 0, 2, {}, {0, 1}, 10},
        {"pingpong of one has no map", ANIMATION_PINGPONG, 5, {}, {}, 1, 0, 0, 1, {}, {}, 5},
        {"begin delay", ANIMATION_LOOP, 5, {}, {}, 4, 10, 0, 4, {10, 5, 5, 5}, {}, 25},
        {"end delay", ANIMATION_ONCE, 2, {}, {}, 3, 0, 7, 3, {2, 2, 7}, {}, 11},
        {"no frames", ANIMATION_LOOP, 5, {}, {}, 0, 0, 0, 1, {}, {}, 5},
        {"zero delay becomes one", ANIMATION_LOOP, 0, {}, {}, 3, 0, 0, 3, {}, {}, 3},
        {"long per-frame list is cut", ANIMATION_LOOP, 1, {4, 4, 4, 4, 4}, {}, 3, 0, 0, 3, {4, 4, 4}, {}, 12},
        {"zero entries take the frame delay",
         ANIMATION_LOOP,
         6,
         {0, 2, -1},
         {},
         3,
         0,
         0,
         3,
         {6, 2, 6},
         {},
         14},
        {"frame map sets the step count",
         ANIMATION_LOOP,
         3,
         {},
         {2, 2, 1, 0, 0},
         3,
         0,
         0,
         5,
         {},
         {2, 2, 1, 0, 0},
         15},
        {"end delay on a pingpong lands on its last step",
         ANIMATION_PINGPONG,
         1,
         {},
         {},
         3,
         0,
         9,
         4,
         {1, 1, 1, 9},
         {0, 1, 2, 1},
         12},
        {"a huge begin delay holds the total at the largest time",
         ANIMATION_LOOP,
         5,
         {},
         {},
         2,
         INT32_MAX,
         0,
         2,
         {INT32_MAX, 5},
         {},
         INT32_MAX},
        {"a huge frame delay holds the total at the largest time",
         ANIMATION_ONCE,
         INT32_MAX,
         {},
         {},
         2,
         0,
         0,
         2,
         {},
         {},
         INT32_MAX},
    };
    for (const TimingCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        ImageAnimation animation;
        animation.mType = c.type;
        animation.mFrameDelay = c.frameDelay;
        animation.mFrameDelays = c.delays;
        animation.mFrameMap = c.map;
        animation.BuildTiming(c.frameCount, c.beginDelay, c.endDelay);
        EXPECT_EQ(animation.mFrameCount, c.expectedCount);
        EXPECT_EQ(animation.mFrameDelays, c.expectedDelays);
        EXPECT_EQ(animation.mFrameMap, c.expectedMap);
        EXPECT_EQ(animation.mTotalTime, c.expectedTotal);
    }
}

TEST(ImageAnimation, SetFrameDelayGrowsTheListWithZeros)
{
    ImageAnimation animation;
    animation.SetFrameDelay(2, 8);
    EXPECT_EQ(animation.mFrameDelays, (std::vector<int32_t>{0, 0, 8}));
    animation.SetFrameDelay(0, 3);
    EXPECT_EQ(animation.mFrameDelays, (std::vector<int32_t>{3, 0, 8}));
    animation.SetFrameDelay(-1, 3);
    EXPECT_EQ(animation.mFrameDelays.size(), 3u);
}
