#pragma once

#include "game/shell/StartScreens.h"

// The title and the intro, as the application's first screens.
StartScreens FrontEndStartScreens();
