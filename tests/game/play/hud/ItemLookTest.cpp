// How items of the picture look while they rest there: their colour, the
// length of a hint's pulse, and the first scene's idle pulse of its pieces.
#include "game/play/hud/ItemHint.h"
#include "game/play/hud/ItemTint.h"
#include "game/play/hud/PieceIdleLoops.h"
#include "platform/Clock.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <utility>

namespace
{

PlayfieldItem Item(SceneItemKind kind)
{
    PlayfieldItem item;
    item.mKind = kind;
    item.mRecord.mRed = 227;
    item.mRecord.mGreen = 214;
    item.mRecord.mBlue = 196;
    item.mRecord.mAlpha = 240;
    return item;
}

TEST(ItemLookTest, EachKindIsTintedByItsOwnRule)
{
    ItemHint pulsing;
    pulsing.Start();
    pulsing.Update();
    ASSERT_TRUE(pulsing.IsPulsing());
    PieceIdleLoops idle;
    idle.Start();
    idle.mLoopAlpha = 120;
    struct Case
    {
        const char* what;
        SceneItemKind kind;
        const ItemHint* hint;
        const PieceIdleLoops* loops;
        Quib::Color color;
        bool tinted;
    };
    const Case cases[] = {
        {"plain", SceneItemKind::Plain, nullptr, nullptr, {227, 214, 196, 240}, true},
        {"hinted plain", SceneItemKind::Plain, &pulsing, nullptr, {227, 214, 196, pulsing.mPulseAlpha}, true},
        {"place", SceneItemKind::Location, nullptr, nullptr, {255, 255, 255, 255}, false},
        {"piece", SceneItemKind::Piece, nullptr, nullptr, {227, 214, 196, 240}, true},
        {"idle-pulsing piece", SceneItemKind::Piece, nullptr, &idle, {255, 255, 255, 120}, true},
        {"hinted idle piece",
         SceneItemKind::Piece,
         &pulsing,
         &idle,
         {227, 214, 196, pulsing.mPulseAlpha},
         true},
    };
    for (const Case& c : cases)
    {
        const ItemTint tint = RestingItemTint(Item(c.kind), c.hint, c.loops);
        EXPECT_EQ(tint.mColor, c.color) << c.what;
        EXPECT_EQ(tint.mTinted, c.tinted) << c.what;
    }
    idle.StopPulse();
    EXPECT_EQ(RestingItemTint(Item(SceneItemKind::Piece), nullptr, &idle).mColor,
              Quib::Color(227, 214, 196, 240));
}

TEST(ItemLookTest, AHintPulsesAnItemFor360TicksAndAPieceFor400)
{
    for (const int32_t ticks : {ItemHint::kPulseTicks, ItemHint::kPiecePulseTicks})
    {
        ItemHint hint;
        hint.Start(ticks);
        for (int32_t tick = 1; tick < ticks; ++tick)
            hint.Update();
        EXPECT_TRUE(hint.IsPulsing()) << ticks;
        hint.Update();
        EXPECT_FALSE(hint.IsPulsing()) << ticks;
    }
    EXPECT_EQ(ItemHint::kPiecePulseTicks, 400);
}

// The idle pulse falls from 255 to 0 and rises back, 300 ms each way, on the
// game clock, and stops when the piece is taken; the sparkle goes on.
TEST(ItemLookTest, APiecesIdlePulseSwingsOnTheGameClockUntilItIsTaken)
{
    platform::FakeClock clock{5000};
    platform::ScopedClock scoped{clock};
    PieceIdleLoops loops;
    loops.Start();
    // The lowest and highest alpha seen over that many milliseconds.
    const auto run = [&](int32_t milliseconds)
    {
        std::pair<int32_t, int32_t> range{255, 0};
        for (int32_t t = 0; t < milliseconds; t += 10)
        {
            clock.advance(10);
            loops.Update();
            range = {std::min(range.first, loops.mLoopAlpha), std::max(range.second, loops.mLoopAlpha)};
        }
        return range;
    };
    loops.Update();
    EXPECT_EQ(loops.mLoopAlpha, 255);
    EXPECT_LE(run(350).first, 10);
    EXPECT_GE(run(350).second, 245);
    EXPECT_LE(run(350).first, 10);
    EXPECT_TRUE(loops.IsPulsing());
    EXPECT_TRUE(loops.IsSparkling());
    loops.StopPulse();
    EXPECT_FALSE(loops.IsPulsing());
    EXPECT_TRUE(loops.IsSparkling());
}

} // namespace
