// Saves pictures of the level map, the diary and a tutorial on the game
// harness for a person to look at:
//   mapviewer map LEVEL FILE | diary PAGES FILE | tutorial FILE

#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "framework/widgets/WidgetManager.h"
#include "game/play/diary/DiaryOwner.h"
#include "game/play/diary/DiaryWidget.h"
#include "game/play/map/MapScreen.h"
#include "game/play/map/ScenePreviewButton.h"
#include "game/play/tutorial/Tutorial.h"
#include "tests/game/support/PlayStart.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace
{

bool SaveScreen(gameharness::GameHarness& game, const std::string& file)
{
    auto* screen = dynamic_cast<Quib::MemoryImage*>(game.App().mWidgetManager->mDrawImage);
    if (screen == nullptr)
        return false;
    ImageLib::Image image(screen->GetWidth(), screen->GetHeight());
    std::copy_n(screen->GetBits(), size_t(screen->GetWidth()) * size_t(screen->GetHeight()),
                image.mBits.begin());
    return ImageLib::SavePngFile(file, image);
}

class NoOwner : public DiaryOwner
{
public:
    bool ShowTutorial(int, int32_t) override { return false; }
    void ShowDiaryButton() override {}
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: mapviewer map LEVEL FILE | diary PAGES FILE | tutorial FILE\n");
        return 2;
    }
    const std::string mode = argv[1];
    const int number = argc > 3 ? std::stoi(argv[2]) : 1;
    const std::string file = argv[argc - 1];
    gameharness::GameHarness game;
    if (!gameharness::StartOverPlainScreen(game))
        return 1;
    PlayerProfile* profile = gameharness::AddFreshProfile(game, mode == "map" ? number : 3);
    profile->mStoryFlags.MarkCutsceneShown(MapScreen::kFirstStory);
    profile->mTutorialFlags.Set(0);
    profile->mDiaryPages = mode == "diary" ? number : 0;
    GameStateStack* stack = game.App().mGameStates.get();
    NoOwner owner;
    if (mode == "map")
    {
        auto* map = new MapScreen();
        map->Resize(0, 0, 800, 600);
        PushGameState(map, stack);
        game.Update(300);
        const ScenePreviewButton& button = *map->mSceneButtons[0];
        game.MoveMouse(button.mX + button.mWidth / 2, button.mY + button.mHeight / 2);
    }
    else if (mode == "diary")
    {
        auto* diary = new DiaryWidget(&owner, false);
        diary->Resize(0, 0, 800, 600);
        PushGameState(diary, stack);
    }
    else
    {
        PushGameState(new Tutorial(0, "TUT_MAP_MESSAGE"), stack);
    }
    game.Update(150);
    return SaveScreen(game, file) ? 0 : 1;
}
