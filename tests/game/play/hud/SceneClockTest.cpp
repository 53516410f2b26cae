#include "game/play/hud/SceneClock.h"

#include "framework/graphics/Graphics.h"
#include "game/shell/Resources.h"
#include "tests/game/play/hud/HudTestSupport.h"
#include "tests/game/shell/ShellTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{

using hudtest::FakeOwner;
using shelltest::FakeGameTime;
using shelltest::PlainPicture;

constexpr uint32_t kFace = 0xFFF0E0C0;
constexpr uint32_t kMinuteColor = 0xFF102030;
constexpr uint32_t kSecondColor = 0xFFC01010;

// A hand turned about the picture's centre: opaque from the top down to the
// centre, clear below it.
std::unique_ptr<Quib::MemoryImage> HandPicture(uint32_t color)
{
    auto hand = PlainPicture(8, 84, color);
    for (int y = 42; y < 84; ++y)
        for (int x = 0; x < 8; ++x)
            hand->GetBits()[y * 8 + x] = 0;
    hand->MarkBitsChanged();
    return hand;
}

struct ClockPictures
{
    ClockPictures()
    {
        IMAGE_GUI_CLOCK = face.get();
        IMAGE_GUI_MINUTE_HAND = minute.get();
        IMAGE_GUI_SECONDS_HAND = second.get();
    }
    ~ClockPictures()
    {
        IMAGE_GUI_CLOCK = nullptr;
        IMAGE_GUI_MINUTE_HAND = nullptr;
        IMAGE_GUI_SECONDS_HAND = nullptr;
    }
    std::unique_ptr<Quib::MemoryImage> face = PlainPicture(110, 110, kFace);
    std::unique_ptr<Quib::MemoryImage> minute = HandPicture(kMinuteColor);
    std::unique_ptr<Quib::MemoryImage> second = HandPicture(kSecondColor);
};

struct Clock : ::testing::Test
{
    Clock() { clock.Resize(800, 100, 110, 110); }
    void Frame(uint32_t ms = 10)
    {
        time.Advance(ms);
        clock.UpdateFraction(1.0f);
    }
    void Frames(int count, uint32_t ms = 10)
    {
        for (int i = 0; i < count; ++i)
            Frame(ms);
    }

    FakeGameTime time;
    ClockPictures pictures;
    FakeOwner owner;
    SceneClock clock{&owner};
};

TEST_F(Clock, SlidesInFromTheRightEdgeAndStartsCountingOnlyOnceIn)
{
    clock.SetTime(0, 10, 0, 0);
    clock.SlideIn();
    Frame();
    EXPECT_EQ(clock.mX, 810);
    EXPECT_EQ(clock.mY, -10);
    EXPECT_FALSE(clock.mCountdown->IsRunning());
    Frames(20);
    EXPECT_GT(clock.mX, 700);
    EXPECT_LT(clock.mX, 810);
    Frames(30);
    EXPECT_EQ(clock.mX, 700);
    EXPECT_TRUE(clock.mCountdown->IsRunning());

    clock.SlideOut();
    Frames(50);
    EXPECT_EQ(clock.mX, 810);
    EXPECT_EQ(clock.mY, -10);
}

TEST_F(Clock, TellsItsOwnerOnceWhenTheTimeIsUpAndArmsTheTickingForTheLastThirtySeconds)
{
    // The ticking starts once the seconds left read 30: below 31 s.
    clock.SetTime(0, 0, 31, 0);
    clock.mCountdown->Start();
    Frame(0);
    EXPECT_TRUE(clock.mLastSecondsArmed);
    Frame(1);
    EXPECT_FALSE(clock.mLastSecondsArmed);
    EXPECT_EQ(owner.mTimeExceeded, 0);
    Frames(30, 1000);
    EXPECT_EQ(owner.mTimeExceeded, 0);
    Frame(1000);
    EXPECT_EQ(owner.mTimeExceeded, 1);
    Frames(10);
    EXPECT_EQ(owner.mTimeExceeded, 1);
    EXPECT_FALSE(clock.mTimeUpArmed);
}

TEST_F(Clock, AVisitStartedWithNoTimeLeftEndsAtTheFirstUpdate)
{
    clock.SetTime(0, 0, 0, 0);
    Frame();
    EXPECT_EQ(owner.mTimeExceeded, 1);
}

// The hands turn about the face's centre (55, 55): the second hand by 6
// degrees a second left, the minute hand 6 degrees a minute from 9 minutes
// up, both counter-clockwise for positive angles.
TEST_F(Clock, HandsPointWhereTheTimeLeftPutsThem)
{
    struct Case
    {
        const char* name;
        int32_t minutes, seconds;
        double secondDegrees, minuteDegrees;
    };
    const Case cases[] = {
        {"9:15 left: second hand at 9 o'clock, minute hand up", 9, 15, 90, 0},
        {"5:30 left: second hand down, minute hand 24 degrees right of 12", 5, 30, 180, -24},
        {"0:45 left: second hand at 3 o'clock, minute hand 54 degrees right of 12", 0, 45, 270, -54},
    };
    for (const Case& c : cases)
    {
        clock.SetTime(0, c.minutes, c.seconds, 0);
        auto screen = hudtest::BlackScreen(110, 110);
        Quib::Graphics g(screen.get());
        clock.DrawOverlay(&g);
        const auto at = [&](double degrees, double reach)
        {
            const double a = degrees * 3.14159265 / 180.0;
            const long x = std::lround(55 - std::sin(a) * reach);
            const long y = std::lround(55 - std::cos(a) * reach);
            return screen->GetBits()[y * 110 + x];
        };
        EXPECT_PRED_FORMAT2(shelltest::ColorNear, at(c.secondDegrees, 30), kSecondColor) << c.name;
        EXPECT_PRED_FORMAT2(shelltest::ColorNear, at(c.minuteDegrees, 34), kMinuteColor) << c.name;
        // Opposite the second hand there is only the face.
        EXPECT_PRED_FORMAT2(shelltest::ColorNear, at(c.secondDegrees + 180, 30), kFace) << c.name;
    }
}

} // namespace
