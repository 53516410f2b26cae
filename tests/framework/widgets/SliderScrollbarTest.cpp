#include "framework/widgets/ScrollListener.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/ScrollbuttonWidget.h"
#include "framework/widgets/Slider.h"
#include "framework/widgets/SliderListener.h"
#include "tests/framework/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;
using namespace widgettest;

namespace
{

struct ValueLog : SliderListener, ScrollListener
{
    void OnSliderValue(int id, double value) override { values.push_back({id, value}); }
    void OnScroll(int id, double value) override { values.push_back({id, value}); }
    std::vector<std::pair<int, double>> values;
};

struct Sliders : ::testing::Test
{
    Sliders()
    {
        track.Create(30, 10);
        thumb.Create(20, 10);
        slider.Resize(0, 0, 200, 20);
        manager.AddChild(&slider);
    }
    ValueLog listener;
    Screen screen;
    WidgetManager& manager = screen.mManager;
    MemoryImage track, thumb;
    Slider slider{&track, &thumb, 4, &listener};
};

TEST_F(Sliders, PressOnTheTrackJumpsAndTheReleaseReports)
{
    slider.SetValue(0.5); // thumb from 90 to 110
    EXPECT_TRUE(listener.values.empty());
    manager.HandleMouseDown(150, 5, CLICK_LEFT);
    EXPECT_DOUBLE_EQ(slider.mVal, 0.75);
    EXPECT_TRUE(listener.values.empty());
    manager.HandleMouseUp(150, 5, CLICK_LEFT);
    ASSERT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(listener.values[0].first, 4);
    EXPECT_DOUBLE_EQ(listener.values[0].second, 0.75);
    slider.SetValue(7);
    EXPECT_DOUBLE_EQ(slider.mVal, 1.0);
}

TEST_F(Sliders, DraggingTheThumbReportsEachChangeAndStopsAtTheEnds)
{
    slider.SetValue(0.5);
    manager.HandleMouseMove(95, 5);
    EXPECT_EQ(screen.mHost.LastCursor(), CURSOR_DRAGGING);
    manager.HandleMouseDown(95, 5, CLICK_LEFT); // grabbed 5 pixels into the thumb
    manager.HandleMouseMove(59, 5);
    ASSERT_EQ(listener.values.size(), 1u);
    EXPECT_DOUBLE_EQ(listener.values[0].second, 54.0 / 180.0);
    listener.values.clear();
    manager.HandleMouseMove(400, 5);
    manager.HandleMouseMove(500, 5);
    manager.HandleMouseMove(-50, 5);
    manager.HandleMouseMove(-90, 5);
    ASSERT_EQ(listener.values.size(), 2u);
    EXPECT_DOUBLE_EQ(listener.values[0].second, 1.0);
    EXPECT_DOUBLE_EQ(listener.values[1].second, 0.0);
    manager.HandleMouseUp(-90, 5, CLICK_LEFT);
    EXPECT_FALSE(slider.mDragging);
    EXPECT_EQ(screen.mHost.LastCursor(), CURSOR_ARROW);
}

TEST_F(Sliders, ZeroLengthSliderNeitherDividesNorMoves)
{
    slider.Resize(0, 0, 20, 20); // as long as its thumb
    manager.HandleMouseDown(5, 5, CLICK_LEFT);
    manager.HandleMouseMove(15, 5);
    EXPECT_DOUBLE_EQ(slider.mVal, 0.0);
}

struct Scrollbars : ::testing::Test
{
    Scrollbars()
    {
        bar.ResizeScrollbar(80, 0, 20, 220); // track 180
        manager.AddChild(&bar);
    }
    ValueLog listener;
    Screen screen;
    WidgetManager& manager = screen.mManager;
    ScrollbarWidget bar{&listener};
};

TEST_F(Scrollbars, ThumbGeometryAndEnd)
{
    EXPECT_TRUE(bar.mDisabled);
    bar.SetMaximum(100);
    bar.SetPageSize(10);
    EXPECT_FALSE(bar.mDisabled);
    EXPECT_FALSE(bar.mUpButton->mDisabled);
    EXPECT_EQ(bar.GetTrackLength(), 180);
    EXPECT_EQ(bar.GetThumbLength(), 18);
    bar.SetValue(90);
    EXPECT_EQ(bar.GetThumbPosition() + bar.GetThumbLength(), 20 + 180);
    bar.SetValue(88);
    EXPECT_FALSE(bar.AtEnd());
    bar.SetValue(89);
    EXPECT_TRUE(bar.AtEnd());
    bar.SetValue(0);
    bar.GoToEnd();
    EXPECT_DOUBLE_EQ(bar.mValue, 90);
}

TEST_F(Scrollbars, ClampedValuesAreReportedTwice)
{
    bar.SetMaximum(100);
    bar.SetPageSize(10);
    listener.values.clear();
    bar.SetValue(500);
    ASSERT_EQ(listener.values.size(), 2u);
    EXPECT_DOUBLE_EQ(listener.values[0].second, 90);
    EXPECT_DOUBLE_EQ(listener.values[1].second, 90);
}

TEST_F(Scrollbars, PageAtLeastTheRangeDisablesAndHides)
{
    bar.SetHideWhenUnneeded(true);
    EXPECT_FALSE(bar.mVisible);
    bar.SetMaximum(100);
    bar.SetPageSize(10);
    EXPECT_TRUE(bar.mVisible && bar.mUpButton->mVisible && bar.mDownButton->mVisible);
    bar.SetPageSize(100);
    EXPECT_TRUE(bar.mDisabled && bar.mUpButton->mDisabled && bar.mDownButton->mDisabled);
    EXPECT_FALSE(bar.mVisible || bar.mUpButton->mVisible || bar.mDownButton->mVisible);
    // No range at all: the thumb arithmetic stays finite.
    bar.SetMaximum(0);
    bar.SetPageSize(0);
    EXPECT_EQ(bar.GetThumbLength(), 0);
    EXPECT_EQ(bar.GetThumbPosition(), 20);
    bar.SetThumbPosition(50);
    EXPECT_DOUBLE_EQ(bar.mValue, 0);
}

TEST_F(Scrollbars, HoldingTheTrackPagesAtThePressAfter25UpdatesThenEvery5UntilTheThumbArrives)
{
    bar.SetMaximum(100);
    bar.SetPageSize(10);
    listener.values.clear();
    manager.HandleMouseDown(90, 190, CLICK_LEFT); // below the thumb
    EXPECT_EQ(bar.mUpdateMode, 2);
    std::vector<int> pagedAt;
    for (int update = 1; update <= 70; ++update)
    {
        size_t before = listener.values.size();
        manager.UpdateWidgets();
        if (listener.values.size() != before)
            pagedAt.push_back(update);
    }
    // Values 10 (press), 20, 30, ... 90; at 90 the thumb covers y 190.
    EXPECT_EQ(pagedAt, (std::vector<int>{25, 30, 35, 40, 45, 50, 55, 60}));
    EXPECT_DOUBLE_EQ(bar.mValue, 90);
    EXPECT_EQ(bar.mUpdateMode, 0);
}

TEST_F(Scrollbars, HoldingAnArrowStepsAtThePressAtThe25thUpdateThenEveryUpdate)
{
    bar.SetMaximum(100);
    bar.SetPageSize(10);
    listener.values.clear();
    manager.HandleMouseDown(90, 215, CLICK_LEFT); // the down arrow
    EXPECT_DOUBLE_EQ(bar.mValue, 1);
    for (int i = 0; i < 24; ++i)
        manager.UpdateWidgets();
    EXPECT_DOUBLE_EQ(bar.mValue, 1);
    manager.UpdateWidgets();
    EXPECT_DOUBLE_EQ(bar.mValue, 2);
    manager.UpdateWidgets();
    manager.UpdateWidgets();
    EXPECT_DOUBLE_EQ(bar.mValue, 4);
    manager.HandleMouseUp(90, 215, CLICK_LEFT);
    manager.HandleMouseDown(90, 5, CLICK_LEFT); // the up arrow
    EXPECT_DOUBLE_EQ(bar.mValue, 3);
}

TEST_F(Scrollbars, DraggingTheThumbFollowsTheMouse)
{
    bar.SetMaximum(100);
    bar.SetPageSize(10);
    manager.HandleMouseDown(90, 25, CLICK_LEFT); // on the thumb at 20..38
    EXPECT_TRUE(bar.mPressedOnThumb);
    manager.HandleMouseMove(90, 25 + 81);
    EXPECT_DOUBLE_EQ(bar.mValue, 45);
    manager.HandleMouseMove(90, 500);
    EXPECT_DOUBLE_EQ(bar.mValue, 90);
    manager.HandleMouseUp(90, 500, CLICK_LEFT);
    EXPECT_FALSE(bar.mPressedOnThumb);
}

TEST_F(Scrollbars, ArrowsPointAlongTheBar)
{
    bar.SetMaximum(100);
    bar.SetPageSize(10);
    manager.DrawDirtyWidgets();
    // Up arrow of a 20 x 20 button at 80, 0: the tip at x 9, y (20 - 4) / 2 = 8,
    // the 7-pixel base from x 6 to 12 at y 11.
    EXPECT_EQ(screen.Pixel(80 + 9, 8), 0xFF000000u);
    EXPECT_EQ(screen.Pixel(80 + 8, 8), 0xFFD4D4D4u);
    EXPECT_EQ(screen.Pixel(80 + 6, 11), 0xFF000000u);
    EXPECT_EQ(screen.Pixel(80 + 12, 11), 0xFF000000u);
    EXPECT_EQ(screen.Pixel(80 + 13, 11), 0xFFD4D4D4u);
    EXPECT_EQ(screen.Pixel(85, 50), 0xFFE8E8E8u); // the track after the thumb
}

} // namespace
