#include "framework/files/PakFile.h"
#include "framework/graphics/Image.h"
#include "game/frontend/BonusHelpScreen.h"
#include "game/frontend/BonusScreen.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/WallpaperInstaller.h"
#include "game/records/DataFolder.h"
#include "game/shell/CustomDialog.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/MenuSteps.h"

#include <gtest/gtest.h>

namespace
{

using namespace gameharness;

// The desktop's settings tool as the game would call it: every command is
// recorded, and the desktop accepts them or offers no way.
class FakeDesktop
{
public:
    FakeDesktop()
    {
        platform::setCommandRunner(
            [this](const std::vector<std::string>& argv)
            {
                mCommands.push_back(argv);
                return mAccepts;
            });
    }
    ~FakeDesktop() { platform::setCommandRunner({}); }

    std::vector<std::vector<std::string>> mCommands;
    bool mAccepts = true;
};

BonusScreen* OpenGallery(GameHarness& game, MainMenu& menu)
{
    ClickOn(game, *menu.mBonusButton);
    if (!game.RunUntil([&] { return game.Top<BonusScreen>() != nullptr; }, 200))
        return nullptr;
    BonusScreen* gallery = game.Top<BonusScreen>();
    return game.RunUntil([&] { return !gallery->mSlideIn->IsRunning(); }, 100) ? gallery : nullptr;
}

void Press(GameHarness& game, BonusScreen& gallery, int button)
{
    ClickOn(game, *gallery.mButtons[size_t(button)]);
    game.Update(2);
}

std::vector<uint8_t> PackWallpaper(int page)
{
    return PakReadWholeFile(WallpaperPicturePath(page), size_t(1) << 25).value_or(std::vector<uint8_t>());
}

TEST(WallpaperGalleryFlowTest, WithoutAProfileEveryPageIsLockedAndNothingReachesTheDesktop)
{
    FakeDesktop desktop;
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    // The player named on the way in is deleted again: no profile is left.
    game.App().DeleteProfile(0);
    BonusScreen* gallery = OpenGallery(game, *menu);
    ASSERT_NE(gallery, nullptr);
    EXPECT_EQ(gallery->mPageY, 9);
    for (int page = 0; page < BonusScreen::kPageCount; ++page)
        EXPECT_FALSE(gallery->IsUnlocked(page)) << page;
    ASSERT_NE(gallery->mPagePicture, nullptr);
    Press(game, *gallery, BonusScreen::BUTTON_SET_WALLPAPER);
    EXPECT_TRUE(desktop.mCommands.empty());
    EXPECT_EQ(game.Top<BonusScreen>(), gallery);

    Press(game, *gallery, BonusScreen::BUTTON_BACK);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 100));
    EXPECT_TRUE(WaitForMenuAtRest(game, *menu));
}

TEST(WallpaperGalleryFlowTest, ScenesUnlockTheirPagesWhichPageRoundAndAreCopiedAndSetOnTheDesktop)
{
    FakeDesktop desktop;
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    AddPlayer(game, "Ada");
    // What finishing scenes 2 and 30 leaves in the profile.
    for (const char* scene : {"Scene2", "Scene30"})
        game.App().GetCurrentProfile()->mWallpaperUnlocks.SetIfClear(scene, true);
    BonusScreen* gallery = OpenGallery(game, *menu);
    ASSERT_NE(gallery, nullptr);
    for (int page = 0; page < BonusScreen::kPageCount; ++page)
        EXPECT_EQ(gallery->IsUnlocked(page), page == 0 || page == 2 || page == 30) << page;

    // Left from the first page wraps to the last, right from there back to the first.
    Press(game, *gallery, BonusScreen::BUTTON_PREVIOUS);
    EXPECT_EQ(gallery->mPage, 30);
    Press(game, *gallery, BonusScreen::BUTTON_NEXT);
    EXPECT_EQ(gallery->mPage, 0);
    Press(game, *gallery, BonusScreen::BUTTON_NEXT);
    Press(game, *gallery, BonusScreen::BUTTON_NEXT);
    ASSERT_EQ(gallery->mPage, 2);
    ASSERT_NE(gallery->mPagePicture, nullptr);
    EXPECT_EQ(gallery->mPagePicture->GetWidth(), 1024);

    Press(game, *gallery, BonusScreen::BUTTON_SET_WALLPAPER);
    const std::string copy = GetDataFolder() + "/Wallpaper2.jpg";
    const std::optional<std::vector<uint8_t>> copied = platform::readFile(copy);
    ASSERT_TRUE(copied);
    EXPECT_EQ(*copied, PackWallpaper(2));
    ASSERT_EQ(desktop.mCommands.size(), 2u);
    const std::vector<std::string>& setPicture = desktop.mCommands[0];
    ASSERT_EQ(setPicture.size(), 5u);
    EXPECT_EQ(setPicture[0], "gsettings");
    EXPECT_EQ(setPicture[3], "picture-uri");
    EXPECT_EQ(setPicture[4].rfind("file://", 0), 0u);
    EXPECT_NE(setPicture[4].find("/Quennivar/Wallpaper2.jpg"), std::string::npos);
    EXPECT_EQ(game.Top<BonusScreen>(), gallery);

    // A locked page sets nothing.
    Press(game, *gallery, BonusScreen::BUTTON_NEXT);
    Press(game, *gallery, BonusScreen::BUTTON_SET_WALLPAPER);
    EXPECT_EQ(desktop.mCommands.size(), 2u);
}

