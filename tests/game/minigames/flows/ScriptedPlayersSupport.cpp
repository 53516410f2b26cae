#include "tests/game/minigames/flows/ScriptedPlayersSupport.h"

#include "game/minigames/scramble/LetterScramble.h"
#include "game/minigames/seating/SeatingMiniGame.h"
#include "game/minigames/vessels/DecantingMiniGame.h"
#include "game/minigames/vessels/VesselSolver.h"
#include "game/minigames/vessels/WinePitchers.h"
#include "game/shell/CustomDialog.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace minigametest
{

namespace
{

void ClickCentre(const PlayHost& app, const Quib::Widget& widget)
{
    app.click(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2);
}

void ClickCentre(MiniGameApp& app, const Quib::Widget& widget)
{
    app.Click(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2);
}

template <class Still> void StepUntil(const PlayHost& app, Still still)
{
    for (int update = 0; update < 200 && !still(); ++update)
        app.step(1);
    ASSERT_TRUE(still());
}

void MaybeDraw(const PlayHost& app, const std::string& frame, size_t move, size_t moves)
{
    if (!frame.empty() && move == moves / 2)
        app.draw(FrameFile(frame));
}

void PlayWinePitchers(const PlayHost& app, WinePitchers& game, const std::string& frame)
{
    const auto line = SolveVessels(game.mBoard->GetVessels());
    ASSERT_TRUE(line.has_value());
    for (size_t i = 0; i < line->size(); ++i)
    {
        using O = VesselPair::Operation;
        const MenuItem* arrows[] = {game.mFillBottleButton.get(),  game.mFillGlassButton.get(),
                                    game.mEmptyBottleButton.get(), game.mEmptyGlassButton.get(),
                                    game.mPourBottleButton.get(),  game.mPourGlassButton.get()};
        static_assert(int(O::FillFirst) == 0 && int(O::PourSecondIntoFirst) == 5);
        ClickCentre(app, *arrows[size_t((*line)[i])]);
        ASSERT_TRUE(game.mBoard->IsMoving()) << i;
        StepUntil(app, [&] { return !game.mBoard->IsMoving(); });
        MaybeDraw(app, frame, i, line->size());
    }
}

void PlayTanks(const PlayHost& app, DecantingMiniGame& game, const std::string& frame)
{
    const auto line = SolveVessels(game.mBoard->GetTanks());
    ASSERT_TRUE(line.has_value());
    for (size_t i = 0; i < line->size(); ++i)
    {
        using O = VesselPair::Operation;
        using V = TanksBoard::Valve;
        const O operation = (*line)[i];
        const V valve = operation == O::FillFirst             ? V::FillLeft
                        : operation == O::FillSecond          ? V::FillRight
                        : operation == O::EmptyFirst          ? V::EmptyLeft
                        : operation == O::EmptySecond         ? V::EmptyRight
                        : operation == O::PourFirstIntoSecond ? V::PourLeftIntoRight
                                                              : V::PourRightIntoLeft;
        ClickCentre(app, *game.mValves[size_t(valve)]);
        ASSERT_TRUE(game.mBoard->IsMoving()) << i;
        if (i == line->size() / 2 && !frame.empty())
        {
            app.step(12); // the valve half open, the liquid on its way
            app.draw(FrameFile(frame));
        }
        StepUntil(app,
                  [&]
                  {
                      for (int v = 0; v < TanksBoard::kValveCount; ++v)
                          if (!game.mBoard->GetValve(TanksBoard::Valve(v)).IsStill())
                              return false;
                      return !game.mBoard->IsMoving();
                  });
    }
}

// Guest numbers per seat that satisfy the table around its fixed guest.
std::array<int, SeatingTable::kCount> SeatingSolution(const SeatingTable& table)
{
    std::vector<int> free;
    for (int guest = 0; guest < SeatingTable::kCount; ++guest)
        if (guest != table.GetFixedGuest())
            free.push_back(guest);
    do
    {
        std::array<int, SeatingTable::kCount> numbers{};
        numbers[size_t(table.GetFixedSeat())] = table.GetFixedGuest() + 1;
        size_t next = 0;
        for (int seat = 0; seat < SeatingTable::kCount; ++seat)
            if (seat != table.GetFixedSeat())
                numbers[size_t(seat)] = free[next++] + 1;
        if (SeatingTable::Satisfies(numbers, table.GetMode()))
            return numbers;
    } while (std::next_permutation(free.begin(), free.end()));
    return {};
}

void PlaySeating(const PlayHost& app, TableNeighbours& game, const std::string& frame)
{
    const std::array<int, SeatingTable::kCount> numbers = SeatingSolution(*game.mBoard);
    ASSERT_NE(numbers[0], 0) << "no seating solves this table";
    for (int seat = 0; seat < SeatingTable::kCount; ++seat)
    {
        if (seat == game.mBoard->GetFixedSeat())
            continue;
        const int guest = numbers[size_t(seat)] - 1;
        ClickCentre(app, *game.mGuests[size_t(guest)]);
        ASSERT_EQ(game.mBoard->GetHeld(), guest);
        const ObjectSeat& target = *game.mSeats[size_t(seat)];
        app.point(target.mX + 20, target.mY + 20);
        app.step(2);
        EXPECT_EQ(game.mGuests[size_t(guest)]->mX, target.mX + 20 - game.mGuests[0]->mWidth / 2);
        MaybeDraw(app, frame, size_t(seat), SeatingTable::kCount);
        ClickCentre(app, target);
        ASSERT_EQ(game.mBoard->GetGuestOnSeat(seat), guest);
    }
}

void Exchange(const PlayHost& app, LetterScramble& game, int a, int b)
{
    ClickCentre(app, *game.mTiles[size_t(a)]);
    ClickCentre(app, *game.mTiles[size_t(b)]);
    ASSERT_NE(game.mSwapState, LetterScramble::SWAP_IDLE);
    StepUntil(app, [&] { return game.mSwapState == LetterScramble::SWAP_IDLE; });
}

void PlayScramble(const PlayHost& app, LetterScramble& game, const std::string& frame)
{
    const std::string word = game.mBoard.GetWord();
    ASSERT_GE(word.size(), 2u);
    if (game.mBoard.GetLetters() == word)
    {
        // A shuffle that left the word as it was counts only once a swap has been made.
        Exchange(app, game, 0, 1);
        if (!game.mSolved)
            Exchange(app, game, 0, 1);
        return;
    }
    for (int place = 0; place < game.mBoard.GetTileCount(); ++place)
    {
        if (game.mBoard.GetLetter(place) == word[size_t(place)])
            continue;
        for (int other = place + 1; other < game.mBoard.GetTileCount(); ++other)
            if (game.mBoard.GetLetter(other) == word[size_t(place)])
            {
                Exchange(app, game, place, other);
                break;
            }
        MaybeDraw(app, frame, size_t(place), word.size());
    }
}

} // namespace

void PlayToSolve(MiniGameApp& app, MiniGameWidget* game, const std::string& frame)
{
    const PlayHost host{[&](int updates) { app.Step(updates); }, [&](int x, int y) { app.Point(x, y); },
                        [&](int x, int y) { app.Click(x, y); },
                        [&](const std::string& file) { app.DrawFrame(file); }};
    PlayToSolve(host, game, frame);
}

bool HasScriptedPlayer(const MiniGameWidget* game)
{
    return dynamic_cast<const WinePitchers*>(game) != nullptr ||
           dynamic_cast<const DecantingMiniGame*>(game) != nullptr ||
           dynamic_cast<const TableNeighbours*>(game) != nullptr ||
           dynamic_cast<const LetterScramble*>(game) != nullptr;
}

void PlayToSolve(const PlayHost& app, MiniGameWidget* game, const std::string& frame)
{
    if (auto* wine = dynamic_cast<WinePitchers*>(game))
        PlayWinePitchers(app, *wine, frame);
    else if (auto* tanks = dynamic_cast<DecantingMiniGame*>(game))
        PlayTanks(app, *tanks, frame);
    else if (auto* seating = dynamic_cast<TableNeighbours*>(game))
        PlaySeating(app, *seating, frame);
    else if (auto* scramble = dynamic_cast<LetterScramble*>(game))
        PlayScramble(app, *scramble, frame);
    else
        ADD_FAILURE() << "no scripted player for this game";
}

void ConfirmEndDialog(MiniGameApp& app, MiniGameWidget* game)
{
    CustomDialog* dialog = nullptr;
    for (int update = 0; update < 100 && dialog == nullptr; ++update)
    {
        app.Step(1);
        dialog = dynamic_cast<CustomDialog*>(app.mStack.Top());
    }
    ASSERT_TRUE(game->mSolved);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, MiniGameWidget::DIALOG_ID_MINI_GAME_END);
    app.Step(60); // the dialog slides in
    ClickCentre(app, *dialog->mFirstButton);
    app.Step(100); // the dialog slides out, then the game dims out
}

} // namespace minigametest
