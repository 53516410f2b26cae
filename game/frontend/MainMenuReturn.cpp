#include "game/frontend/MainMenuReturn.h"

#include "game/frontend/MainMenu.h"
#include "game/shell/GameStateStack.h"

void PopToMainMenu(GameStateStack* stack)
{
    while (stack->States().size() > 1 && dynamic_cast<MainMenu*>(stack->Top()) == nullptr)
        PopGameState(stack);
}
