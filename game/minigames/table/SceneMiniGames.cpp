#include "game/minigames/table/SceneMiniGames.h"

namespace
{

using K = MiniGameKind;

constexpr std::array<SceneMiniGame, kSceneMiniGameCount> kTable = {{
    {1, "Scene1", "Level1", K::Jigsaw, "", 1, 0, 0},
    {2, "Scene2", "Level1", K::RotatingTiles, "Mode1", 0, 0, 0},
    {3, "Scene3", "Level1", K::FindDifferences, "Mode1", 0, 150, 20},
    {4, "Scene4", "Level1", K::MorseTypewriter, "", 0, 0, 0},
    {5, "Scene5", "Level2", K::MatchSticks, "Fish", 0, 0, 0},
    {6, "Scene6", "Level2", K::BoxPushing, "Mode1", 0, 150, 30},
    {7, "Scene7", "Level2", K::Reversi, "", 1, 0, 0},
    {8, "Scene8", "Level3", K::WinePitchers, "Mode1", 0, 0, 0},
    {9, "Scene9", "Level3", K::Queens, "", 4, 0, 0},
    {10, "Scene10", "Level3", K::MemoryCards, "Mode1", 0, 0, 0},
    {11, "Scene11", "Level4", K::LetterScramble, "", 0, 0, 0},
    {12, "Scene12", "Level4", K::ClockHands, "", 0, 0, 0},
    {13, "Scene13", "Level4", K::Queens, "", 5, 0, 0},
    {14, "Scene14", "Level5", K::RotatingTiles, "Mode2", 0, 0, 0},
    {15, "Scene15", "Level5", K::BoxPushing, "Mode2", 0, 150, 30},
    {16, "Scene16", "Level5", K::WaveMatching, "", 0, 150, 20},
    {17, "Scene17", "Level5", K::FindDifferences, "Mode2", 0, 150, 20},
    {18, "Scene18", "Level6", K::WinePitchers, "Mode2", 0, 0, 0},
    {19, "Scene19", "Level6", K::MatchSticks, "Squares5to4", 0, 0, 0},
    {20, "Scene20", "Level6", K::TableSeating, "", 1, 0, 0},
    {21, "Scene21", "Level6", K::BoxPushing, "Mode3", 0, 150, 30},
    {22, "Scene22", "Level7", K::TanksAndValves, "", 0, 0, 0},
    {23, "Scene23", "Level7", K::ClockHands, "", 0, 0, 0},
    {24, "Scene24", "Level7", K::TableSeating, "", 2, 0, 0},
    {25, "Scene25", "Level8", K::RotatingTiles, "Mode3", 0, 0, 0},
    {26, "Scene26", "Level8", K::Queens, "", 5, 0, 0},
    {27, "Scene27", "Level8", K::Reversi, "", 2, 0, 0},
    {28, "Scene28", "Level9", K::FindDifferences, "Mode3", 0, 150, 20},
    {29, "Scene29", "Level9", K::LetterScramble, "", 0, 0, 0},
    {30, "Scene30", "Level9", K::MemoryCards, "Mode2", 0, 0, 0},
    {31, "Scene31", "Level10", K::Jigsaw, "", 2, 0, 0},
}};

} // namespace

const std::array<SceneMiniGame, kSceneMiniGameCount>& SceneMiniGames()
{
    return kTable;
}

const SceneMiniGame* FindSceneMiniGame(const std::string& levelName, const std::string& sceneName)
{
    for (const SceneMiniGame& entry : kTable)
        if (levelName == entry.mLevelName && sceneName == entry.mSceneName)
            return &entry;
    return nullptr;
}

const SceneMiniGame* GalleryMiniGame(int index)
{
    if (index < 0 || index >= kGalleryMiniGameCount)
        return nullptr;
    return &kTable[size_t(index)];
}
