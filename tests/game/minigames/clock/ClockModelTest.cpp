#include "game/minigames/clock/ClockDial.h"
#include "platform/Random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <numbers>
#include <utility>
#include <vector>

namespace
{

constexpr double kOriginX = 150.0;
constexpr double kOriginY = 20.0;

// A point at the given angle and distance from the dial centre.
void PointAt(double angle, double distance, double& x, double& y)
{
    const double radians = angle * std::numbers::pi / 180.0;
    x = ClockDial::CentreX(kOriginX) - distance * std::sin(radians);
    y = ClockDial::CentreY(kOriginY) - distance * std::cos(radians);
}

double OwnAngle(int position)
{
    const double angle = -30.0 * position;
    return angle <= -180.0 ? angle + 360.0 : angle;
}

} // namespace

TEST(ClockDialTest, AnglesBelongToPositions)
{
    struct Case
    {
        double mAngle;
        int mPosition;
    };
    const Case cases[] = {{0, 0},    {14.9, 0}, {15, 11},  {-15, 0},  {-15.1, 1}, {90, 9},
                          {-90, 3},  {75, 9},   {105, 8},  {-105, 3}, {-75, 2},   {180, 6},
                          {-165, 5}, {165, 6},  {-179, 6}, {44, 11},  {46, 10}};
    for (const Case& c : cases)
        EXPECT_EQ(ClockDial::PositionOfAngle(c.mAngle), c.mPosition) << c.mAngle;
    // The starting hands point at 9 and 12 o'clock.
    ClockDial dial;
    EXPECT_EQ(ClockDial::PositionOfAngle(dial.GetHandAngle(ClockDial::kHour)), 9);
    EXPECT_EQ(ClockDial::PositionOfAngle(dial.GetHandAngle(ClockDial::kMinute)), 0);
    // Directions from the centre: up 0, left +90, right -90.
    const double cx = ClockDial::CentreX(kOriginX), cy = ClockDial::CentreY(kOriginY);
    EXPECT_DOUBLE_EQ(ClockDial::Direction(cx, cy, cx, cy - 50), 0.0);
    EXPECT_DOUBLE_EQ(ClockDial::Direction(cx, cy, cx - 50, cy), 90.0);
    EXPECT_DOUBLE_EQ(ClockDial::Direction(cx, cy, cx + 50, cy), -90.0);
    EXPECT_DOUBLE_EQ(ClockDial::Direction(cx, cy, cx, cy + 50), 180.0);
}

TEST(ClockDialTest, DealsSixNumbersWithTheirLettersFromTheClassicSequence)
{
    for (unsigned seed : {1u, 2u, 99u})
    {
        platform::srand(seed);
        ClockDial dial;
        platform::srand(seed);
        ClockDial again;
        std::map<int, int> counts;
        for (int p = 0; p < ClockDial::kPositions; ++p)
        {
            EXPECT_EQ(dial.GetSymbol(p), again.GetSymbol(p));
            ++counts[dial.GetSymbol(p) % 9];
            EXPECT_GE(dial.GetSymbol(p), 0);
            EXPECT_LE(dial.GetSymbol(p), 17);
        }
        EXPECT_EQ(counts.size(), 6u);
        for (const auto& [number, count] : counts)
            EXPECT_EQ(count, 2) << number;
    }
}

TEST(ClockDialTest, HandsAreTakenWithinFifteenDegreesEvenAcrossTheBottom)
{
    ClockDial dial;
    struct Case
    {
        double mHour, mMinute, mClickAngle, mDistance;
        int mHand;
    };
    const Case cases[] = {
        {90, 0, 0, 60, ClockDial::kMinute},
        {90, 0, 14, 60, ClockDial::kMinute},
        {90, 0, 16, 60, -1},
        {90, 0, 80, 60, ClockDial::kHour},
        {10, 0, 5, 60, ClockDial::kMinute},   // the minute hand wins
        {90, 0, 0, 95, -1},                   // beyond 90 px on one axis
        {179, 0, -178, 60, ClockDial::kHour}, // two degrees apart across 180
        {90, -172, 175, 60, ClockDial::kMinute},
    };
    for (const Case& c : cases)
    {
        dial.SetHandAngle(ClockDial::kHour, c.mHour);
        dial.SetHandAngle(ClockDial::kMinute, c.mMinute);
        double x, y;
        PointAt(c.mClickAngle, c.mDistance, x, y);
        EXPECT_EQ(dial.HandAt(kOriginX, kOriginY, x, y), c.mHand) << c.mClickAngle;
    }
    EXPECT_DOUBLE_EQ(ClockDial::AngleDistance(179, -179), 2.0);
    EXPECT_DOUBLE_EQ(ClockDial::AngleDistance(-90, 90), 180.0);
    EXPECT_EQ(dial.HandAt(kOriginX, kOriginY, kOriginX - 1, kOriginY + 245), -1);
}

