#include "game/play/screen/SceneScreenLinks.h"

SceneScreenMakers& SceneScreens()
{
    static SceneScreenMakers makers;
    return makers;
}
