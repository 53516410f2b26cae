#pragma once

#include <array>
#include <cstddef>

// The table-seating rules: six guests numbered 1 to 6 around six seats in a
// circle; no two neighbours may have consecutive numbers and the mode's
// forbidden pair may not sit side by side. One guest sits fixed from the start.
class SeatingTable
{
public:
    static constexpr int kCount = 6;

    struct Mode
    {
        int mForbiddenA = 2;
        int mForbiddenB = 4;
        int mHelpNumber = 20;
    };
    // 1: 1 and 3; 2: 2 and 4 (help 24); any other: 2 and 4 with help 20.
    static Mode ModeByNumber(int number);

    // Guest index g = rand % 6, then seat s = rand % 6: guest g sits fixed on seat s.
    explicit SeatingTable(int modeNumber);
    SeatingTable(Mode mode, int fixedGuest, int fixedSeat);

    enum class Button
    {
        Left,
        Right
    };
    enum class Result
    {
        Nothing,
        Picked, // the pick sound
        Placed  // the place sound
    };
    Result ClickSeat(int seat, Button button);
    // A click on a guest's own picture; inStrip: the guest lies over the home strip.
    Result ClickGuest(int guest, Button button, bool inStrip);
    // Every guest but the fixed one goes home, the one in hand included.
    // Ignored once solved.
    bool Reset();

    bool IsSolved() const { return mSolved; }
    // Guest numbers 1..6 per seat in circular order, 0 for an empty seat.
    static bool Satisfies(const std::array<int, kCount>& numbers, Mode mode);

    int GetGuestOnSeat(int seat) const { return mSeats[std::size_t(seat)]; }
    int GetSeatOfGuest(int guest) const;
    int GetHeld() const { return mHeld; }
    int GetFixedGuest() const { return mFixedGuest; }
    int GetFixedSeat() const { return mFixedSeat; }
    const Mode& GetMode() const { return mMode; }

private:
    void SeatFixed(int guest, int seat);
    void Recheck();

    Mode mMode;
    std::array<int, kCount> mSeats; // guest index per seat, -1 empty
    int mFixedGuest = 0;
    int mFixedSeat = 0;
    int mHeld = -1;
    bool mSolved = false;
};
