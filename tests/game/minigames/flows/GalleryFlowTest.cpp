// The puzzle gallery: locked and open games, every game built
// from the shared table at its place, and a game played from the gallery that
// changes nothing in the profile.
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/minigames/gallery/PuzzleScreen.h"
#include "game/minigames/queens/QueensBoard.h"
#include "game/minigames/queens/QueensMiniGame.h"
#include "game/records/PlayerProfile.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/Resources.h"
#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using minigametest::EnterFromScene;
using minigametest::FrameFile;
using minigametest::MiniGameApp;
using minigametest::RecordingOwner;

TEST(GalleryFlow, LockedGamesStayShutAndOpenOnesAreBuiltAtTheirPlace)
{
    MiniGameApp app;
    PlayerProfile profile;
    for (int index : {0, 1, 2, 3, 4, 5, 8, 9})
        profile.mWallpaperUnlocks.mEntries[size_t(index)].mUnlocked = true;
    auto* gallery = new PuzzleScreen(&profile, false);
    gallery->Resize(0, 0, 800, 600);
    PushGameState(gallery, &app.mStack);
    ASSERT_EQ(gallery->mButtons.size(), 30u);
    app.DrawFrame(FrameFile("puzzle_gallery"));
    gallery->mButtons[6]->OnMouseButtonDown(10, 10, 0, 1); // locked
    EXPECT_EQ(app.mStack.Top(), gallery);
    gallery->mButtons[5]->OnMouseButtonDown(10, 10, 0, 1);
    auto* game = dynamic_cast<MiniGameWidget*>(app.mStack.Top());
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->mX, 150);
    EXPECT_EQ(game->mY, 30);
    EXPECT_FALSE(game->mSkipAllowed);
    EXPECT_FALSE(gallery->mButtons[0]->mVisible);
    app.Step(30);
    ClearGameStates(&app.mStack);
    app.FlushDeletes();
}

// The gallery's title shows over its buttons but not through a game opened
// from it: the frame is the same whether the title has a text or not.
TEST(GalleryFlow, TheTitleDoesNotShowUnderAGame)
{
    MiniGameApp app;
    PlayerProfile profile;
    profile.mWallpaperUnlocks.mEntries[0].mUnlocked = true;
    auto* gallery = new PuzzleScreen(&profile, false);
    gallery->Resize(0, 0, 800, 600);
    PushGameState(gallery, &app.mStack);
    const std::string title = gallery->mTitle;
    auto frameWithTitle = [&](const std::string& text)
    {
        gallery->mTitle = text;
        app.DrawFrame();
        return std::vector<uint32_t>(app.mScreen.GetBits(), app.mScreen.GetBits() + 800 * 600);
    };
    EXPECT_NE(frameWithTitle(title), frameWithTitle(""));
    gallery->mButtons[0]->OnMouseButtonDown(10, 10, 0, 1);
    app.Step(60);
    EXPECT_EQ(frameWithTitle(title), frameWithTitle(""));
    ClearGameStates(&app.mStack);
    app.FlushDeletes();
}

TEST(GalleryFlow, EveryGameIsBuiltFromTheTable)
{
    MiniGameApp app;
    for (int index = 0; index < kGalleryMiniGameCount; ++index)
    {
        const SceneMiniGame& entry = *GalleryMiniGame(index);
        MiniGameWidget* game = CreateMiniGameByIndex(index, &app.mStack);
        ASSERT_NE(game, nullptr) << index;
        EXPECT_EQ(app.mStack.Top(), game);
        EXPECT_EQ(game->mX, entry.mX) << index;
        EXPECT_EQ(game->mY, entry.mY) << index;
        EXPECT_EQ(game->mOwnerPlayfield, nullptr);
        ClearGameStates(&app.mStack);
        app.FlushDeletes();
    }
    EXPECT_EQ(CreateMiniGameByIndex(30, &app.mStack), nullptr);
    EXPECT_TRUE(app.mStack.Empty());
}

// From a scene every game shows Skip beside Reset: the two stand on one line
// with space between them, inside the screen. In the gallery, without Skip,
// Reset keeps its place at the right end of the board.
TEST(GalleryFlow, SkipAndResetStandApartInEveryGame)
{
    MiniGameApp app;
    RecordingOwner owner;
    for (int index = 0; index < kGalleryMiniGameCount; ++index)
    {
        MiniGameWidget* game = CreateMiniGame(*GalleryMiniGame(index));
        EnterFromScene(app, game, &owner);
        const MenuItem& skip = *game->mSkipButton;
        const MenuItem& reset = *game->mResetButton;
        EXPECT_EQ(skip.mY, reset.mY) << index;
        EXPECT_LT(skip.mX + skip.mWidth, reset.mX) << index;
        EXPECT_GE(skip.mX, 0) << index;
        EXPECT_LE(reset.mX + reset.mWidth, 800) << index;
        ClearGameStates(&app.mStack);
        app.FlushDeletes();
    }
    // Rotating tiles: Reset ends with the picture's right edge.
    MiniGameWidget* rotating = CreateMiniGameByIndex(1, &app.mStack);
    EXPECT_EQ(rotating->mResetButton->mX + rotating->mResetButton->mWidth, 650);
    ClearGameStates(&app.mStack);
    app.FlushDeletes();
}

TEST(GalleryFlow, AGameSolvedInTheGalleryLeavesTheProfileAlone)
{
    MiniGameApp app;
    PlayerProfile profile;
    profile.mWallpaperUnlocks.mEntries[8].mUnlocked = true;
    const PlayerProfile before = profile;
    auto* gallery = new PuzzleScreen(&profile, false);
    gallery->Resize(0, 0, 800, 600);
    PushGameState(gallery, &app.mStack);
    gallery->mButtons[8]->OnMouseButtonDown(10, 10, 0, 1);
    auto* game = dynamic_cast<ToManyQueens*>(app.mStack.Top());
    ASSERT_NE(game, nullptr);
    app.Step(30);
    PopGameState(&app.mStack); // the help panel
    std::optional<std::vector<int>> columns = SolveQueens(4);
    for (int row = 0; row < 4; ++row)
    {
        game->mQueens[size_t(row)]->OnMouseButtonDown(5, 5, 0, 1);
        game->mCells[size_t(row * 4 + (*columns)[size_t(row)])]->OnMouseButtonDown(5, 5, 0, 1);
    }
    ASSERT_TRUE(game->mSolved);
    app.Step(20);
    ASSERT_NE(dynamic_cast<CustomDialog*>(app.mStack.Top()), nullptr);
    game->OnDialogClosed(MiniGameWidget::DIALOG_ID_MINI_GAME_END, 0);
    app.Step(40);
    EXPECT_EQ(app.mStack.Top(), gallery);
    EXPECT_TRUE(gallery->mButtons[0]->mVisible);
    EXPECT_TRUE(profile.mWallpaperUnlocks == before.mWallpaperUnlocks);
    EXPECT_TRUE(profile.mPlayTime == before.mPlayTime);
}
