#include "game/minigames/clock/ClockDial.h"

#include "platform/Random.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace
{

int TakeAt(std::vector<int>& list)
{
    const std::size_t k = std::size_t(platform::rand()) % list.size();
    const int value = list[k];
    list.erase(list.begin() + std::ptrdiff_t(k));
    return value;
}

} // namespace

ClockDial::ClockDial()
{
    std::vector<int> numbers{0, 1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<int> pool;
    for (int i = 0; i < 6; ++i)
    {
        const int chosen = TakeAt(numbers);
        pool.push_back(chosen);
        pool.push_back(chosen + 9);
    }
    for (int& symbol : mSymbols)
        symbol = TakeAt(pool);
}

ClockDial::ClockDial(const std::array<int, kPositions>& symbols) : mSymbols(symbols) {}

double ClockDial::Direction(double centreX, double centreY, double x, double y)
{
    return std::atan2(centreX - x, centreY - y) * 180.0 / std::numbers::pi;
}

int ClockDial::PositionOfAngle(double angle)
{
    double a = angle - kGrabAngle;
    if (a < 0)
        a += 360.0;
    return 11 - int(a) / 30;
}

double ClockDial::AngleDistance(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

int ClockDial::HandAt(double originX, double originY, double x, double y) const
{
    const double cx = CentreX(originX);
    const double cy = CentreY(originY);
    if (x < originX || x > originX + 500 || y < originY || y > originY + 500 || std::fabs(x - cx) > 90 ||
        std::fabs(y - cy) > 90)
        return -1;
    // Compared around the circle, so a hand near 180 degrees is found from either side.
    const double d = Direction(cx, cy, x, y);
    if (AngleDistance(d, mHandAngles[kMinute]) <= kGrabAngle)
        return kMinute;
    if (AngleDistance(d, mHandAngles[kHour]) <= kGrabAngle)
        return kHour;
    return -1;
}

ClockDial::ClickResult ClockDial::Click(double originX, double originY, double x, double y, Button button)
{
    if (mSolved || button == Button::Middle)
        return ClickResult::Nothing;
    if (button == Button::Right || mHeldHand >= 0)
    {
        mHeldHand = -1;
        return ClickResult::Placed;
    }
    mHeldHand = HandAt(originX, originY, x, y);
    return mHeldHand >= 0 ? ClickResult::Picked : ClickResult::Nothing;
}

void ClockDial::FollowMouse(double originX, double originY, double x, double y)
{
    if (mHeldHand >= 0)
        mHandAngles[std::size_t(mHeldHand)] = Direction(CentreX(originX), CentreY(originY), x, y);
}

ClockDial::CheckResult ClockDial::Check()
{
    const int hour = PositionOfAngle(mHandAngles[kHour]);
    const int minute = PositionOfAngle(mHandAngles[kMinute]);
    const int h = mSymbols[std::size_t(hour)];
    const int m = mSymbols[std::size_t(minute)];
    CheckResult result = CheckResult::Wrong;
    if ((m == h + 9 || h == m + 9) && !mMarked[std::size_t(hour)] && !mMarked[std::size_t(minute)])
    {
        mMarked[std::size_t(hour)] = mMarked[std::size_t(minute)] = true;
        result = CheckResult::Correct;
    }
    mSolved = true;
    for (bool marked : mMarked)
        mSolved = mSolved && marked;
    return result;
}

bool ClockDial::Reset()
{
    if (mSolved)
        return false;
    mMarked.fill(false);
    return true;
}
