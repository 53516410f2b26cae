#include "game/minigames/seating/SeatingTable.h"

#include "platform/Random.h"

#include <cstdlib>

SeatingTable::Mode SeatingTable::ModeByNumber(int number)
{
    if (number == 1)
        return {1, 3, 20};
    if (number == 2)
        return {2, 4, 24};
    return {2, 4, 20};
}

SeatingTable::SeatingTable(int modeNumber) : mMode(ModeByNumber(modeNumber))
{
    // The guest is drawn before the seat.
    const int guest = platform::rand() % kCount;
    const int seat = platform::rand() % kCount;
    SeatFixed(guest, seat);
}

SeatingTable::SeatingTable(Mode mode, int fixedGuest, int fixedSeat) : mMode(mode)
{
    SeatFixed(fixedGuest, fixedSeat);
}

void SeatingTable::SeatFixed(int guest, int seat)
{
    mFixedGuest = guest;
    mFixedSeat = seat;
    mSeats.fill(-1);
    mSeats[std::size_t(seat)] = guest;
}

int SeatingTable::GetSeatOfGuest(int guest) const
{
    for (int seat = 0; seat < kCount; ++seat)
        if (mSeats[std::size_t(seat)] == guest)
            return seat;
    return -1;
}

bool SeatingTable::Satisfies(const std::array<int, kCount>& numbers, Mode mode)
{
    for (int seat = 0; seat < kCount; ++seat)
    {
        const int b = numbers[std::size_t(seat)];
        if (b == 0)
            return false;
        const int n = numbers[std::size_t((seat + 1) % kCount)];
        if (n == 0)
            return false;
        if (std::abs(b - n) == 1)
            return false;
        if ((b == mode.mForbiddenA && n == mode.mForbiddenB) ||
            (b == mode.mForbiddenB && n == mode.mForbiddenA))
            return false;
    }
    return true;
}

void SeatingTable::Recheck()
{
    std::array<int, kCount> numbers{};
    for (int seat = 0; seat < kCount; ++seat)
        numbers[std::size_t(seat)] = mSeats[std::size_t(seat)] + 1;
    mSolved = Satisfies(numbers, mMode);
}

SeatingTable::Result SeatingTable::ClickSeat(int seat, Button button)
{
    if (seat < 0 || seat >= kCount)
        return Result::Nothing;
    if (button == Button::Right)
    {
        if (mHeld < 0)
            return Result::Nothing;
        mHeld = -1;
        return Result::Placed;
    }
    int& here = mSeats[std::size_t(seat)];
    if (here == mFixedGuest)
        return Result::Nothing;
    if (mHeld >= 0)
    {
        const int previous = here;
        here = mHeld;
        mHeld = previous;
        Recheck();
        return previous < 0 ? Result::Placed : Result::Picked;
    }
    if (here < 0)
        return Result::Nothing;
    mHeld = here;
    here = -1;
    Recheck();
    return Result::Picked;
}

SeatingTable::Result SeatingTable::ClickGuest(int guest, Button button, bool inStrip)
{
    if (guest < 0 || guest >= kCount)
        return Result::Nothing;
    if (button == Button::Right)
        return ClickSeat(mFixedSeat, Button::Right);
    if (mHeld < 0)
    {
        // Seats lie above the guests: only a waiting guest is reached here.
        if (GetSeatOfGuest(guest) >= 0)
            return Result::Nothing;
        mHeld = guest;
        return Result::Picked;
    }
    if (!inStrip)
        return Result::Nothing;
    mHeld = -1;
    return Result::Placed;
}

bool SeatingTable::Reset()
{
    if (mSolved)
        return false;
    for (int& guest : mSeats)
        if (guest != mFixedGuest)
            guest = -1;
    mHeld = -1;
    return true;
}
