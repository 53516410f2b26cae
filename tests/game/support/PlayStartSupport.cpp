#include "game/frontend/IntroScreen.h"
#include "game/shell/ScreenBase.h"
#include "tests/game/support/PlayStart.h"

namespace gameharness
{

bool StartOverPlainScreen(GameHarness& game)
{
    game.Boot();
    game.FinishLoading();
    if (!game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1500))
        return false;
    GameStateStack* stack = game.App().mGameStates.get();
    ClearGameStates(stack);
    auto* floor = new ScreenBase();
    floor->Resize(0, 0, 800, 600);
    PushGameState(floor, stack);
    game.Update();
    return game.States().size() == 1;
}

PlayerProfile* AddFreshProfile(GameHarness& game, int32_t level)
{
    SharkInterface& app = game.App();
    auto profile = std::make_unique<PlayerProfile>();
    profile->mName = "Tess";
    profile->mFileName = app.mProfiles->MakeNewFileName("Tess");
    profile->mLevel = level;
    profile->ResetLevelProgress();
    profile->PrepareCurrentLevel(app.GetLevelPreparationSource());
    app.AddProfile(std::move(profile));
    return app.GetCurrentProfile();
}

} // namespace gameharness
