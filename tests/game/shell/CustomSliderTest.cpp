#include "game/shell/CustomSlider.h"

#include "framework/widgets/SliderListener.h"
#include "game/shell/CustomSliderListener.h"
#include "tests/framework/widgets/WidgetTestSupport.h"
#include "tests/game/shell/ShellTestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

// Notes values, presses and releases in one order.
struct SliderLog : Quib::SliderListener, CustomSliderListener
{
    void OnSliderValue(int id, double value) override
    {
        events.push_back("value " + std::to_string(id) + " " + std::to_string(int(value * 180)));
    }
    void OnSliderPressed(int id) override { events.push_back("pressed " + std::to_string(id)); }
    void OnSliderReleased(int id) override { events.push_back("released " + std::to_string(id)); }
    std::vector<std::string> events;
};

struct Sliders : ::testing::Test
{
    Sliders()
    {
        track.Create(30, 10);
        thumb.Create(20, 10);
        slider.Resize(0, 0, 200, 20);
        slider.mPressListener = &log;
        slider.SetValue(0.5); // thumb from 90 to 110
        screen.mManager.AddChild(&slider);
    }
    SliderLog log;
    widgettest::Screen screen;
    Quib::MemoryImage track;
    Quib::MemoryImage thumb;
    CustomSlider slider{&track, &thumb, 2, &log};
};

TEST_F(Sliders, APressOnTheTrackMovesTheThumbAndReportsOnlyThePressAndTheRelease)
{
    screen.mManager.HandleMouseDown(150, 5, Quib::CLICK_LEFT);
    EXPECT_DOUBLE_EQ(slider.mVal, 0.75);
    EXPECT_EQ(shelltest::TakeLog(log.events), "pressed 2");
    screen.mManager.HandleMouseUp(150, 5, Quib::CLICK_LEFT);
    EXPECT_EQ(shelltest::TakeLog(log.events), "released 2");
}

TEST_F(Sliders, DraggingReportsEachValueAndTheReleaseEndsTheDragWithTheArrowCursor)
{
    screen.mManager.HandleMouseMove(95, 5);
    screen.mManager.HandleMouseDown(95, 5, Quib::CLICK_LEFT);
    EXPECT_TRUE(slider.mDragging);
    screen.mManager.HandleMouseMove(59, 5);
    screen.mManager.HandleMouseMove(400, 5);
    screen.mManager.HandleMouseUp(400, 5, Quib::CLICK_LEFT);
    EXPECT_EQ(shelltest::TakeLog(log.events), "pressed 2 | value 2 54 | value 2 180 | released 2");
    EXPECT_FALSE(slider.mDragging);
    EXPECT_EQ(screen.mHost.LastCursor(), Quib::CURSOR_ARROW);
    screen.mManager.HandleMouseMove(10, 5);
    EXPECT_EQ(shelltest::TakeLog(log.events), "");
}

TEST_F(Sliders, WithoutAPressListenerItIsAPlainSliderThatReportsNoValueOnRelease)
{
    slider.mPressListener = nullptr;
    screen.mManager.HandleMouseDown(150, 5, Quib::CLICK_LEFT);
    screen.mManager.HandleMouseUp(150, 5, Quib::CLICK_LEFT);
    EXPECT_EQ(shelltest::TakeLog(log.events), "");
    EXPECT_DOUBLE_EQ(slider.mVal, 0.75);
}

} // namespace
