#pragma once

// Steps the front end's flow tests share on the game harness.

#include "tests/game/support/GameHarness.h"

#include <string>

class MainMenu;
class CustomDialog;
class PlayerNameEntry;

namespace Quib
{
class Widget;
}

namespace gameharness
{

// Boots and skips the intro as soon as it can be skipped; false when no intro came.
bool SkipIntro(GameHarness& game);
// Boots, skips the intro, names the first player when there is none yet, and
// waits until the menu's buttons and title rest; null when it never gets there.
MainMenu* ReachMainMenu(GameHarness& game, const std::string& firstPlayer = "Anna");
// Waits until the menu's buttons and title have slid in.
bool WaitForMenuAtRest(GameHarness& game, MainMenu& menu);
// A left click at the widget's centre.
void ClickOn(GameHarness& game, const Quib::Widget& widget);
bool IsInWidgetTree(GameHarness& game, const Quib::Widget* widget);
// Waits for the dialog to rest and clicks its first button (OK or YES), or NO.
bool AnswerDialog(GameHarness& game, CustomDialog& dialog, bool yes);
// Updates until the name entry on top has its panel at rest; null when none comes.
PlayerNameEntry* WaitForNameEntry(GameHarness& game);
// Replaces the name field's text by typing: Backspace over what is there, then the text.
void TypeName(GameHarness& game, const std::string& utf8);
// A new profile of that name, made current, with a file name of its own.
void AddPlayer(GameHarness& game, const std::string& name);
// The game's screen stack.
GameStateStack* Stack(GameHarness& game);

// Puts the screen on top at the game's full size and lets it run that many updates.
template <class Screen> Screen* Push(GameHarness& game, Screen* screen, int updates)
{
    screen->Resize(0, 0, 800, 600);
    PushGameState(screen, Stack(game));
    game.Update(updates);
    return screen;
}

} // namespace gameharness