TEST(ClockDialTest, HoldingFollowingAndPlacingAHand)
{
    ClockDial dial;
    double x, y;
    PointAt(2, 50, x, y);
    EXPECT_EQ(dial.Click(kOriginX, kOriginY, x, y, ClockDial::Button::Middle),
              ClockDial::ClickResult::Nothing);
    EXPECT_EQ(dial.Click(kOriginX, kOriginY, x, y, ClockDial::Button::Left), ClockDial::ClickResult::Picked);
    PointAt(-120, 200, x, y);
    dial.FollowMouse(kOriginX, kOriginY, x, y);
    EXPECT_NEAR(dial.GetHandAngle(ClockDial::kMinute), -120.0, 1e-9);
    EXPECT_EQ(dial.Click(kOriginX, kOriginY, x, y, ClockDial::Button::Left), ClockDial::ClickResult::Placed);
    dial.FollowMouse(kOriginX, kOriginY, 0, 0);
    EXPECT_NEAR(dial.GetHandAngle(ClockDial::kMinute), -120.0, 1e-9);
    // The right button places, with its sound, even with nothing held.
    EXPECT_EQ(dial.Click(kOriginX, kOriginY, x, y, ClockDial::Button::Right), ClockDial::ClickResult::Placed);
    PointAt(140, 10, x, y);
    EXPECT_EQ(dial.Click(kOriginX, kOriginY, x, y, ClockDial::Button::Left), ClockDial::ClickResult::Nothing);
}

TEST(ClockDialTest, SixCorrectChecksSolveAndRepeatsAreWrong)
{
    platform::srand(11);
    ClockDial dial;
    // Both hands on one position never match.
    dial.SetHandAngle(ClockDial::kHour, OwnAngle(4));
    dial.SetHandAngle(ClockDial::kMinute, OwnAngle(4));
    EXPECT_EQ(dial.Check(), ClockDial::CheckResult::Wrong);
    std::vector<std::pair<int, int>> pairs;
    for (int p = 0; p < ClockDial::kPositions; ++p)
        for (int q = 0; q < ClockDial::kPositions; ++q)
            if (dial.GetSymbol(q) == dial.GetSymbol(p) + 9)
                pairs.emplace_back(p, q);
    ASSERT_EQ(pairs.size(), 6u);
    dial.SetHandAngle(ClockDial::kHour, OwnAngle(pairs[0].first));
    dial.SetHandAngle(ClockDial::kMinute, OwnAngle(pairs[0].second));
    EXPECT_EQ(dial.Check(), ClockDial::CheckResult::Correct);
    EXPECT_TRUE(dial.Reset());
    EXPECT_FALSE(dial.IsMarked(pairs[0].first));
    int checks = 0;
    for (const auto& [p, q] : pairs)
    {
        // Either hand may point at the letter; a hand just short of the next position still counts.
        const bool swap = checks % 2 == 1;
        dial.SetHandAngle(ClockDial::kHour, OwnAngle(swap ? q : p));
        dial.SetHandAngle(ClockDial::kMinute, OwnAngle(swap ? p : q) + 14.0);
        EXPECT_FALSE(dial.IsSolved());
        EXPECT_EQ(dial.Check(), ClockDial::CheckResult::Correct);
        EXPECT_TRUE(dial.IsMarked(p));
        EXPECT_TRUE(dial.IsMarked(q));
        EXPECT_EQ(dial.Check(), ClockDial::CheckResult::Wrong);
        ++checks;
    }
    EXPECT_EQ(checks, 6);
    EXPECT_TRUE(dial.IsSolved());
    EXPECT_FALSE(dial.Reset());
    EXPECT_EQ(dial.Click(kOriginX, kOriginY, 0, 0, ClockDial::Button::Right),
              ClockDial::ClickResult::Nothing);
}
