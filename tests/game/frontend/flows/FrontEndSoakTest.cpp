#include "game/frontend/CreditsScreen.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/MainMenuReturn.h"
#include "game/frontend/PauseMenu.h"
#include "game/frontend/ScoresScreen.h"
#include "game/play/SceneFile.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/screen/ScenePlayfield.h"
#include "game/records/OptionsData.h"
#include "platform/Desktop.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/MenuSteps.h"

#include <gtest/gtest.h>
#include <random>

namespace
{

using namespace gameharness;

constexpr int kRounds = 20;
constexpr unsigned kOpenings = 10;
constexpr int kStepsPerRound = 45;
constexpr SDL_Keycode kKeys[] = {SDLK_SPACE, SDLK_RETURN, SDLK_ESCAPE, SDLK_LEFT, SDLK_RIGHT,    SDLK_UP,
                                 SDLK_DOWN,  SDLK_TAB,    SDLK_a,      SDLK_z,    SDLK_BACKSPACE};

void Push(GameHarness& game, ScreenBase* screen)
{
    screen->Resize(0, 0, 800, 600);
    PushGameState(screen, game.App().mGameStates.get());
}

// Each round starts on one of the front end's screens: a menu button, or a
// screen the play opens (the pause menu over a scene, the scores at the end
// of the game, the credits).
void OpenRoundScreen(GameHarness& game, MainMenu& menu, unsigned which)
{
    const MenuItem* const buttons[] = {menu.mPlayButton.get(),    menu.mOptionsButton.get(),
                                       menu.mPuzzlesButton.get(), menu.mBonusButton.get(),
                                       menu.mExitButton.get(),    menu.mProfileButton.get()};
    if (which < std::size(buttons))
    {
        ClickOn(game, *buttons[which]);
        return;
    }
    switch (which - std::size(buttons))
    {
    case 0:
        Push(game, MakeSceneFrame("Scene" + std::to_string(1 + which % 31), kTenItemsListMode));
        Push(game, new PauseMenu());
        break;
    case 1:
        Push(game, new ScoresScreen(true));
        break;
    case 2:
        Push(game, new ScoresScreen(false));
        break;
    default:
        Push(game, new CreditsScreen(which % 2 == 0));
        break;
    }
}

// Clicks and keys at random over the front end, for a fixed number of steps
// of a fixed seed; the sanitizer build turns any bad access into a failure.
// A player whose game is completed opens every gallery page and puzzle. A
// yes to the exit question ends the run, and the soak starts the game again.
TEST(FrontEndSoakTest, RandomClicksAndKeysOverEveryFrontEndScreenLeaveTheGameStanding)
{
    platform::setCommandRunner([](const std::vector<std::string>&) { return false; });
    std::mt19937 random(20261210);
    int round = 0;
    while (round < kRounds)
    {
        GameHarness game;
        MainMenu* menu = ReachMainMenu(game);
        ASSERT_NE(menu, nullptr);
        AddPlayer(game, "Soak");
        game.App().GetCurrentProfile()->mPlayTime = TimeValue(0, 30, 0, 0);
        game.App().mOptions->mGameCompleted = true;
        for (; round < kRounds && !game.IsShutDown(); ++round)
        {
            SCOPED_TRACE(round);
            PopToMainMenu(game.App().mGameStates.get());
            game.RunUntil([&] { return game.Top<MainMenu>() == menu && !menu->mSlideIn->IsRunning(); }, 300);
            // Every opening once, then at random.
            OpenRoundScreen(game, *menu,
                            round < int(kOpenings) ? unsigned(round) : unsigned(random() % kOpenings));
            for (int step = 0; step < kStepsPerRound && !game.IsShutDown(); ++step)
            {
                const unsigned kind = random() % 10;
                if (kind < 6)
                    game.Click(int(random() % 800), int(random() % 600), random() % 8 == 0);
                else if (kind < 9)
                    game.PressKey(kKeys[random() % std::size(kKeys)]);
                else
                    game.MoveMouse(int(random() % 800), int(random() % 600));
                if (!game.Update(1 + int(random() % 12)))
                    break;
                ASSERT_TRUE(!game.States().empty() || game.IsShutDown()) << "step " << step;
            }
        }
    }
    platform::setCommandRunner({});
}

} // namespace
