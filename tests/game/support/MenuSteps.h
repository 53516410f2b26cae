#pragma once

// Steps the front end's flow tests share on the game harness.

#include "tests/game/support/GameHarness.h"

#include <string>

class MainMenu;
class CustomDialog;

namespace Quib
{
class Widget;
}

namespace gameharness
{

// Boots, skips the intro and waits until the menu's buttons and title rest; null when it never gets there.
MainMenu* ReachMainMenu(GameHarness& game);
// Waits until the menu's buttons and title have slid in.
bool WaitForMenuAtRest(GameHarness& game, MainMenu& menu);
// A left click at the widget's centre.
void ClickOn(GameHarness& game, const Quib::Widget& widget);
bool IsInWidgetTree(GameHarness& game, const Quib::Widget* widget);
// Waits for the dialog to rest and clicks its first button (OK or YES), or NO.
bool AnswerDialog(GameHarness& game, CustomDialog& dialog, bool yes);
// A new profile of that name, made current, with a file name of its own.
void AddPlayer(GameHarness& game, const std::string& name);

} // namespace gameharness
