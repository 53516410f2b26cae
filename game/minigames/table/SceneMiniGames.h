#pragma once

#include <array>
#include <string>

// The sixteen games behind the scenes' usable objects (the bomb is started by
// the last scene's ending, not from this table).
enum class MiniGameKind
{
    Jigsaw,
    RotatingTiles,
    FindDifferences,
    MorseTypewriter,
    MatchSticks,
    BoxPushing,
    Reversi,
    WinePitchers,
    Queens,
    MemoryCards,
    LetterScramble,
    ClockHands,
    WaveMatching,
    TableSeating,
    TanksAndValves
};

// Which game a scene opens, with its constructor's argument and where the
// game widget stands once placed (always 800 x 600). The scene screen and the
// puzzle gallery both build from this one table.
struct SceneMiniGame
{
    int mScene = 0; // 1..31
    const char* mSceneName = "";
    const char* mLevelName = "";
    MiniGameKind mKind = MiniGameKind::Jigsaw;
    const char* mTextArgument = ""; // mode or puzzle name, empty for games that take none
    int mNumberArgument = 0;        // picture kind, board size or mode number, 0 for none
    int mX = 0;
    int mY = 0;
};

inline constexpr int kSceneMiniGameCount = 31;
// Scenes 1 to 30; the last scene's jigsaw is not replayed in the gallery.
inline constexpr int kGalleryMiniGameCount = 30;

const std::array<SceneMiniGame, kSceneMiniGameCount>& SceneMiniGames();
// The entry of a scene by its level and scene names (exact); null when none.
const SceneMiniGame* FindSceneMiniGame(const std::string& levelName, const std::string& sceneName);
// The gallery's entry by button index 0..29 (scene index + 1); null for any other index.
const SceneMiniGame* GalleryMiniGame(int index);
