#include "game/minigames/gallery/MiniGameFactory.h"

#include "game/minigames/bomb/BombMiniGame.h"
#include "game/minigames/clock/ClockMiniGame.h"
#include "game/minigames/differences/FindDifferences.h"
#include "game/minigames/jigsaw/MiniGamePuzzle.h"
#include "game/minigames/matches/MatchesMiniGame.h"
#include "game/minigames/memory/MemoryGame.h"
#include "game/minigames/queens/QueensMiniGame.h"
#include "game/minigames/reversi/MiniGameReversi.h"
#include "game/minigames/rotating/RotatingPicture.h"
#include "game/minigames/scramble/LetterScramble.h"
#include "game/minigames/seating/SeatingMiniGame.h"
#include "game/minigames/sokoban/MiniGameSokoban.h"
#include "game/minigames/typewriter/MiniGameTypewriter.h"
#include "game/minigames/vessels/DecantingMiniGame.h"
#include "game/minigames/vessels/WinePitchers.h"
#include "game/minigames/wave/OscilloscopeMiniGame.h"
#include "game/shell/GameStateStack.h"

namespace
{

MiniGameWidget* Build(const SceneMiniGame& entry)
{
    switch (entry.mKind)
    {
    case MiniGameKind::Jigsaw:
        return new MiniGamePuzzle(entry.mNumberArgument);
    case MiniGameKind::RotatingTiles:
        return new RotatingPicture(entry.mTextArgument);
    case MiniGameKind::FindDifferences:
        return new FindDifferences(entry.mTextArgument);
    case MiniGameKind::MorseTypewriter:
        return new MiniGameTypewriter();
    case MiniGameKind::MatchSticks:
        return new MatchesMiniGame(entry.mTextArgument);
    case MiniGameKind::BoxPushing:
        return new MiniGameSokoban(entry.mTextArgument);
    case MiniGameKind::Queens:
        return new ToManyQueens(entry.mNumberArgument);
    case MiniGameKind::MemoryCards:
        return new MemoryGame(entry.mTextArgument);
    case MiniGameKind::WinePitchers:
        return new WinePitchers(entry.mTextArgument);
    case MiniGameKind::LetterScramble:
        return new LetterScramble();
    case MiniGameKind::TableSeating:
        return new TableNeighbours(entry.mNumberArgument);
    case MiniGameKind::TanksAndValves:
        return new DecantingMiniGame();
    case MiniGameKind::Reversi:
        return new MiniGameReversi(entry.mNumberArgument);
    case MiniGameKind::ClockHands:
        return new ClockMiniGame();
    case MiniGameKind::WaveMatching:
        return new OscilloscopeMiniGame();
    default:
        return nullptr;
    }
}

} // namespace

MiniGameWidget* CreateMiniGame(const SceneMiniGame& entry)
{
    MiniGameWidget* game = Build(entry);
    if (game == nullptr)
        return nullptr;
    game->Resize(entry.mX, entry.mY, 800, 600);
    // Games that keep pieces of their own beside the board place them when moved.
    game->Move(entry.mX, entry.mY);
    return game;
}

MiniGameWidget* CreateMiniGameByIndex(int index, GameStateStack* stack)
{
    const SceneMiniGame* entry = GalleryMiniGame(index);
    if (entry == nullptr || stack == nullptr)
        return nullptr;
    MiniGameWidget* game = CreateMiniGame(*entry);
    if (game != nullptr)
        PushGameState(game, stack);
    return game;
}

BombMiniGame* CreateBombMiniGame(MiniGameOwner* owner, GameStateStack* stack)
{
    auto* bomb = new BombMiniGame();
    bomb->Resize(0, 0, 800, 600);
    bomb->SetOwnerScene(owner);
    bomb->mSkipAllowed = false;
    if (stack != nullptr)
        PushGameState(bomb, stack);
    return bomb;
}
