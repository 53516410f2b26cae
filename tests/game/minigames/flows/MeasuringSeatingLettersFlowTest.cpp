// The widget rules of the wine pitchers, the tanks, the table seating and the
// letter scramble on the mini-game base: what a click does while something
// moves, when the end dialog comes, and what Reset leaves.
#include "game/minigames/scramble/LetterScramble.h"
#include "game/minigames/seating/SeatingMiniGame.h"
#include "game/minigames/vessels/DecantingMiniGame.h"
#include "game/minigames/vessels/WinePitchers.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/Resources.h"
#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace
{

using minigametest::MiniGameApp;
using minigametest::Open;

void Press(MenuItem& button)
{
    button.OnMouseButtonDown(5, 5, 0, 1);
}

} // namespace

TEST(MeasuringSeatingLettersFlow, WineArrowsWaitForTheLevelsAndTheDialogForBothToSettle)
{
    MiniGameApp app;
    WinePitchers* game = Open(app, new WinePitchers("Mode7"));
    EXPECT_EQ(game->mHelpNumber, 8); // an unknown mode plays the first puzzle
    EXPECT_EQ(game->mBoard->GetVessels().GetFirstCapacity(), 5);
    const auto pours = [&]
    { return std::count(app.mSounds.begin(), app.mSounds.end(), SFX_MG_LIQUID_POUR_WINE); };
    Press(*game->mFillBottleButton);
    EXPECT_EQ(pours(), 1);
    Press(*game->mFillGlassButton); // the bottle's level still moves: nothing, not even the pour
    EXPECT_EQ(pours(), 1);
    EXPECT_EQ(game->mBoard->GetVessels().GetSecond(), 0);
    app.Step(45);
    // Reset during a level animation takes it down to 0 from where it stands.
    Press(*game->mPourBottleButton);
    app.Step(10);
    const int bottle = game->mBoard->GetBottleLevel();
    game->OnResetClicked();
    app.Step(2);
    EXPECT_LE(game->mBoard->GetBottleLevel(), bottle);
    app.Step(45);
    EXPECT_EQ(game->mBoard->GetBottleLevel(), 0);
    EXPECT_EQ(game->mBoard->GetGlassLevel(), 0);
    // fill 5, pour (2, 3), empty glass, pour (0, 2), fill (5, 2), pour (4, 3)
    for (MenuItem* arrow :
         {game->mFillBottleButton.get(), game->mPourBottleButton.get(), game->mEmptyGlassButton.get(),
          game->mPourBottleButton.get(), game->mFillBottleButton.get(), game->mPourBottleButton.get()})
    {
        Press(*arrow);
        app.Step(45);
    }
    ASSERT_TRUE(game->mSolved);
    EXPECT_EQ(game->mBoard->GetVessels().GetFirst(), 4);
    // A solved game takes no more pours, so nothing can undo the solve before its dialog.
    const auto before = pours();
    Press(*game->mEmptyBottleButton);
    game->OnResetClicked();
    EXPECT_EQ(pours(), before);
    EXPECT_EQ(game->mBoard->GetVessels().GetFirst(), 4);
    app.Step(16);
    ASSERT_NE(dynamic_cast<CustomDialog*>(app.mStack.Top()), nullptr);
}

