#pragma once

class GameStateStack;

// Pops screens until the main menu is on top, whatever lies between (the
// level map, a scene opened straight from the menu, dialogs). Without a menu
// on the stack the bottom screen stays, so the stack is never left empty.
void PopToMainMenu(GameStateStack* stack);
