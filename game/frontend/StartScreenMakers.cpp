#include "game/frontend/StartScreenMakers.h"

#include "game/frontend/IntroScreen.h"
#include "game/frontend/TitleScreen.h"

StartScreens FrontEndStartScreens()
{
    return {[](SharkInterface& app) -> Quib::Widget* { return new TitleScreen(&app); },
            [](SharkInterface&) -> ScreenBase* { return new IntroScreen(); }};
}