TEST(WallpaperGalleryFlowTest, ADesktopWithoutAWayOrAFailedCopyIsAMessageAndTheGalleryComesBack)
{
    FakeDesktop desktop;
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    AddPlayer(game, "Ada");
    BonusScreen* gallery = OpenGallery(game, *menu);
    ASSERT_NE(gallery, nullptr);
    struct Case
    {
        bool desktopAccepts;
        bool copyBlocked;
        const char* message;
    };
    const char* const notSet =
        "This desktop offers the game no way to change its wallpaper. The picture has been "
        "copied into the game's data folder: choose it there in your desktop's background "
        "settings.";
    const char* const notCopied =
        "The picture could not be copied into the game's data folder, so your wallpaper stays as it was.";
    for (const Case& c : {Case{false, false, notSet}, Case{true, true, notCopied}})
    {
        SCOPED_TRACE(c.message);
        desktop.mAccepts = c.desktopAccepts;
        desktop.mCommands.clear();
        // A folder where the copy should go makes the copy fail.
        if (c.copyBlocked)
        {
            platform::removeFile(GetDataFolder() + "/Wallpaper0.jpg");
            ASSERT_TRUE(platform::createDirectories(GetDataFolder() + "/Wallpaper0.jpg/x"));
        }
        Press(game, *gallery, BonusScreen::BUTTON_SET_WALLPAPER);
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 50));
        EXPECT_EQ(game.Top<CustomDialog>()->mText, c.message);
        EXPECT_EQ(desktop.mCommands.empty(), c.copyBlocked);
        // The gallery slid away under the message and returns after it.
        EXPECT_TRUE(gallery->mSlideOut->IsRunning());
        ASSERT_TRUE(AnswerDialog(game, *game.Top<CustomDialog>(), true));
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<BonusScreen>() == gallery; }, 100));
        ASSERT_TRUE(game.RunUntil([&] { return !gallery->mSlideIn->IsRunning(); }, 100));
        EXPECT_EQ(gallery->mPageY, 9);
    }
}

TEST(WallpaperGalleryFlowTest, HelpRisesOverTheGalleryWhichSlidesAwayAndBackWhenHelpCloses)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    BonusScreen* gallery = OpenGallery(game, *menu);
    ASSERT_NE(gallery, nullptr);
    const int restY = gallery->mButtons[BonusScreen::BUTTON_HELP]->mY;
    Press(game, *gallery, BonusScreen::BUTTON_HELP);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<BonusHelpScreen>() != nullptr; }, 10));
    BonusHelpScreen* help = game.Top<BonusHelpScreen>();
    ASSERT_TRUE(game.RunUntil([&] { return !help->mSlideIn->IsRunning(); }, 200));
    EXPECT_EQ(help->mPanelY, 30.0f);
    EXPECT_GT(help->mDimColor.mAlpha, 100);
    EXPECT_EQ(gallery->mButtons[BonusScreen::BUTTON_HELP]->mY, restY + 154);
    EXPECT_TRUE(IsInWidgetTree(game, gallery));

    ClickOn(game, *help->mBackButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<BonusScreen>() == gallery; }, 200));
    ASSERT_TRUE(game.RunUntil([&] { return !gallery->mSlideIn->IsRunning(); }, 100));
    EXPECT_EQ(gallery->mButtons[BonusScreen::BUTTON_HELP]->mY, restY);
}

} // namespace
