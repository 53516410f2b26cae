// The wine pitchers, the tanks, the table seating and the letter scramble
// played to a win by a scripted player clicking at screen points: from the
// puzzle gallery, which leaves the profile as it was, and from their scenes,
// which marks the scene's game done, uses up the held item and, with nothing
// left to find, starts the scene's end.
#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/minigames/gallery/PuzzleScreen.h"
#include "game/records/PlayerProfile.h"
#include "tests/game/minigames/flows/ScriptedPlayersSupport.h"

#include <gtest/gtest.h>

namespace
{

using minigametest::MiniGameApp;
using minigametest::RecordingOwner;

std::vector<int> IndexesOfThisIssue()
{
    std::vector<int> indexes;
    for (int index = 0; index < kGalleryMiniGameCount; ++index)
    {
        const MiniGameKind kind = GalleryMiniGame(index)->mKind;
        if (kind == MiniGameKind::WinePitchers || kind == MiniGameKind::TanksAndValves ||
            kind == MiniGameKind::TableSeating || kind == MiniGameKind::LetterScramble)
            indexes.push_back(index);
    }
    return indexes;
}

// Lets the dim-in end and the help panel slide in, then clicks it away.
void DismissHelp(MiniGameApp& app, MiniGameWidget* game)
{
    app.Step(60);
    ASSERT_NE(app.mStack.Top(), game);
    app.Click(400, 300);
    app.Step(30);
    ASSERT_EQ(app.mStack.Top(), game);
    ASSERT_TRUE(game->mResetButton->mVisible);
}

class MiniGameWinsFlow : public ::testing::TestWithParam<int>
{
};

} // namespace

TEST_P(MiniGameWinsFlow, PlayedFromTheGalleryTheProfileStaysAsItWas)
{
    MiniGameApp app;
    const int index = GetParam();
    PlayerProfile profile;
    profile.mWallpaperUnlocks.mEntries[size_t(index)].mUnlocked = true;
    const PlayerProfile before = profile;
    auto* gallery = new PuzzleScreen(&profile, false);
    gallery->Resize(0, 0, 800, 600);
    PushGameState(gallery, &app.mStack);
    const PuzzlePreviewButton& button = *gallery->mButtons[size_t(index)];
    app.Click(button.mX + 40, button.mY + 40);
    auto* game = dynamic_cast<MiniGameWidget*>(app.mStack.Top());
    ASSERT_NE(game, nullptr);
    EXPECT_FALSE(game->mSkipAllowed);
    DismissHelp(app, game);
    minigametest::PlayToSolve(app, game, "win_" + std::string(GalleryMiniGame(index)->mSceneName));
    minigametest::ConfirmEndDialog(app, game);
    EXPECT_EQ(app.mStack.Top(), gallery);
    EXPECT_TRUE(gallery->mButtons[0]->mVisible);
    EXPECT_TRUE(profile.mWallpaperUnlocks == before.mWallpaperUnlocks);
    EXPECT_TRUE(profile.mPlayTime == before.mPlayTime);
}

TEST_P(MiniGameWinsFlow, PlayedFromItsSceneTheSceneRecordsTheSolve)
{
    MiniGameApp app;
    const SceneMiniGame& entry = *GalleryMiniGame(GetParam());
    ASSERT_EQ(FindSceneMiniGame(entry.mLevelName, entry.mSceneName), &entry);
    RecordingOwner owner;
    MiniGameWidget* game = CreateMiniGame(entry);
    ASSERT_NE(game, nullptr);
    game->mSkipAllowed = true;
    game->SetOwnerScene(&owner);
    PushGameState(game, &app.mStack);
    DismissHelp(app, game);
    EXPECT_TRUE(game->mSkipButton->mVisible);
    minigametest::PlayToSolve(app, game);
    EXPECT_TRUE(owner.mLog.empty()); // nothing is recorded before the end dialog's OK
    minigametest::ConfirmEndDialog(app, game);
    EXPECT_EQ(owner.mLog, (std::vector<std::string>{"done", "discard", "end delay"}));
    EXPECT_TRUE(app.mStack.Empty());
}

INSTANTIATE_TEST_SUITE_P(ScenesOfTheMeasuringSeatingAndLetterGames, MiniGameWinsFlow,
                         ::testing::ValuesIn(IndexesOfThisIssue()),
                         [](const ::testing::TestParamInfo<int>& info)
                         { return std::string(GalleryMiniGame(info.param)->mSceneName); });
