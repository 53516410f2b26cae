#include "framework/widgets/WidgetManager.h"
#include "game/frontend/IntroScreen.h"
#include "game/frontend/MainMenu.h"
#include "game/shell/CustomDialog.h"
#include "tests/game/support/MenuSteps.h"

namespace gameharness
{

MainMenu* ReachMainMenu(GameHarness& game)
{
    game.Boot();
    game.FinishLoading();
    if (!game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1500))
        return nullptr;
    IntroScreen* intro = game.Top<IntroScreen>();
    if (!game.RunUntil([&] { return intro->mPhase == IntroScreen::PHASE_TEXTS; }, 400))
        return nullptr;
    game.PressKey(SDLK_SPACE);
    if (!game.RunUntil([&] { return game.Top<MainMenu>() != nullptr; }, 400))
        return nullptr;
    MainMenu* menu = game.Top<MainMenu>();
    return WaitForMenuAtRest(game, *menu) ? menu : nullptr;
}

bool WaitForMenuAtRest(GameHarness& game, MainMenu& menu)
{
    return game.RunUntil([&] { return !menu.mSlideIn->IsRunning() && !menu.mTitleSlideIn->IsRunning(); },
                         300);
}

void ClickOn(GameHarness& game, const Quib::Widget& widget)
{
    game.Click(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2);
}

bool IsInWidgetTree(GameHarness& game, const Quib::Widget* widget)
{
    for (const Quib::Widget* child : game.App().mWidgetManager->GetChildren())
        if (child == widget)
            return true;
    return false;
}

bool AnswerDialog(GameHarness& game, CustomDialog& dialog, bool yes)
{
    if (!game.RunUntil([&] { return !dialog.IsAnimating(); }, 300))
        return false;
    const MenuItem* button = yes ? dialog.mFirstButton.get() : dialog.mNoButton.get();
    if (button == nullptr)
        return false;
    ClickOn(game, *button);
    return true;
}

void AddPlayer(GameHarness& game, const std::string& name)
{
    auto profile = std::make_unique<PlayerProfile>();
    profile->mName = name;
    profile->mFileName = game.App().mProfiles->MakeNewFileName(name);
    game.App().AddProfile(std::move(profile));
}

} // namespace gameharness
