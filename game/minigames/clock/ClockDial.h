#pragma once

#include <array>
#include <cstddef>

// The clock-hands rules: twelve dial positions hold six numbers (1..9) and
// their letters (A..I); the hour and the minute hand point at one each, and a
// check marks both when they are a number and its own letter. Angles are in
// degrees, 0 at 12 o'clock growing counterclockwise, within (-180, 180].
class ClockDial
{
public:
    static constexpr int kPositions = 12;
    static constexpr int kHour = 0;
    static constexpr int kMinute = 1;
    static constexpr double kGrabAngle = 15.0;
    static constexpr int kHelpNumber = 12;

    // Six of the numbers 0..8 (symbols for 1..9) drawn with rand, then each
    // with its letter (symbol + 9) dealt with rand onto the twelve positions.
    ClockDial();
    explicit ClockDial(const std::array<int, kPositions>& symbols);

    // The direction of a point seen from the dial centre.
    static double Direction(double centreX, double centreY, double x, double y);
    // The position owning a hand angle: its own angle -15 included to +15 excluded.
    static int PositionOfAngle(double angle);
    // The smaller difference between two angles, within [0, 180].
    static double AngleDistance(double a, double b);

    // The hand a click at (x, y) takes hold of, -1 for none: only inside the
    // 500 x 500 board from the origin and within 90 px of the centre on both
    // axes; the minute hand wins where both are within 15 degrees.
    int HandAt(double originX, double originY, double x, double y) const;

    enum class Button
    {
        Left,
        Middle,
        Right
    };
    enum class ClickResult
    {
        Nothing,
        Picked,
        Placed
    };
    ClickResult Click(double originX, double originY, double x, double y, Button button);
    // The held hand follows the mouse.
    void FollowMouse(double originX, double originY, double x, double y);

    enum class CheckResult
    {
        Correct,
        Wrong
    };
    CheckResult Check();
    // Every mark cleared; symbols and hands stay. Ignored once solved.
    bool Reset();

    bool IsSolved() const { return mSolved; }
    int GetSymbol(int position) const { return mSymbols[std::size_t(position)]; }
    bool IsMarked(int position) const { return mMarked[std::size_t(position)]; }
    double GetHandAngle(int hand) const { return mHandAngles[std::size_t(hand)]; }
    void SetHandAngle(int hand, double angle) { mHandAngles[std::size_t(hand)] = angle; }
    int GetHeldHand() const { return mHeldHand; }

    static double CentreX(double originX) { return originX + 259.0; }
    static double CentreY(double originY) { return originY + 245.0; }

private:
    std::array<int, kPositions> mSymbols{};
    std::array<bool, kPositions> mMarked{};
    std::array<double, 2> mHandAngles{90.0, 0.0};
    int mHeldHand = -1;
    bool mSolved = false;
};
