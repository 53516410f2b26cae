#include "framework/widgets/WidgetManager.h"
#include "game/frontend/CustomEditWidget.h"
#include "game/frontend/IntroScreen.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/PlayerNameEntry.h"
#include "game/frontend/SelectProfile.h"
#include "game/shell/CustomDialog.h"
#include "tests/game/support/MenuSteps.h"

namespace gameharness
{

GameStateStack* Stack(GameHarness& game)
{
    return game.App().mGameStates.get();
}

bool SkipIntro(GameHarness& game)
{
    game.Boot();
    game.FinishLoading();
    if (!game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1500))
        return false;
    IntroScreen* intro = game.Top<IntroScreen>();
    if (!game.RunUntil([&] { return intro->mPhase == IntroScreen::PHASE_TEXTS; }, 400))
        return false;
    game.PressKey(SDLK_SPACE);
    return true;
}

MainMenu* ReachMainMenu(GameHarness& game, const std::string& firstPlayer)
{
    if (!SkipIntro(game))
        return nullptr;
    if (!game.RunUntil(
            [&] { return game.Top<MainMenu>() != nullptr || game.Top<SelectProfile>() != nullptr; }, 400))
        return nullptr;
    if (game.Top<SelectProfile>() != nullptr)
    {
        if (WaitForNameEntry(game) == nullptr)
            return nullptr;
        TypeName(game, firstPlayer);
        game.PressKey(SDLK_RETURN);
        if (!game.RunUntil([&] { return game.Top<MainMenu>() != nullptr; }, 300))
            return nullptr;
    }
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

PlayerNameEntry* WaitForNameEntry(GameHarness& game)
{
    if (!game.RunUntil([&] { return game.Top<PlayerNameEntry>() != nullptr; }, 300))
        return nullptr;
    PlayerNameEntry* entry = game.Top<PlayerNameEntry>();
    return game.RunUntil([&] { return !entry->IsBusy(); }, 100) ? entry : nullptr;
}

void TypeName(GameHarness& game, const std::string& utf8)
{
    PlayerNameEntry* entry = game.Top<PlayerNameEntry>();
    const size_t length = entry != nullptr ? entry->mNameEdit->mString.size() : 0;
    for (size_t i = 0; i < length; ++i)
        game.PressKey(SDLK_BACKSPACE);
    game.Update(2);
    game.TypeText(utf8);
    game.Update(2);
}

void AddPlayer(GameHarness& game, const std::string& name)
{
    auto profile = std::make_unique<PlayerProfile>();
    profile->mName = name;
    profile->mFileName = game.App().mProfiles->MakeNewFileName(name);
    game.App().AddProfile(std::move(profile));
}

} // namespace gameharness