TEST(MeasuringSeatingLettersFlow, ValvesTurnWhileTheyActAndResetEmptiesToTheBaseColumns)
{
    MiniGameApp app;
    DecantingMiniGame* game = Open(app, new DecantingMiniGame());
    using V = TanksBoard::Valve;
    EXPECT_EQ(game->mBoard->GetLeftHeight(), 25);
    EXPECT_EQ(game->mBoard->GetRightHeight(), 26);
    game->mValves[size_t(V::FillLeft)]->OnMouseButtonDown(5, 5, 0, 1);
    EXPECT_TRUE(app.Played(SFX_MG_LIQUID_POUR_OIL));
    game->mValves[size_t(V::FillRight)]->OnMouseButtonDown(5, 5, 0, 1); // the left level moves
    EXPECT_EQ(game->mBoard->GetTanks().GetSecond(), 0);
    app.Step(10);
    EXPECT_FLOAT_EQ(game->mBoard->GetValve(V::FillLeft).GetAngle(), -90.0f);
    app.Step(35);
    EXPECT_FALSE(game->mBoard->IsMoving());
    app.Step(10);
    EXPECT_FLOAT_EQ(game->mBoard->GetValve(V::FillLeft).GetAngle(), 0.0f);
    game->mValves[size_t(V::PourLeftIntoRight)]->OnMouseButtonDown(5, 5, 1, 1); // right button: nothing
    EXPECT_FALSE(game->mBoard->IsMoving());
    game->mValves[size_t(V::PourLeftIntoRight)]->OnMouseButtonDown(5, 5, 0, 1);
    app.Step(60);
    EXPECT_EQ(game->mBoard->GetTanks().GetFirst(), 2);
    EXPECT_EQ(game->mBoard->GetTanks().GetSecond(), 5);
    game->OnResetClicked();
    EXPECT_FALSE(game->mBoard->GetValve(V::EmptyLeft).IsStill());
    EXPECT_FALSE(game->mBoard->GetValve(V::EmptyRight).IsStill());
    app.Step(60);
    EXPECT_EQ(game->mBoard->GetLeftHeight(), 25);
    EXPECT_EQ(game->mBoard->GetRightHeight(), 26);
    EXPECT_FALSE(game->mSolved);
}

// A solved tank or table keeps taking clicks until the end dialog covers it:
// a click that undoes the solve holds the dialog back.
TEST(MeasuringSeatingLettersFlow, ValvesAndSeatsStayLiveUntilTheEndDialog)
{
    MiniGameApp app;
    {
        DecantingMiniGame* game = Open(app, new DecantingMiniGame());
        using V = TanksBoard::Valve;
        for (V valve :
             {V::FillLeft, V::PourLeftIntoRight, V::EmptyRight, V::PourLeftIntoRight, V::FillLeft,
              V::PourLeftIntoRight, V::EmptyRight, V::PourLeftIntoRight, V::FillLeft, V::PourLeftIntoRight})
        {
            game->mValves[size_t(valve)]->OnMouseButtonDown(5, 5, 0, 1);
            auto settled = [&]
            {
                for (int v = 0; v < TanksBoard::kValveCount; ++v)
                    if (!game->mBoard->GetValve(V(v)).IsStill())
                        return false;
                return !game->mBoard->IsMoving();
            };
            for (int update = 0; update < 200 && !settled(); ++update)
                app.Step(1);
        }
        app.Step(1);
        ASSERT_TRUE(game->mSolved);
        game->mValves[size_t(V::EmptyLeft)]->OnMouseButtonDown(5, 5, 0, 1);
        EXPECT_EQ(game->mBoard->GetTanks().GetFirst(), 0);
        app.Step(100);
        EXPECT_FALSE(game->mSolved);
        EXPECT_EQ(app.mStack.Top(), game);
        ClearGameStates(&app.mStack);
        app.FlushDeletes();
    }
    TableNeighbours* game = Open(app, new TableNeighbours(1));
    const SeatingTable& board = *game->mBoard;
    // 1, 4, 2, 6, 3, 5 around the table, turned so that the fixed guest keeps its seat.
    const int order[6] = {1, 4, 2, 6, 3, 5};
    int turn = 0;
    while (order[(board.GetFixedSeat() + turn) % 6] != board.GetFixedGuest() + 1)
        ++turn;
    int lastSeat = -1;
    for (int seat = 0; seat < 6; ++seat)
    {
        if (seat == board.GetFixedSeat())
            continue;
        game->mGuests[size_t(order[(seat + turn) % 6] - 1)]->OnMouseButtonDown(5, 5, 0, 1);
        game->mSeats[size_t(seat)]->OnMouseButtonDown(5, 5, 0, 1);
        lastSeat = seat;
    }
    ASSERT_TRUE(game->mSolved);
    game->mSeats[size_t(lastSeat)]->OnMouseButtonDown(5, 5, 0, 1);
    EXPECT_EQ(board.GetHeld(), order[(lastSeat + turn) % 6] - 1);
    EXPECT_FALSE(game->mSolved);
    app.Step(30);
    EXPECT_EQ(app.mStack.Top(), game);
}

