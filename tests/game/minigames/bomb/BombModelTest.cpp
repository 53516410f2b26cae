#include "game/minigames/bomb/BombState.h"

#include <gtest/gtest.h>

namespace
{

using B = BombState::Button;

// Each wire a 10 x 4 picture whose left half is visible.
std::array<AlphaMask, BombState::kWires> Wires()
{
    std::array<AlphaMask, BombState::kWires> masks;
    std::vector<uint8_t> alpha(40, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            alpha[size_t(y * 10 + x)] = 255;
    for (AlphaMask& mask : masks)
        mask = AlphaMask(10, 4, alpha);
    return masks;
}

void CutAll(BombState& bomb)
{
    bomb.ClickTool(BombState::kPliers, B::Left);
    for (int wire = 0; wire < BombState::kWires; ++wire)
        bomb.ClickWire(wire, B::Left);
    bomb.ClickTool(BombState::kPliers, B::Left);
}

void Unscrew(BombState& bomb)
{
    bomb.ClickTool(BombState::kScrewdriver, B::Left);
    bomb.ClickScrew();
}

void ExpectFirstState(const BombState& bomb)
{
    for (int wire = 0; wire < BombState::kWires; ++wire)
        EXPECT_FALSE(bomb.IsWireCut(wire)) << wire;
    EXPECT_EQ(bomb.GetCutCount(), 0);
    EXPECT_FALSE(bomb.IsScrewUndone());
    EXPECT_EQ(bomb.GetHeldTool(), -1);
    EXPECT_FALSE(bomb.IsToolTaken(BombState::kPliers));
    EXPECT_FALSE(bomb.IsToolTaken(BombState::kScrewdriver));
    const BombState::Display display = bomb.GetDisplay();
    EXPECT_EQ(display.mMinutes, 2);
    EXPECT_EQ(display.mTens, 0);
    EXPECT_EQ(display.mUnits, 0);
}

} // namespace

TEST(BombStateTest, WiresAndScrewInEitherOrderSolve)
{
    for (bool screwFirst : {false, true})
    {
        BombState bomb(Wires());
        if (screwFirst)
            Unscrew(bomb);
        CutAll(bomb);
        if (!screwFirst)
        {
            EXPECT_FALSE(bomb.IsSolved());
            EXPECT_TRUE(bomb.IsCountdownRunning());
            Unscrew(bomb);
        }
        EXPECT_TRUE(bomb.IsSolved());
        EXPECT_FALSE(bomb.IsCountdownRunning());
        EXPECT_FALSE(bomb.AreCogsTurning());
        // The time no longer runs out.
        EXPECT_FALSE(bomb.Update(BombState::kLimitMs * 2));
    }
}

TEST(BombStateTest, ToolsAreTakenAndPutBack)
{
    BombState bomb(Wires());
    bomb.ClickWire(0, B::Left); // no pliers in hand
    EXPECT_FALSE(bomb.IsWireCut(0));
    bomb.ClickTool(BombState::kPliers, B::Left);
    EXPECT_EQ(bomb.GetHeldTool(), BombState::kPliers);
    bomb.ClickScrew(); // the wrong tool
    EXPECT_FALSE(bomb.IsScrewUndone());
    bomb.ClickWire(1, B::Right);
    EXPECT_FALSE(bomb.IsWireCut(1));
    bomb.ClickWire(1, B::Left);
    bomb.ClickWire(1, B::Left);
    EXPECT_EQ(bomb.GetCutCount(), 1);
    // A click on the other tool only puts the held one back; a second takes it.
    bomb.ClickTool(BombState::kScrewdriver, B::Left);
    EXPECT_EQ(bomb.GetHeldTool(), -1);
    EXPECT_FALSE(bomb.IsToolTaken(BombState::kPliers));
    bomb.ClickTool(BombState::kScrewdriver, B::Left);
    EXPECT_EQ(bomb.GetHeldTool(), BombState::kScrewdriver);
    bomb.ClickBackground(false, B::Left); // outside the tray: kept
    EXPECT_EQ(bomb.GetHeldTool(), BombState::kScrewdriver);
    bomb.ClickBackground(true, B::Left);
    EXPECT_EQ(bomb.GetHeldTool(), -1);
    bomb.ClickTool(BombState::kScrewdriver, B::Left);
    bomb.ClickBackground(false, B::Right);
    EXPECT_FALSE(bomb.IsToolTaken(BombState::kScrewdriver));
    bomb.ClickTool(BombState::kScrewdriver, B::Middle);
    EXPECT_EQ(bomb.GetHeldTool(), -1);
    // Once the screw is out the screwdriver stays out of the tray and takes no clicks.
    Unscrew(bomb);
    EXPECT_EQ(bomb.GetHeldTool(), -1);
    EXPECT_TRUE(bomb.IsToolTaken(BombState::kScrewdriver));
    bomb.ClickTool(BombState::kScrewdriver, B::Left);
    EXPECT_EQ(bomb.GetHeldTool(), -1);
}

TEST(BombStateTest, WiresHoverOnTheirOwnPixelsOrAnywhereWithThePliers)
{
    BombState bomb(Wires());
    struct Case
    {
        int mX, mY;
        bool mBare, mWithPliers;
    };
    // (12, 0) lies outside the picture though its row-major index would fall inside.
    const Case cases[] = {{0, 0, true, true},  {4, 3, true, true},    {5, 0, false, true},
                          {9, 3, false, true}, {12, 0, false, false}, {-1, 0, false, false},
                          {0, 4, false, false}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(bomb.IsWireHovered(2, c.mX, c.mY), c.mBare) << c.mX << "," << c.mY;
        bomb.ClickTool(BombState::kPliers, B::Left);
        EXPECT_EQ(bomb.IsWireHovered(2, c.mX, c.mY), c.mWithPliers) << c.mX << "," << c.mY;
        bomb.ClickTool(BombState::kPliers, B::Left);
    }
}

TEST(BombStateTest, TheCountdownDisplayAndTheSchemePause)
{
    BombState bomb(Wires());
    struct Step
    {
        int mAdvanceMs;
        int mMinutes, mTens, mUnits;
        bool mLit;
    };
    const Step steps[] = {{0, 2, 0, 0, false},     {1, 1, 5, 9, true},     {1000, 1, 5, 8, false},
                          {48999, 1, 1, 0, false}, {10001, 0, 5, 9, true}, {58000, 0, 0, 1, true}};
    for (const Step& step : steps)
    {
        EXPECT_FALSE(bomb.Update(step.mAdvanceMs));
        const BombState::Display display = bomb.GetDisplay();
        EXPECT_EQ(display.mMinutes, step.mMinutes) << bomb.GetRemainingMs();
        EXPECT_EQ(display.mTens, step.mTens) << bomb.GetRemainingMs();
        EXPECT_EQ(display.mUnits, step.mUnits) << bomb.GetRemainingMs();
        EXPECT_EQ(display.mColonLit, step.mLit) << bomb.GetRemainingMs();
    }
    // With the scheme open the time does not run out; Close only closes the scheme.
    bomb.ToggleScheme();
    EXPECT_FALSE(bomb.Update(60000));
    EXPECT_EQ(bomb.GetRemainingMs(), 1999);
    EXPECT_TRUE(bomb.Close());
    EXPECT_FALSE(bomb.IsSchemeOpen());
    EXPECT_TRUE(bomb.IsCountdownRunning());
    EXPECT_FALSE(bomb.Close()); // now the game itself closes
}

TEST(BombStateTest, ATimeOutPutsTheWholeBombBack)
{
    BombState bomb(Wires());
    CutAll(bomb);
    bomb.ClickTool(BombState::kPliers, B::Left);
    EXPECT_FALSE(bomb.Update(BombState::kLimitMs - 1));
    EXPECT_TRUE(bomb.Update(1));
    EXPECT_EQ(bomb.GetPhase(), BombState::Phase::FlashingOut);
    EXPECT_EQ(bomb.GetHeldTool(), -1);
    EXPECT_FALSE(bomb.IsToolTaken(BombState::kPliers));
    EXPECT_FALSE(bomb.Update(1000)); // only once
    const BombState::Display zeros = bomb.GetDisplay();
    EXPECT_EQ(zeros.mMinutes + zeros.mTens + zeros.mUnits, 0);
    EXPECT_TRUE(zeros.mColonLit);
    // No tool and no scheme during the flash.
    bomb.ClickTool(BombState::kScrewdriver, B::Left);
    bomb.ToggleScheme();
    EXPECT_EQ(bomb.GetHeldTool(), -1);
    EXPECT_FALSE(bomb.IsSchemeOpen());
    bomb.FlashedWhite();
    EXPECT_EQ(bomb.GetPhase(), BombState::Phase::TryAgain);
    EXPECT_EQ(bomb.GetCutCount(), 0);
    bomb.TryAgainClosed();
    bomb.RestartFaded();
    EXPECT_EQ(bomb.GetPhase(), BombState::Phase::Playing);
    EXPECT_TRUE(bomb.IsCountdownRunning());
    ExpectFirstState(bomb);
    CutAll(bomb);
    Unscrew(bomb);
    EXPECT_TRUE(bomb.IsSolved());
}
