#include "game/minigames/seating/SeatingTable.h"
#include "platform/Random.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace
{

using B = SeatingTable::Button;
using R = SeatingTable::Result;

// Every arrangement of the free guests on the free seats that solves the table.
std::vector<std::array<int, SeatingTable::kCount>> Solutions(const SeatingTable& table)
{
    std::vector<int> free;
    for (int guest = 0; guest < SeatingTable::kCount; ++guest)
        if (guest != table.GetFixedGuest())
            free.push_back(guest);
    std::vector<std::array<int, SeatingTable::kCount>> found;
    do
    {
        std::array<int, SeatingTable::kCount> numbers{};
        numbers[size_t(table.GetFixedSeat())] = table.GetFixedGuest() + 1;
        size_t next = 0;
        for (int seat = 0; seat < SeatingTable::kCount; ++seat)
            if (seat != table.GetFixedSeat())
                numbers[size_t(seat)] = free[next++] + 1;
        if (SeatingTable::Satisfies(numbers, table.GetMode()))
            found.push_back(numbers);
    } while (std::next_permutation(free.begin(), free.end()));
    return found;
}

void Seat(SeatingTable& table, int guest, int seat)
{
    ASSERT_EQ(table.ClickGuest(guest, B::Left, true), R::Picked);
    ASSERT_EQ(table.ClickSeat(seat, B::Left), R::Placed);
}

} // namespace

TEST(SeatingTableTest, NumbersAroundTheTableByMode)
{
    struct Case
    {
        int mMode;
        std::array<int, 6> mNumbers;
        bool mSolved;
    };
    const Case cases[] = {
        {1, {1, 4, 2, 6, 3, 5}, true},  {1, {1, 3, 5, 2, 6, 4}, false}, // 1 and 3 together
        {2, {1, 3, 5, 2, 6, 4}, true},  {2, {2, 4, 6, 1, 3, 5}, false}, // 2 next to 4
        {2, {4, 1, 3, 6, 2, 5}, false}, // 2 and 5 differ by 3, but 5 wraps to 4: consecutive
        {1, {6, 1, 4, 2, 5, 3}, true},  // 6 and 1 are not consecutive
        {3, {1, 3, 5, 2, 6, 4}, true},  {1, {1, 4, 2, 6, 3, 0}, false}, // an empty seat
    };
    for (const Case& c : cases)
        EXPECT_EQ(SeatingTable::Satisfies(c.mNumbers, SeatingTable::ModeByNumber(c.mMode)), c.mSolved)
            << c.mMode << " " << c.mNumbers[0] << c.mNumbers[1] << c.mNumbers[2] << c.mNumbers[3]
            << c.mNumbers[4] << c.mNumbers[5];
    EXPECT_EQ(SeatingTable::ModeByNumber(1).mHelpNumber, 20);
    EXPECT_EQ(SeatingTable::ModeByNumber(2).mHelpNumber, 24);
    EXPECT_EQ(SeatingTable::ModeByNumber(3).mHelpNumber, 20);
    EXPECT_EQ(SeatingTable::ModeByNumber(3).mForbiddenA, 2);
}

TEST(SeatingTableTest, EveryFixedGuestOnEverySeatLeavesASolvableTable)
{
    for (int mode : {1, 2})
        for (int guest = 0; guest < SeatingTable::kCount; ++guest)
            for (int seat = 0; seat < SeatingTable::kCount; ++seat)
            {
                SeatingTable table(SeatingTable::ModeByNumber(mode), guest, seat);
                const auto solutions = Solutions(table);
                ASSERT_FALSE(solutions.empty()) << "mode " << mode << " guest " << guest << " seat " << seat;
                // Played through the clicks, the first solution solves the table.
                for (int s = 0; s < SeatingTable::kCount; ++s)
                    if (s != seat)
                        Seat(table, solutions.front()[size_t(s)] - 1, s);
                EXPECT_TRUE(table.IsSolved());
                EXPECT_FALSE(table.Reset());
            }
}

TEST(SeatingTableTest, TheDrawnGuestAndSeatComeFromTheClassicSequence)
{
    platform::srand(7);
    const int guest = platform::rand() % 6;
    const int seat = platform::rand() % 6;
    platform::srand(7);
    SeatingTable table(2);
    EXPECT_EQ(table.GetFixedGuest(), guest);
    EXPECT_EQ(table.GetFixedSeat(), seat);
    EXPECT_EQ(table.GetGuestOnSeat(seat), guest);
    EXPECT_EQ(table.GetMode().mForbiddenA, 2);
}

TEST(SeatingTableTest, SwapsPickUpsAndTheFixedGuest)
{
    SeatingTable table(SeatingTable::ModeByNumber(1), 0, 0);
    // The fixed guest can never be taken, nor anything dropped on it.
    EXPECT_EQ(table.ClickSeat(0, B::Left), R::Nothing);
    EXPECT_EQ(table.ClickGuest(1, B::Left, true), R::Picked);
    EXPECT_EQ(table.ClickSeat(0, B::Left), R::Nothing);
    EXPECT_EQ(table.GetHeld(), 1);
    EXPECT_EQ(table.ClickSeat(1, B::Left), R::Placed);
    // A guest dropped on an occupied seat swaps: the seated one is in hand.
    EXPECT_EQ(table.ClickGuest(2, B::Left, true), R::Picked);
    EXPECT_EQ(table.ClickSeat(1, B::Left), R::Picked);
    EXPECT_EQ(table.GetHeld(), 1);
    EXPECT_EQ(table.GetGuestOnSeat(1), 2);
    // Dropped over the strip it goes home; away from it nothing happens.
    EXPECT_EQ(table.ClickGuest(1, B::Left, false), R::Nothing);
    EXPECT_EQ(table.ClickGuest(1, B::Left, true), R::Placed);
    EXPECT_EQ(table.GetHeld(), -1);
    EXPECT_EQ(table.GetSeatOfGuest(1), -1);
    // Right clicks send the held guest home; with nothing held they do nothing.
    EXPECT_EQ(table.ClickSeat(3, B::Right), R::Nothing);
    EXPECT_EQ(table.ClickGuest(4, B::Left, true), R::Picked);
    EXPECT_EQ(table.ClickSeat(3, B::Right), R::Placed);
    EXPECT_EQ(table.GetHeld(), -1);
    EXPECT_EQ(table.ClickSeat(3, B::Left), R::Nothing); // empty seat, nothing held
}

TEST(SeatingTableTest, PickingUpUnsolvesAndResetLetsGoOfTheGuestInHand)
{
    SeatingTable table(SeatingTable::ModeByNumber(1), 0, 0);
    const std::array<int, 6> order{1, 4, 2, 6, 3, 5};
    for (int seat = 1; seat < 6; ++seat)
        Seat(table, order[size_t(seat)] - 1, seat);
    EXPECT_TRUE(table.IsSolved());
    EXPECT_EQ(table.ClickSeat(2, B::Left), R::Picked);
    EXPECT_FALSE(table.IsSolved());
    EXPECT_EQ(table.GetHeld(), 1);
    EXPECT_TRUE(table.Reset());
    EXPECT_EQ(table.GetHeld(), -1);
    for (int seat = 1; seat < 6; ++seat)
        EXPECT_EQ(table.GetGuestOnSeat(seat), -1);
    EXPECT_EQ(table.GetGuestOnSeat(0), 0);
}
