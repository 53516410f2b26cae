#include "framework/app/PlaybackKeys.h"

#include "framework/app/MainLoop.h"

#include <algorithm>

namespace Quib
{

void HandlePlaybackKey(uint8_t key, MainLoop& loop, int lengthInUpdates, PlaybackKeysHost& host)
{
    // Seconds before the end that the keys '4' to '9' jump to.
    static constexpr int kSecondsBeforeEnd[] = {120, 90, 60, 30, 10, 5};
    switch (key)
    {
    case '+':
        loop.mSpeedMultiplier *= 1.5;
        break;
    case '-':
        loop.mSpeedMultiplier /= 1.5;
        break;
    case '=':
        loop.mSpeedMultiplier = 1.0;
        break;
    case '0':
        loop.mDemoTargetUpdate = lengthInUpdates;
        break;
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9':
        loop.mDemoTargetUpdate =
            lengthInUpdates - kSecondsBeforeEnd[key - '4'] * 1000 / std::max(loop.mFrameTime, 1);
        break;
    case 'J':
    case 'j':
        host.ShowJumpToTimeDialog();
        break;
    case 'L':
    case 'l':
        host.ShowMarkerListDialog();
        break;
    case 'M':
    case 'm':
        loop.mRunOn = true;
        break;
    case 'N':
    case 'n':
        loop.mDemoTargetUpdate = loop.mUpdateCount + 1;
        loop.mStep = true;
        break;
    case 'P':
    case 'p':
        loop.mDemoPaused = !loop.mDemoPaused;
        loop.ResetUpdateTimer();
        break;
    case 'S':
    case 's':
        host.ToggleDemoSound();
        break;
    default:
        break;
    }
}

} // namespace Quib