TEST(MeasuringSeatingLettersFlow, GuestsAreCarriedSwappedAndSentHomeButTheFixedOneStays)
{
    MiniGameApp app;
    TableNeighbours* game = Open(app, new TableNeighbours(1));
    const SeatingTable& board = *game->mBoard;
    const int fixedSeat = board.GetFixedSeat();
    const int a = (board.GetFixedGuest() + 1) % 6, b = (board.GetFixedGuest() + 2) % 6;
    const int seat = (fixedSeat + 1) % 6;
    game->mGuests[size_t(a)]->OnMouseButtonDown(5, 5, 0, 1);
    EXPECT_TRUE(app.Played(SFX_MG_NEIGHBOURS_PICK_RESERVATION));
    game->mSeats[size_t(fixedSeat)]->OnMouseButtonDown(5, 5, 0, 1); // the fixed guest keeps the seat
    EXPECT_EQ(board.GetHeld(), a);
    game->mSeats[size_t(seat)]->OnMouseButtonDown(5, 5, 0, 1);
    EXPECT_EQ(board.GetGuestOnSeat(seat), a);
    EXPECT_EQ(game->mGuests[size_t(a)]->mX, game->mSeats[size_t(seat)]->mX);
    game->mGuests[size_t(b)]->OnMouseButtonDown(5, 5, 0, 1);
    game->mSeats[size_t(seat)]->OnMouseButtonDown(5, 5, 0, 1); // a swap: the seated guest is in hand
    EXPECT_EQ(board.GetGuestOnSeat(seat), b);
    EXPECT_EQ(board.GetHeld(), a);
    app.Point(400, 300);
    app.Step(1);
    EXPECT_EQ(game->mGuests[size_t(a)]->mX, 400 - game->mGuests[0]->mWidth / 2);
    game->mSeats[0]->OnMouseButtonDown(5, 5, 1, 1); // right button: home
    EXPECT_EQ(board.GetHeld(), -1);
    EXPECT_EQ(game->mGuests[size_t(a)]->mX, game->mGuests[size_t(a)]->mHomeX);
    game->mGuests[size_t(a)]->OnMouseButtonDown(5, 5, 0, 1);
    game->OnResetClicked(); // Reset lets go of the guest in hand too
    EXPECT_EQ(board.GetHeld(), -1);
    EXPECT_EQ(board.GetSeatOfGuest(b), -1);
    EXPECT_EQ(board.GetGuestOnSeat(fixedSeat), board.GetFixedGuest());
}

TEST(MeasuringSeatingLettersFlow, TwoTilesPassEachOtherOnAHalfCircleThenChangeLetters)
{
    MiniGameApp app;
    LetterScramble* game = Open(app, new LetterScramble());
    ASSERT_GE(game->mTiles.size(), 3u);
    LetterScrambleItem& left = *game->mTiles[0];
    LetterScrambleItem& right = *game->mTiles[1];
    const char first = game->mBoard.GetLetter(0), second = game->mBoard.GetLetter(1);
    left.OnMouseButtonDown(3, 3, 0, 1);
    left.OnMouseButtonDown(3, 3, 0, 1); // clicked again: deselected, with the click sound
    EXPECT_EQ(game->mBoard.GetFirst(), -1);
    EXPECT_EQ(std::count(app.mSounds.begin(), app.mSounds.end(), SFX_MG_LETTER_CLICK), 2);
    left.OnMouseButtonDown(3, 3, 0, 1);
    right.OnMouseButtonDown(3, 3, 1, 1); // any button selects
    EXPECT_TRUE(app.Played(SFX_MG_LETTER_SWITCH));
    game->mTiles[2]->OnMouseButtonDown(3, 3, 0, 1); // a third tile waits for the swap
    EXPECT_EQ(game->mBoard.GetFirst(), 0);
    const int leftY = left.mY;
    app.Step(13); // the path is built, then six steps
    // The first-chosen tile, on the left, travels below the row and the other above it.
    EXPECT_GT(left.mY, leftY);
    EXPECT_LT(right.mY, leftY);
    EXPECT_EQ(game->mBoard.GetLetter(0), first);
    app.Step(12);
    EXPECT_EQ(game->mSwapState, LetterScramble::SWAP_IDLE);
    EXPECT_EQ(left.mY, leftY);
    EXPECT_EQ(game->mBoard.GetLetter(0), second);
    EXPECT_EQ(game->mBoard.GetLetter(1), first);
}
